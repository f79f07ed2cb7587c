// A dialog sink for the headless platform's tests: it records the events it gets as readable lines and
// can refuse selection changes and label edits, or end the dialog on OK and Cancel.
#pragma once

#include <string>
#include <vector>

#include "platform/KPlatform.h"

class RecordingSink : public KWindowSink {
 public:
  bool OnInitDialog(KWnd self) override {
    dialog = self;
    events.push_back("init");
    return true;
  }
  bool OnCommand(int32_t id, uint32_t code, KWnd) override {
    events.push_back("command " + std::to_string(id) + " " + std::to_string(code));
    if (endOnOkCancel && (id == IDOK || id == IDCANCEL)) Platform().EndDialog(dialog, id);
    return true;
  }
  bool OnNotify(KNotify& notify) override {
    const char* name = notify.code == TVN_SELCHANGINGW     ? "selchanging"
                       : notify.code == TVN_SELCHANGEDW    ? "selchanged"
                       : notify.code == TVN_BEGINLABELEDITW ? "beginlabeledit"
                       : notify.code == TVN_ENDLABELEDITW  ? "endlabeledit"
                       : notify.code == TVN_BEGINDRAGW     ? "begindrag"
                                                           : "other";
    events.push_back(name);
    if (notify.code == TVN_ENDLABELEDITW) editedText = notify.text ? notify.text : u"<cancelled>";
    notify.result = (notify.code == TVN_SELCHANGINGW && refuseSelection) ||
                    (notify.code == TVN_BEGINLABELEDITW && refuseLabelEdit) ||
                    (notify.code == TVN_ENDLABELEDITW && acceptLabel);
    return true;
  }
  bool OnTimer(uintptr_t id) override {
    events.push_back("timer " + std::to_string(id) + " at " + std::to_string(Platform().TickCount()));
    return true;
  }
  void OnDestroy() override {
    events.push_back("destroy");
    ownerEnabled = Platform().IsWindowEnabled(Platform().GetParent(dialog));
  }

  KWnd dialog = nullptr;
  std::vector<std::string> events;
  std::u16string editedText;
  bool refuseSelection = false;
  bool refuseLabelEdit = false;
  bool acceptLabel = true;
  bool endOnOkCancel = true;
  bool ownerEnabled = false;  // when the dialog was destroyed
};
