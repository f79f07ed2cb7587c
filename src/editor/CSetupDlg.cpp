// CSetupDlg: loading and saving the lists, the tree, the rule fields and the handlers of the rule editor.
#include "editor/CSetupDlg.h"

#include "addin/HostInterfaces.h"
#include "framework/KControlGroup.h"
#include "framework/KDialogLayout.h"
#include "platform/KPlatform.h"
#include "resource.h"
#include "rules/HostContext.h"
#include "rules/RuleLimits.h"
#include "support/FormatInserts.h"
#include "support/KResourceSource.h"
#include "support/KStdioFile.h"
#include "support/OleTypes.h"

namespace {

constexpr int32_t kImageWidth = 16;
constexpr int32_t kListImage = 0;
constexpr int32_t kActiveImage = 1;
constexpr int32_t kInactiveImage = 2;

// Binding type words: control kind in the low byte, data kind in the second.
constexpr uint32_t Binding(uint32_t data, uint32_t control) {
  return data | control;
}
constexpr uint32_t kTextBinding = Binding(KDXDATA_STRING, KDXCTRL_EDIT);
constexpr uint32_t kBoolBinding = Binding(KDXDATA_BOOL, KDXCTRL_CHECKBOX);
constexpr uint32_t kBitBinding = Binding(KDXDATA_BITS32, KDXCTRL_CHECKBOX);
constexpr uint32_t kRadioBinding = Binding(KDXDATA_INT, KDXCTRL_RADIOGROUP);

// One bound control and the rule field it shows: a text or an integer (a whole value or one bit of it).
struct KRuleBinding {
  int32_t id;
  uint32_t typeWord;
  int32_t param;
  std::u16string CRegExRule::*text;
  int32_t CRegExRule::*number;
};

// In the order the bindings are registered.
constexpr KRuleBinding kRuleBindings[] = {
    {IDC_NAME, kTextBinding, -1, &CRegExRule::Name, nullptr},
    {IDC_PATTERN, kTextBinding, -1, &CRegExRule::Pattern, nullptr},
    {IDC_ACTIVE, kBoolBinding, -1, nullptr, &CRegExRule::Active},
    {IDC_REGEX, kBoolBinding, -1, nullptr, &CRegExRule::RegEx},
    {IDC_CASE, kBoolBinding, -1, nullptr, &CRegExRule::Case},
    {IDC_TAG, kBoolBinding, -1, nullptr, &CRegExRule::Tag},
    {IDC_CHECK_EXIST_IF_IN_SOURCE, kRadioBinding, -1, nullptr, &CRegExRule::CheckMethod},
    {IDC_COUNT, kBitBinding, CHECKFLAG_COUNT, nullptr, &CRegExRule::CheckFlags},
    {IDC_TEXT, kBitBinding, CHECKFLAG_TEXT, nullptr, &CRegExRule::CheckFlags},
    {IDC_ORDER, kBitBinding, CHECKFLAG_ORDER, nullptr, &CRegExRule::CheckFlags},
    {IDC_NATIVE, kBoolBinding, -1, nullptr, &CRegExRule::Native},
};

// The orders in which the fields go to the controls and come back.
constexpr int32_t kShowOrder[] = {IDC_NAME,  IDC_PATTERN, IDC_ACTIVE, IDC_CASE,  IDC_REGEX,
                                  IDC_TAG,   IDC_COUNT,   IDC_TEXT,   IDC_ORDER, IDC_CHECK_EXIST_IF_IN_SOURCE,
                                  IDC_NATIVE};
constexpr int32_t kStoreOrder[] = {
    IDC_NAME,  IDC_PATTERN, IDC_ACTIVE, IDC_REGEX, IDC_CASE,
    IDC_TAG,   IDC_COUNT,   IDC_TEXT,   IDC_ORDER, IDC_CHECK_EXIST_IF_IN_SOURCE,
    IDC_NATIVE};

const KRuleBinding& BindingOf(int32_t id) {
  for (const KRuleBinding& binding : kRuleBindings) {
    if (binding.id == id) return binding;
  }
  return kRuleBindings[0];
}

// The check box of one check flag bit.
int32_t FlagControl(int32_t bit) {
  for (const KRuleBinding& binding : kRuleBindings) {
    if (binding.number == &CRegExRule::CheckFlags && binding.param == bit) return binding.id;
  }
  return 0;
}

void* FieldOf(CRegExRule& rule, const KRuleBinding& binding) {
  return binding.text ? static_cast<void*>(&(rule.*binding.text))
                      : static_cast<void*>(&(rule.*binding.number));
}

void* ToData(intptr_t index) {
  return reinterpret_cast<void*>(index);
}
intptr_t FromData(void* data) {
  return reinterpret_cast<intptr_t>(data);
}

std::u16string ProjectName(IHostProject* project) {
  KVariant name;
  project->GetProperty(PROJECT_NAME, name.Out());
  return name.Text();
}

std::u16string ListLabel(const CRegExList& list) {
  if (list.Project == nullptr) return u"Common";
  std::u16string label;
  FormatInsertsString(label, IDS_PROJECT, u"%s", ProjectName(list.Project).c_str());
  return label;
}

// A list of the editor: loaded without expression objects, which only the checks need.
std::unique_ptr<CRegExList> NewList(IHostProject* project) {
  auto list = std::make_unique<CRegExList>();
  if (project == nullptr) {
    list->LoadGlobal(false);
  } else {
    list->LoadProject(project, false);
  }
  return list;
}

// Raises a depth counter for as long as it lives.
class KDepth {
 public:
  explicit KDepth(int32_t& depth) : depth_(depth) { ++depth_; }
  KDepth(const KDepth&) = delete;
  KDepth& operator=(const KDepth&) = delete;
  ~KDepth() { --depth_; }

