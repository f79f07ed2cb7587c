// CStringFromDialog: the sample texts of the rule editor's test pane as a check's source and translation.
#pragma once

#include <cstdint>
#include <string>

#include "check/CStringGetter.h"
#include "platform/KTypes.h"

class CStringFromDialog : public CStringGetter {
 public:
  explicit CStringFromDialog(KWnd dialog) : dialog_(dialog) {}

 protected:
  // The source box for the source kinds, the translation box for the translation kinds; the boxes' line
  // ends become single line feeds, as in the host's texts.
  std::u16string GetText(int32_t kind) override;

 private:
  KWnd dialog_;
};
