// CSetupDlg: the "Inline Patterns" rule editor. A tree of the global list and one list per open project,
// the fields of the selected rule, the syntax menus of the pattern box and the pattern test pane.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/CTestRegExChecker.h"
#include "framework/KDXControlSet.h"
#include "framework/KDialog.h"
#include "framework/KDragTreeCtrl.h"
#include "rules/CRegExList.h"

class KFileException;

class CSetupDlg : public KDialog {
 public:
  explicit CSetupDlg(KWnd parent);
  // Empties every list (which deletes its rules), then deletes the lists, saved or not.
  ~CSetupDlg() override;

  bool OnInitDialog(KWnd self) override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int32_t id, uint32_t code, KWnd control) override;
  bool OnNotify(KNotify& notify) override;
  void OnDestroy() override;
  // Enter and Escape go to the tree's in-place editor while a node is being renamed.
  bool PreTranslateKey(KWnd focus, uint32_t virtualKey) override;

  CRegExRule* Current() const { return CurrentRule; }
  const std::vector<std::unique_ptr<CRegExList>>& GetLists() const { return Lists; }
  bool IsModified() const { return Modified != 0; }

 protected:
  // Event handlers.
  void OnAdd();
  void OnDelete();
  void OnNameChanged();
  void OnFieldChanged();
  void OnActiveClicked();
  void OnSyntaxButton();
  bool OnSelChanging();  // false refuses the change
  void OnSelChanged();
  bool OnBeginLabelEdit(KTreeItem item);  // false refuses the rename
  void OnEndLabelEdit(KTreeItem item, const char16_t* text);
  bool OnDragBegin(KTreeItem item);
  void OnDragOver(NMDRAGTREE& record);
  void OnDrop(const NMDRAGTREE& record);
  void OnTest();
  void OnCheck();

  // Internal operations.
  void LoadLists();
  void FillTree();
  void ShowRule();
  bool StoreRule();
  void UpdateControls();
  void SaveLists();
  void ShowTestPane(bool show, bool atStartUp);

  // Tree queries.
  CRegExRule* RuleOfItem(KTreeItem item) const;
  CRegExList* ListOfItem(KTreeItem item) const;
  CRegExRule* SelectedRule() const;
  CRegExList* SelectedList() const;

  int32_t Modified = 0;
  KImageList ImageList = nullptr;
  KDragTreeCtrl Tree;
  KDXControlSet Bindings;
  int32_t UpdateDepth = 0;
  int32_t TreeChangeDepth = 0;
  std::vector<std::unique_ptr<CRegExList>> Lists;  // index 0 is the global list
  CRegExRule* CurrentRule = nullptr;
  KWnd ResultsBox = nullptr;
  std::unique_ptr<CTestRegExChecker> TestChecker;

 private:
  void DeleteLists();
  void ReportLoadError(const KFileException& error) const;
  KWnd Item(int32_t id) const;
  bool IsChecked(int32_t id) const;
  // Inserts the node of a rule as the last child of its list's node and makes it the rule's node.
  void InsertRuleNode(CRegExRule& rule, const CRegExList& list);
  void SetRuleImage(KTreeItem item, bool active);
  // The rule's fields to and from the controls, in the order the bindings expect them.
  void TransferRule(CRegExRule& rule, bool toControls);
};