 private:
  int32_t& depth_;
};

}  // namespace

CSetupDlg::CSetupDlg(KWnd parent)
    : KDialog(IDD_SETUP, parent), TestChecker(std::make_unique<CTestRegExChecker>()) {}

CSetupDlg::~CSetupDlg() {
  DeleteLists();
}

void CSetupDlg::DeleteLists() {
  for (const auto& list : Lists) list->DeleteAll();
  Lists.clear();
  CurrentRule = nullptr;
}

KWnd CSetupDlg::Item(int32_t id) const {
  return Platform().GetDlgItem(GetHwnd(), id);
}

bool CSetupDlg::IsChecked(int32_t id) const {
  return Platform().GetCheck(Item(id)) == BST_CHECKED;
}

bool CSetupDlg::OnInitDialog(KWnd self) {
  KDialog::OnInitDialog(self);
  KPlatform& platform = Platform();
  ImageList = platform.LoadImageList(IDB_TREE, kImageWidth, KRgb(0, 255, 255));
  Tree.Attach(Item(IDC_TREE));
  platform.TreeSetImageList(Tree.GetHwnd(), ImageList, TVSIL_NORMAL);
  Bindings.Attach(self);
  for (const KRuleBinding& binding : kRuleBindings)
    Bindings.Add(binding.typeWord, binding.id, nullptr, binding.param);
  Bindings.SetRange(IDC_NAME, 1, kRuleNameMaxLength);
  Bindings.SetRange(IDC_PATTERN, 1, kRulePatternMaxLength);
  // A rule file that breaks off while it is read would be saved short by OK: the editor does not open.
  try {
    LoadLists();
  } catch (const KFileException& error) {
    ReportLoadError(error);
    EndDialog(IDABORT);
    return true;
  }
  FillTree();
  ShowRule();
  ResultsBox = Item(IDC_RESULTS);
  // The results of many checks may pile up: the box takes as much text as the system allows.
  platform.LimitText(ResultsBox, 0);
  TestChecker->ResultsBox = ResultsBox;
  ShowTestPane(false, true);
  UpdateControls();
  return true;
}

void CSetupDlg::OnDestroy() {
  KDialog::OnDestroy();
  Tree.Detach();
  if (ImageList) Platform().DestroyImageList(ImageList);
  ImageList = nullptr;
  TestChecker->ResultsBox = nullptr;
  ResultsBox = nullptr;
}

// ---- Lists and tree

void CSetupDlg::ReportLoadError(const KFileException& error) const {
  Platform().ShowMessageBox(GetHwnd(), error.GetErrorMessage(), u"", MB_OK | MB_ICONEXCLAMATION);
}

