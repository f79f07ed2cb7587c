// A dialog sink for the headless platform's tests that records its events as readable lines, takes label
// edits and ends the dialog on OK and Cancel; and a fixture running the rule editor's template (the richest
// the module has) with it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/KHeadlessDriver.h"
#include "resource.h"

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
    events.push_back(notify.code == TVN_SELCHANGINGW  ? "selchanging"
                     : notify.code == TVN_SELCHANGEDW ? "selchanged"
                     : notify.code == TVN_BEGINDRAGW  ? "begindrag"
                                                      : "other");
    if (notify.code == TVN_ENDLABELEDITW) editedText = notify.text ? notify.text : u"<cancelled>";
    notify.result = notify.code == TVN_ENDLABELEDITW;
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
  bool endOnOkCancel = true;
  bool ownerEnabled = false;  // when the dialog was destroyed
};

class KEditorDialogTest : public ::testing::Test {
 protected:
  // Runs the rule editor's template with `script`, then ends it with OK unless the script did.
  intptr_t Run(const std::function<void(KWnd)>& script) {
    driver.OnNextDialog([&, script](KWnd dialog) {
      script(dialog);
      if (driver.Dialog()) platform.EndDialog(driver.Dialog(), IDOK);
    });
    return platform.RunModalDialog(IDD_SETUP, nullptr, sink);
  }
  KTreeItem Add(KTreeItem parent, const char16_t* text) {
    KTreeInsert insert;
    insert.parent = parent;
    insert.text = text;
    return platform.TreeInsertItem(driver.Control(IDC_TREE), insert);
  }
  int32_t FocusId() { return platform.GetDlgCtrlId(platform.GetFocus()); }

  KHeadlessDriver driver;
  KHeadlessPlatform& platform = driver.State();
  RecordingSink sink;
};
