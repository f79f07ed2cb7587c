// Fixtures for the framework's tests on the headless platform: the module's own resources plus a small
// dialog with a known layout, a placement store in a scratch folder, and bindings on the control-kinds
// dialog.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "common/KTestDialogResources.h"
#include "common/TestHost.h"
#include "framework/KDXControlSet.h"
#include "framework/KPlacement.h"
#include "platform/ControlKindsDialog.h"
#include "platform/headless/KHeadlessDriver.h"

// Dialog 9001, 200 x 100 dialog units at 10, 10 (headless: 6 x 13 pixel base units, so x units are
// 1.5 pixels and y units 1.625): a label at pixels 12..72 x 13..26, an edit at 90..300 x 33..52, and a
// hidden button further right and down.
inline constexpr uint32_t kFitDialog = 9001;
inline constexpr int32_t kFitLabel = 100;
inline constexpr int32_t kFitEdit = 101;
inline constexpr int32_t kFitHidden = 102;

class KFrameworkTestResources : public KTestDialogResources {
 public:
  KFrameworkTestResources()
      : KTestDialogResources({kFitDialog, WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 10, 10, 200, 100, u"Fit",
                              u"", 8, kFitControls}) {}

 private:
  static constexpr KDialogControl kFitControls[] = {
      {kFitLabel, u"Static", u"&Label:", SS_LEFT | WS_VISIBLE | WS_GROUP, 0, 8, 8, 40, 8},
      {kFitEdit, u"Edit", u"", WS_VISIBLE | WS_TABSTOP, 0, 60, 20, 140, 12},
      {kFitHidden, u"Button", u"Hidden", BS_PUSHBUTTON | WS_TABSTOP, 0, 150, 80, 60, 14},
  };
};

// A fresh headless platform with the test resources; RunDialog shows a dialog and runs the script inside it.
class KFrameworkTest : public ::testing::Test {
 protected:
  KFrameworkTest() { SetResourceSource(std::make_unique<KFrameworkTestResources>()); }
  ~KFrameworkTest() override { SetResourceSource(nullptr); }

  // Runs dialog `templateId` with `sink` and the script; the script's dialog is ended afterwards.
  intptr_t RunDialog(uint32_t templateId, KWindowSink& with, const std::function<void(KWnd)>& script) {
    driver.OnNextDialog([this, script](KWnd dialog) {
      script(dialog);
      if (platform.IsWindow(dialog)) platform.EndDialog(dialog, IDOK);
    });
    return platform.RunModalDialog(templateId, nullptr, with);
  }

  KHeadlessDriver driver;
  KHeadlessPlatform& platform = driver.State();
  KWindowSink sink;  // a dialog that takes every event's default
};

// A transfer out of the set into a variable that holds `value`: the set's answer and the variable after it.
template <class T>
std::pair<int32_t, T> GetData(KDXControlSet& from, int32_t id, T value) {
  const int32_t answer = from.GetData(id, &value);
  return {answer, value};
}

// Points the placement store at a fresh scratch folder for as long as it lives.
class KPlacementFolder {
 public:
  KPlacementFolder() { SetPlacementFolder(testhost::ToU16(dir.Path())); }
  ~KPlacementFolder() { SetPlacementFolder(u""); }
  testhost::TempDir dir;
};

// Bindings on the control-kinds dialog: Bind registers one in `set`, which InDialog attaches to the dialog.
class KBindingTest : public ::testing::Test, public KControlKindsTest {
 protected:
  void InDialog(const std::function<void(KWnd)>& script) {
    RunKindsDialog(sink, [&](KWnd dialog) {
      set.Attach(dialog);
      script(dialog);
    });
  }
  KDXControl* Bind(uint32_t typeWord, int32_t id, int32_t param = -1) {
    return set.Add(typeWord, id, nullptr, param) == 1 ? set.Find(id) : nullptr;
  }
  // A binding in a set of its own on the dialog, so that one control can be bound in several ways.
  KDXControl* BindAlone(KDXControlSet& own, uint32_t typeWord, int32_t id, int32_t param = -1) {
    own.Attach(set.Dialog());
    return own.Add(typeWord, id, nullptr, param) == 1 ? own.Find(id) : nullptr;
  }

  KWindowSink sink;
  KDXControlSet set;
};