void CSetupDlg::LoadLists() {
  DeleteLists();
  Lists.push_back(NewList(nullptr));
  IAddInHost* host = AddInHost();
  if (host == nullptr) return;
  IHostProject* current = nullptr;
  host->GetCurrentProject(&current);
  if (current != nullptr) Lists.push_back(NewList(current));
  for (int32_t index = 0;; ++index) {
    IHostProject* project = nullptr;
    host->GetProject(index, &project);
    if (project == nullptr) break;
    if (project != current) Lists.push_back(NewList(project));
  }
}

void CSetupDlg::FillTree() {
  KPlatform& platform = Platform();
  const KWnd tree = Tree.GetHwnd();
  platform.TreeDeleteAllItems(tree);
  KTreeItem firstRule = nullptr;
  for (size_t index = 0; index < Lists.size(); ++index) {
    CRegExList& list = *Lists[index];
    KTreeInsert insert;
    insert.parent = TreeRoot();
    insert.text = ListLabel(list);
    insert.image = insert.selectedImage = kListImage;
    insert.data = ToData(static_cast<intptr_t>(index));
    list.TreeItem = platform.TreeInsertItem(tree, insert);
    for (int i = 0; i < list.GetSize(); ++i) {
      InsertRuleNode(*list[i], list);
      if (firstRule == nullptr) firstRule = list[i]->TreeItem;
    }
    platform.TreeSetBold(tree, list.TreeItem, true);
    platform.TreeExpand(tree, list.TreeItem, TVE_EXPAND);
  }
  if (firstRule != nullptr) platform.TreeSelectItem(tree, firstRule, TVGN_CARET);
}

void CSetupDlg::InsertRuleNode(CRegExRule& rule, const CRegExList& list) {
  KTreeInsert insert;
  insert.parent = list.TreeItem;
  insert.text = rule.Name;
  insert.image = insert.selectedImage = rule.Active ? kActiveImage : kInactiveImage;
  insert.data = &rule;
  rule.TreeItem = Platform().TreeInsertItem(Tree.GetHwnd(), insert);
}

void CSetupDlg::SetRuleImage(KTreeItem item, bool active) {
  const int32_t image = active ? kActiveImage : kInactiveImage;
  Platform().TreeSetImage(Tree.GetHwnd(), item, image, image);
}

CRegExRule* CSetupDlg::RuleOfItem(KTreeItem item) const {
  if (item == nullptr) return nullptr;
  KPlatform& platform = Platform();
  if (platform.TreeGetNextItem(Tree.GetHwnd(), item, TVGN_PARENT) == nullptr) return nullptr;
  return static_cast<CRegExRule*>(platform.TreeGetData(Tree.GetHwnd(), item));
}

CRegExList* CSetupDlg::ListOfItem(KTreeItem item) const {
  if (item == nullptr) return nullptr;
  KPlatform& platform = Platform();
  const KTreeItem parent = platform.TreeGetNextItem(Tree.GetHwnd(), item, TVGN_PARENT);
  const intptr_t index = FromData(platform.TreeGetData(Tree.GetHwnd(), parent ? parent : item));
  return index >= 0 && static_cast<size_t>(index) < Lists.size() ? Lists[static_cast<size_t>(index)].get()
                                                                 : nullptr;
}

CRegExRule* CSetupDlg::SelectedRule() const {
  return RuleOfItem(Platform().TreeGetNextItem(Tree.GetHwnd(), nullptr, TVGN_CARET));
}

CRegExList* CSetupDlg::SelectedList() const {
  return ListOfItem(Platform().TreeGetNextItem(Tree.GetHwnd(), nullptr, TVGN_CARET));
}

void CSetupDlg::SaveLists() {
  for (const auto& list : Lists) list->Save();
}

// ---- Fields

void CSetupDlg::TransferRule(CRegExRule& rule, bool toControls) {
  for (const int32_t id : toControls ? kShowOrder : kStoreOrder) {
    const KRuleBinding& binding = BindingOf(id);
    if (!toControls) {
      Bindings.GetData(id, FieldOf(rule, binding));
    } else if (id == IDC_NAME) {
      std::u16string name = rule.Name;  // the control works on a copy of the name
      Bindings.SetData(id, &name);
    } else {
      Bindings.SetData(id, FieldOf(rule, binding));
    }
  }
}

