// CStringFromDialog: reads the test pane's sample boxes.
#include "editor/CStringFromDialog.h"

#include "platform/KPlatform.h"
#include "resource.h"

std::u16string CStringFromDialog::GetText(int32_t kind) {
  int32_t box = 0;
  if (kind == TEXTKIND_SOURCE || kind == TEXTKIND_SOURCE_NATIVE) box = IDC_SOURCE;
  if (kind == TEXTKIND_TRANSLATION || kind == TEXTKIND_TRANSLATION_NATIVE) box = IDC_TRANSLATION;
  if (box == 0) return {};
  KPlatform& platform = Platform();
  const std::u16string text = platform.GetText(platform.GetDlgItem(dialog_, box));
  std::u16string lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    lines += text[i];
  }
  return lines;
}
