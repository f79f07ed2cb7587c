// The rule editor driven as a user drives it: the tree and fields, validation on every way out of a rule,
// the flag chain, what counts as a change, saving and cancelling, dragging, renaming in place and the
// syntax menus.
#include "editor/CSetupDlg.h"

#include "editor/EditorTest.h"

namespace {

constexpr char16_t kEnterName[] = u"Please enter Pattern Name.";

class CSetupDlgTest : public KEditorTest {
 protected:
  void SetUp() override { WriteRules(nullptr, {{u"Tags", u"<[^>]+>", 1, 1}, {u"Off", u"y", 0}}); }
};

// Three projects, the second current (the tree without projects is every other test's).
TEST_F(CSetupDlgTest, TreeShowsTheGlobalListThenTheCurrentProjectThenTheOthersInHostOrder) {
  for (const char16_t digit : std::u16string_view(u"012")) {
    auto& project = AddProject(u"P" + std::u16string(1, digit), digit == u'1');
    WriteRules(&project, {{u"R" + std::u16string(1, digit)}});
  }
  RunEditor([&](CSetupDlg&) {
    EXPECT_EQ(driver.TreeOutline(IDC_TREE),
              u"Common\n  Tags\n  Off\nProject P1\n  R1\nProject P0\n  R0\nProject P2\n  R2\n");
    const KWnd tree = driver.Control(IDC_TREE);
    for (KTreeItem list = platform.TreeGetNextItem(tree, nullptr, TVGN_ROOT); list;
         list = platform.TreeGetNextItem(tree, list, TVGN_NEXT)) {
      EXPECT_EQ(std::tuple(platform.TreeIsBold(tree, list), platform.TreeIsExpanded(tree, list)),
                std::tuple(true, true));
    }
    int32_t image = 0, selected = 0;
    platform.TreeGetImage(tree, Node(u"Off"), image, selected);
    EXPECT_EQ(std::tuple(image, SelectedLabel(), driver.Text(IDC_PATTERN), driver.Check(IDC_REGEX)),
              std::tuple(2, u"Tags", u"<[^>]+>", BST_CHECKED));
  });
}

// With two lists Add needs a selection; a list node empties the fields and disables what needs a rule.
TEST_F(CSetupDlgTest, AListNodeEmptiesTheFieldsAndAddAppendsToIt) {
  auto& project = AddProject(u"P", true);
  RunEditor([&](CSetupDlg& dialog) {
    platform.TreeSelectItem(driver.Control(IDC_TREE), nullptr, TVGN_CARET);
    driver.Click(IDC_ADD);
    EXPECT_EQ(dialog.GetLists()[1]->GetSize(), 0);
    ASSERT_TRUE(Select(u"Project P"));
    EXPECT_EQ(std::tuple(dialog.Current(), driver.Text(IDC_NAME), driver.Text(IDC_PATTERN),
                         driver.Check(IDC_REGEX)),
              std::tuple(nullptr, u"", u"", BST_CHECKED));  // the boxes keep their last states
    for (int32_t id :
         {IDC_NAME, IDC_PATTERN, IDC_SYNTAX, IDC_CHECK_NONE, IDC_CHECK_MUST_EXIST, IDC_COUNT, IDC_CASE})
      EXPECT_FALSE(driver.IsEnabled(id)) << id;
    for (int32_t id : {IDC_ACTIVE, IDC_REGEX, IDC_TAG, IDC_NATIVE, IDC_ADD, IDC_DELETE})
      EXPECT_TRUE(driver.IsEnabled(id)) << id;
    driver.Click(IDC_ADD);
    EXPECT_EQ(std::tuple(dialog.GetLists()[1]->GetSize(), platform.GetFocus()),
              std::tuple(1, driver.Control(IDC_NAME)));
    driver.Type(u"New");
    driver.TypeInto(IDC_PATTERN, u"n");
    driver.Click(IDOK);
  });
  EXPECT_EQ(RuleNames(&project), std::vector<std::u16string>{u"New"});
}

// Every way out of a new, empty rule runs the validation first and stays on the rule.
TEST_F(CSetupDlgTest, AnIncompleteNewRuleCannotBeLeftByAnyAction) {
  const std::function<void(KEditorTest&)> leaves[] = {
      [](KEditorTest& t) { t.Select(u"Tags"); },
      [](KEditorTest& t) { t.driver.Click(IDC_ADD); },
      [](KEditorTest& t) { t.driver.Click(IDOK); },
      [](KEditorTest& t) { t.driver.BeginRename(IDC_TREE, t.Node(u"Tags")); },
      [](KEditorTest& t) { t.Drag(u"Tags", u"Common"); },
      [](KEditorTest& t) { t.driver.Click(IDC_TEST); },
  };
  for (size_t i = 0; i < std::size(leaves); ++i) {
    SCOPED_TRACE(i);
    RunEditor([&](CSetupDlg& dialog) {
      driver.Click(IDC_ADD);
      CRegExRule* added = dialog.Current();
      leaves[i](*this);
      EXPECT_EQ(
          std::tuple(LastMessage(), dialog.Current(), platform.GetFocus(), dialog.GetLists()[0]->GetSize(),
                     driver.IsVisible(IDC_RESULTS), platform.TreeGetEditControl(driver.Control(IDC_TREE))),
          std::tuple(kEnterName, added, driver.Control(IDC_NAME), 3, false, nullptr));
    });
  }
}

TEST_F(CSetupDlgTest, NameAndPatternLengthsAreValidatedAtTheirLimits) {
  // The name's and the pattern's lengths; the message, empty when accepted.
  const std::tuple<size_t, size_t, std::u16string> cases[] = {
      {80, 2000, u""},
      {1, 1, u""},
      {81, 1, u"Pattern Name:\nInvalid text length.\n(Valid range from 1 to 80 characters)"},
      {1, 2001, u"Text to search:\nInvalid text length.\n(Valid range from 1 to 2000 characters)"},
      {1, 0, u"Please enter Text to search."},
  };
  for (const auto& [name, pattern, message] : cases) {
    SCOPED_TRACE(testing::Message() << name << " " << pattern);
    RunEditor([&](CSetupDlg&) {
      platform.SetText(driver.Control(IDC_NAME), std::u16string(name, u'n'));
      platform.SetText(driver.Control(IDC_PATTERN), std::u16string(pattern, u'p'));
      driver.Click(IDOK);
    });
    EXPECT_EQ(LastMessage(), message);
    if (message.empty()) {
      EXPECT_EQ(RuleNames(nullptr)[0], std::u16string(name, u'n'));
    }
  }
}

TEST_F(CSetupDlgTest, EachMatchFlagNeedsTheOneBefore) {
  RunEditor([&](CSetupDlg& dialog) {
    driver.SetCheck(IDC_TEXT, BST_CHECKED);
    driver.SetCheck(IDC_ORDER, BST_CHECKED);
    driver.SetCheck(IDC_COUNT, BST_UNCHECKED);
    // Whether the text and the order box are enabled and checked.
    const auto chain = [&] {
      return std::tuple(driver.IsEnabled(IDC_TEXT), driver.Check(IDC_TEXT), driver.IsEnabled(IDC_ORDER),
                        driver.Check(IDC_ORDER));
    };
    EXPECT_EQ(chain(), std::tuple(false, BST_UNCHECKED, false, BST_UNCHECKED));
    driver.SetCheck(IDC_COUNT, BST_CHECKED);
    EXPECT_EQ(chain(), std::tuple(true, BST_UNCHECKED, false, BST_UNCHECKED));
    driver.SetCheck(IDC_TEXT, BST_CHECKED);
    EXPECT_EQ(std::tuple(chain(), dialog.IsModified()),
              std::tuple(std::tuple(true, BST_CHECKED, true, BST_UNCHECKED), true));
  });
}

// Cancel asks only after a change that sets the modified flag; the other clicks reach the rule at the
// next store and are saved by OK alone.
TEST_F(CSetupDlgTest, OnlyRealChangesMakeCancelAsk) {
  // What is done and whether it modifies.
  const std::tuple<const char*, std::function<void(KEditorTest&)>, bool> cases[] = {
      {"the other boxes",
       [](KEditorTest& t) {
         for (int32_t id : {IDC_REGEX, IDC_CHECK_MUST_EXIST, IDC_CASE, IDC_TAG, IDC_NATIVE})
           t.driver.Click(id);
       },
       false},
      {"delete",
       [](KEditorTest& t) {
         t.driver.AnswerMessageBox(IDYES);
         t.driver.Click(IDC_DELETE);
       },
       false},
      {"selection", [](KEditorTest& t) { t.Select(u"Off"); }, false},
      {"emptied name", [](KEditorTest& t) { t.driver.ReplaceText(IDC_NAME, u""); }, false},
      {"name", [](KEditorTest& t) { t.driver.TypeInto(IDC_NAME, u"N"); }, true},
      {"pattern", [](KEditorTest& t) { t.driver.TypeInto(IDC_PATTERN, u"p"); }, true},
      {"order flag", [](KEditorTest& t) { t.driver.Click(IDC_COUNT); }, true},
      {"active", [](KEditorTest& t) { t.driver.Click(IDC_ACTIVE); }, true},
  };
  for (const auto& [what, act, modifies] : cases) {
    SCOPED_TRACE(what);
    const intptr_t result = RunEditor([&](CSetupDlg&) {
      act(*this);
      driver.AnswerMessageBox(IDNO);
      driver.Click(IDCANCEL);
    });
    const bool asked = LastMessage() == u"Do you want to save the changes?";
    // Nothing written: the deletion is lost too.
    EXPECT_EQ(std::tuple(result, asked, RuleNames(nullptr).size()), std::tuple(IDCANCEL, modifies, 2u));
  }
}

TEST_F(CSetupDlgTest, CancelQuestionYesSavesNoDiscardsCancelStays) {
  for (int32_t answer : {IDCANCEL, IDNO, IDYES}) {
    SCOPED_TRACE(answer);
    const intptr_t result = RunEditor([&](CSetupDlg& dialog) {
      driver.ReplaceText(IDC_NAME, u"Renamed");
      driver.AnswerMessageBox(answer);
      driver.PressKey(VK_ESCAPE);
      EXPECT_EQ(platform.shownMessageBoxes.back().type, MB_YESNOCANCEL);
      if (answer == IDCANCEL) {
        EXPECT_TRUE(platform.IsWindow(dialog.GetHwnd()));
        dialog.EndDialog(IDCANCEL);
      }
    });
    EXPECT_EQ(std::tuple(result, RuleNames(nullptr)[0]),
              std::tuple(answer == IDYES ? IDOK : IDCANCEL, answer == IDYES ? u"Renamed" : u"Tags"));
  }
}

TEST_F(CSetupDlgTest, DragCopiesToAnotherListAndIsRefusedWithinOne) {
  auto& project = AddProject(u"P", true);
  WriteRules(&project, {{u"Mine"}});
  RunEditor([&](CSetupDlg& dialog) {
    Drag(u"Tags", u"Off");
    EXPECT_EQ(std::tuple(dialog.IsModified(), driver.TreeOutline(IDC_TREE)),
              std::tuple(false, u"Common\n  Tags\n  Off\nProject P\n  Mine\n"));
    Drag(u"Off", u"Mine");
    EXPECT_EQ(driver.TreeOutline(IDC_TREE), u"Common\n  Tags\n  Off\nProject P\n  Mine\n  Off\n");
    EXPECT_EQ(std::tuple(dialog.Current(), dialog.Current()->Active, dialog.IsModified()),
              std::tuple(dialog.GetLists()[1]->GetAt(1), 0, true));
    driver.Click(IDOK);
  });
  EXPECT_EQ(std::tuple(RuleNames(&project), RuleNames(nullptr).size()),
            std::tuple(std::vector<std::u16string>{u"Mine", u"Off"}, 2u));
}

// Typing renames the node at each keystroke (an emptied field keeps the last name); an in-place rename
// ends with Enter or Escape without closing the dialog. The active box changes the image at once and the
// rule on the way out.
TEST_F(CSetupDlgTest, RenamingByTypingOrInPlaceAndTheActiveBox) {
  RunEditor([&](CSetupDlg& dialog) {
    driver.Click(IDC_ACTIVE);
    int32_t image = 0, selected = 0;
    platform.TreeGetImage(driver.Control(IDC_TREE), Node(u"Tags"), image, selected);
    EXPECT_EQ(std::tuple(image, selected, dialog.Current()->Active), std::tuple(2, 2, 1));
    driver.ReplaceText(IDC_NAME, u"Ab");
    EXPECT_NE(Node(u"Ab"), nullptr);
    driver.ReplaceText(IDC_NAME, u"");
    EXPECT_EQ(dialog.Current()->Name, u"Ab");
    EXPECT_EQ(driver.BeginRename(IDC_TREE, Node(u"Ab")), nullptr);  // the emptied field is refused first
    EXPECT_EQ(LastMessage(), kEnterName);
    driver.ReplaceText(IDC_NAME, u"Ab");
    platform.shownMessageBoxes.clear();
    EXPECT_EQ(driver.BeginRename(IDC_TREE, Node(u"Common")), nullptr);  // lists are never renamed
    for (uint32_t key : {VK_ESCAPE, VK_RETURN}) {
      const KWnd edit = driver.BeginRename(IDC_TREE, Node(u"Ab"));
      ASSERT_NE(edit, nullptr);
      platform.SetText(edit, u"Tags!");
      driver.PressKey(key);
      EXPECT_EQ(std::tuple(platform.IsWindow(dialog.GetHwnd()),
                           platform.TreeGetEditControl(driver.Control(IDC_TREE))),
                std::tuple(true, nullptr));
    }
    EXPECT_EQ(std::tuple(driver.Text(IDC_NAME), platform.shownMessageBoxes.size()), std::tuple(u"Tags!", 0u));
    driver.Click(IDOK);
  });
  CRegExList list;
  list.LoadGlobal(false);
  EXPECT_EQ(std::pair(list[0]->Name, list[0]->Active), std::pair(std::u16string(u"Tags!"), 0));
  list.DeleteAll();
}

TEST_F(CSetupDlgTest, DeleteAsksWithNoAsDefaultAndSelectsTheNextRule) {
  RunEditor([&](CSetupDlg& dialog) {
    driver.Click(IDC_DELETE);  // unanswered: the default button, No
    EXPECT_EQ(
        std::tuple(platform.shownMessageBoxes.back().type, LastMessage(), dialog.GetLists()[0]->GetSize()),
        std::tuple(MB_YESNO | MB_DEFBUTTON2, u"Do you want to delete this rule?", 2));
    driver.AnswerMessageBox(IDYES);
    driver.Click(IDC_DELETE);
    EXPECT_EQ(std::tuple(driver.TreeOutline(IDC_TREE), driver.Text(IDC_NAME)),
              std::tuple(u"Common\n  Off\n", u"Off"));
    Select(u"Common");
    driver.Click(IDC_DELETE);  // no rule: nothing is asked
    EXPECT_EQ(platform.shownMessageBoxes.size(), 2u);
    driver.Click(IDOK);
  });
  EXPECT_EQ(RuleNames(nullptr), std::vector<std::u16string>{u"Off"});
}

// The syntax menus insert their fixed texts at the caret or over the selection; a dismissed menu (command 0)
// changes nothing.
TEST_F(CSetupDlgTest, SyntaxMenuInsertsAtTheCaret) {
  // The regular expression box, the command chosen (0: none) and the selection; the text and the caret after.
  const std::tuple<bool, uint32_t, KTextRange, std::u16string, int32_t> cases[] = {
      {true, ID_SYNTAX_NOT_IN_RANGE, {0, 7}, u"[^]", 2},
      {true, ID_SYNTAX_GROUP, {1, 3}, u"<()>]+>", 2},
      {true, ID_SYNTAX_IN_RANGE, {7, 7}, u"<[^>]+>[]", 8},
      {true, ID_SYNTAX_TAGGED, {0, 0}, u"\\<[^>]+>", 1},
      {false, ID_SYNTAX_TAB, {7, 7}, u"<[^>]+>\\t", 9},
      {false, ID_SYNTAX_LINE_FEED, {0, 7}, u"\\n", 2},
      {true, 0, {2, 2}, u"<[^>]+>", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::get<1>(c));
    RunEditor([&](CSetupDlg& dialog) {
      const auto& [regex, command, selection, text, caret] = c;
      if (!regex) driver.Click(IDC_REGEX);
      if (command) driver.AnswerMenu(command);
      platform.SetSelection(driver.Control(IDC_PATTERN), selection);
      driver.Click(IDC_SYNTAX);
      const KShownMenu& menu = platform.shownMenus.back();
      const KRect button = platform.GetWindowRect(driver.Control(IDC_SYNTAX));
      EXPECT_EQ(std::tuple(menu.menuId, menu.items.size(), menu.point),
                std::tuple(regex ? IDR_REGEX_MENU : IDR_LITERAL_MENU, regex ? 11u : 2u,
                           KPoint{button.right, button.top}));
      const KWnd box = driver.Control(IDC_PATTERN);
      EXPECT_EQ(std::tuple(driver.Text(IDC_PATTERN), platform.GetSelection(box), dialog.IsModified(),
                           platform.GetFocus() == box),
                std::tuple(text, KTextRange{caret, caret}, command != 0, command != 0));
    });
  }
}

}  // namespace