void CSetupDlg::ShowRule() {
  KDepth updating(UpdateDepth);
  if (CurrentRule == nullptr) {
    Platform().SetText(Item(IDC_NAME), u"");
    Platform().SetText(Item(IDC_PATTERN), u"");
  } else {
    TransferRule(*CurrentRule, true);
  }
  UpdateControls();
}

bool CSetupDlg::StoreRule() {
  if (CurrentRule == nullptr) return true;
  if (!Bindings.Validate(0)) return false;
  Bindings.StoreBound(0);
  TransferRule(*CurrentRule, false);
  return true;
}

void CSetupDlg::UpdateControls() {
  const KWnd dialog = GetHwnd();
  const bool hasRule = CurrentRule != nullptr;
  EnableGroup(dialog, IDC_NAME, hasRule);
  EnableGroup(dialog, IDC_PATTERN, hasRule);
  EnableGroup(dialog, IDC_CHECK_EXIST_IF_IN_SOURCE, hasRule);
  EnableDlgItem(dialog, IDC_COUNT, hasRule);
  for (const KCheckFlagLink& link : kCheckFlagChain) {
    const int32_t after = FlagControl(link.after);
    const bool on = IsChecked(FlagControl(link.before));
    if (!on) Platform().SetCheck(Item(after), BST_UNCHECKED);
    EnableDlgItem(dialog, after, on);
  }
  EnableDlgItem(dialog, IDC_CASE, hasRule);
}

// ---- Commands

bool CSetupDlg::OnCommand(int32_t id, uint32_t code, KWnd control) {
  if (control != nullptr && code == EN_CHANGE) {
    if (id == IDC_NAME) OnNameChanged();
    if (id == IDC_PATTERN) OnFieldChanged();
    return id == IDC_NAME || id == IDC_PATTERN;
  }
  if (control != nullptr && code != BN_CLICKED) return false;
  switch (id) {
    case IDC_ADD:
      OnAdd();
      return true;
    case IDC_DELETE:
      OnDelete();
      return true;
    case IDC_COUNT:
    case IDC_TEXT:
    case IDC_ORDER:
      OnFieldChanged();
      return true;
    case IDC_ACTIVE:
      OnActiveClicked();
      return true;
    case IDC_SYNTAX:
      OnSyntaxButton();
      return true;
    case IDC_TEST:
      OnTest();
      return true;
    case IDC_CHECK:
      OnCheck();
      return true;
    default:
      return KDialog::OnCommand(id, code, control);
  }
}

void CSetupDlg::OnAdd() {
  if (!StoreRule()) return;
  CRegExList* list = Lists.size() == 1 ? Lists[0].get() : SelectedList();
  if (list == nullptr) return;
  auto* rule = new CRegExRule();
  list->Add(rule);
  {
    KDepth changing(TreeChangeDepth);
    InsertRuleNode(*rule, *list);
  }
  Platform().TreeSelectItem(Tree.GetHwnd(), rule->TreeItem, TVGN_CARET);
  Modified = 1;
  GotoDlgItem(GetHwnd(), IDC_NAME);
}

void CSetupDlg::OnDelete() {
  CRegExList* list = SelectedList();
  if (list == nullptr || CurrentRule == nullptr || list->Find(CurrentRule) < 0) return;
  if (Platform().ShowMessageBox(GetHwnd(), ResourceString(IDS_DELETE_RULE), u"", MB_YESNO | MB_DEFBUTTON2) !=
      IDYES)
    return;
  {
    KDepth changing(TreeChangeDepth);
    Platform().TreeDeleteItem(Tree.GetHwnd(), CurrentRule->TreeItem);
  }
  list->RemoveAt(list->Find(CurrentRule));
  delete CurrentRule;
  CurrentRule = SelectedRule();
  ShowRule();
}

void CSetupDlg::OnNameChanged() {
  if (UpdateDepth > 0 || CurrentRule == nullptr) return;
  std::u16string name = Platform().GetText(Item(IDC_NAME));
  if (name.empty()) return;
  CurrentRule->Name = std::move(name);
  Platform().TreeSetText(Tree.GetHwnd(), CurrentRule->TreeItem, CurrentRule->Name);
  Modified = 1;
}

void CSetupDlg::OnFieldChanged() {
  if (UpdateDepth > 0) return;
  Modified = 1;
  UpdateControls();
}

