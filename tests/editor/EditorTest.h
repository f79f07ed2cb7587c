// The rule editor on the headless platform with a test host: rule files written and read with the module's
// own rule-file code, projects that the host enumerates, and the dialog run with a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/RuleFiles.h"
#include "common/TestHost.h"
#include "editor/CSetupDlg.h"
#include "framework/KPlacement.h"
#include "platform/headless/KHeadlessDriver.h"
#include "resource.h"
#include "rules/HostContext.h"

// Members are public so that the action tables of the tests can reach them.
class KEditorTest : public ::testing::Test {
 public:
  KEditorTest() {
    SetHostContext(&host, &site);
    SetPlacementFolder(testhost::ToU16(site.Root()));
  }
  ~KEditorTest() override {
    SetHostContext(nullptr, nullptr);
    SetPlacementFolder(u"");
  }

  // A project named `name` that the host lists, its rule file in a folder of its own; the first one added
  // is the current project when `current`.
  testhost::TestProject& AddProject(const std::u16string& name, bool current = false) {
    auto& project = *projects.emplace_back(std::make_unique<testhost::TestProject>());
    project.name = name;
    const auto folder = site.Root() / ("project" + std::to_string(projects.size()));
    std::filesystem::create_directories(folder);
    project.rulePath = testhost::ToU16(folder / "settings.ini");
    host.projects.push_back(&project);
    if (current) host.currentProject = &project;
    return project;
  }

  // Runs the editor with the script inside it; a dialog that the script leaves open ends with 0, discarding
  // its changes. Answers the script left unused are forgotten.
  intptr_t RunEditor(const std::function<void(CSetupDlg&)>& script) {
    platform.messageBoxAnswers.clear();
    platform.menuAnswers.clear();
    platform.shownMessageBoxes.clear();
    CSetupDlg dialog(nullptr);
    driver.OnNextDialog([&](KWnd window) {
      script(dialog);
      if (platform.GetStyle(window) & WS_VISIBLE) dialog.EndDialog(0);
    });
    return dialog.DoModal();
  }

  KTreeItem Node(std::u16string_view label) const { return driver.FindTreeItem(IDC_TREE, label); }
  bool Select(std::u16string_view label) { return driver.SelectTreeItem(IDC_TREE, Node(label)); }
  std::u16string SelectedLabel() const {
    const KWnd tree = driver.Control(IDC_TREE);
    return platform.TreeGetText(tree, platform.TreeGetNextItem(tree, nullptr, TVGN_CARET));
  }
  std::u16string LastMessage() const {
    return platform.shownMessageBoxes.empty() ? u"" : platform.shownMessageBoxes.back().text;
  }
  // Drags node `from` with the mouse and drops it on node `to`.
  void Drag(std::u16string_view from, std::u16string_view to) {
    const KPoint start = driver.TreeItemPoint(IDC_TREE, Node(from));
    const KPoint end = driver.TreeItemPoint(IDC_TREE, Node(to));
    driver.MouseDown(start);
    driver.MouseMove({start.x + 8, start.y + 8});
    driver.MouseMove(end);
    driver.MouseUp(end);
  }

  testhost::TestAddInHost host;
  testhost::TestSite site;
  std::vector<std::unique_ptr<testhost::TestProject>> projects;
  KHeadlessDriver driver;
  KHeadlessPlatform& platform = driver.State();
};