void CSetupDlg::OnActiveClicked() {
  if (UpdateDepth > 0 || CurrentRule == nullptr || CurrentRule->TreeItem == nullptr) return;
  SetRuleImage(CurrentRule->TreeItem, IsChecked(IDC_ACTIVE));
  Modified = 1;
}

void CSetupDlg::OnOK() {
  if (!StoreRule()) return;
  SaveLists();
  EndDialog(IDOK);
}

void CSetupDlg::OnCancel() {
  if (!Modified) {
    EndDialog(IDCANCEL);
    return;
  }
  switch (Platform().ShowMessageBox(GetHwnd(), ResourceString(IDS_SAVE_CHANGES), u"", MB_YESNOCANCEL)) {
    case IDYES:
      OnOK();
      break;
    case IDNO:
      EndDialog(IDCANCEL);
      break;
    default:
      break;
  }
}

bool CSetupDlg::PreTranslateKey(KWnd, uint32_t virtualKey) {
  if (virtualKey != VK_RETURN && virtualKey != VK_ESCAPE) return false;
  KPlatform& platform = Platform();
  if (Tree.GetHwnd() == nullptr || platform.TreeGetEditControl(Tree.GetHwnd()) == nullptr) return false;
  platform.TreeEndEditLabelNow(Tree.GetHwnd(), virtualKey == VK_ESCAPE);
  return true;
}

// ---- Tree notifications

bool CSetupDlg::OnNotify(KNotify& notify) {
  if (notify.id != IDC_TREE) return KDialog::OnNotify(notify);
  auto* record = static_cast<NMDRAGTREE*>(notify.record);
  switch (notify.code) {
    case TVN_SELCHANGINGW:
      notify.result = OnSelChanging() ? 0 : 1;
      return true;
    case TVN_SELCHANGEDW:
      OnSelChanged();
      return true;
    case TVN_BEGINLABELEDITW:
      notify.result = OnBeginLabelEdit(notify.item) ? 0 : 1;
      return true;
    case TVN_ENDLABELEDITW:
      OnEndLabelEdit(notify.item, notify.text);
      notify.result = notify.text != nullptr ? 1 : 0;
      return true;
    case DRAGTREE_BEGINDRAG:
      notify.result = OnDragBegin(record->item) ? 1 : 0;
      return true;
    case DRAGTREE_DRAGOVER:
      OnDragOver(*record);
      return true;
    case DRAGTREE_DROP:
      OnDrop(*record);
      return true;
    default:
      return false;
  }
}

bool CSetupDlg::OnSelChanging() {
  return TreeChangeDepth > 0 || StoreRule();
}

void CSetupDlg::OnSelChanged() {
  if (TreeChangeDepth > 0) return;
  CurrentRule = SelectedRule();
  ShowRule();
}

bool CSetupDlg::OnBeginLabelEdit(KTreeItem item) {
  return StoreRule() && Platform().TreeGetNextItem(Tree.GetHwnd(), item, TVGN_PARENT) != nullptr;
}

void CSetupDlg::OnEndLabelEdit(KTreeItem item, const char16_t* text) {
  if (text == nullptr) return;
  CRegExRule* rule = RuleOfItem(item);
  if (rule == nullptr) return;
  rule->Name = text;
  ShowRule();
  Modified = 1;
}

bool CSetupDlg::OnDragBegin(KTreeItem item) {
  return StoreRule() && RuleOfItem(item) != nullptr;
}

void CSetupDlg::OnDragOver(NMDRAGTREE& record) {
  CRegExList* source = RuleOfItem(record.item) ? ListOfItem(record.item) : nullptr;
  CRegExList* target = ListOfItem(record.target);
  if (source == nullptr || target == nullptr || target == source) {
    record.target = nullptr;
    return;
  }
  record.target = target->TreeItem;
  record.copy = 1;
}

void CSetupDlg::OnDrop(const NMDRAGTREE& record) {
  if (!StoreRule()) return;
  CRegExRule* source = RuleOfItem(record.item);
  CRegExList* target = ListOfItem(record.target);
  if (source == nullptr || target == nullptr) return;
  auto* rule = new CRegExRule();
  rule->CopyFrom(*source);
  target->Add(rule);
  InsertRuleNode(*rule, *target);
  Platform().TreeSelectItem(Tree.GetHwnd(), rule->TreeItem, TVGN_CARET);
  Modified = 1;
  OnSelChanged();
}
