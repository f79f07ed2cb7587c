// Tests of the resource source: the module's own tables compiled from ZAKRegExChecks.rc, and a translated
// resource library loaded by path that replaces them.
#include "support/KResourceSource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>

#include "common/FileBytes.h"
#include "common/TestHost.h"
#include "platform/KWinDefs.h"
#include "resource.h"
#include "support/KLibraryResources.h"
#include "support/KResourceTable.h"

namespace {

std::u16string String(uint32_t id) {
  std::u16string text;
  EXPECT_TRUE(ResourceSource().GetString(id, text)) << "string " << id;
  return text;
}

const KResourceTable& Own() {
  const KResourceTable* tables = ResourceSource().Tables();
  EXPECT_NE(tables, nullptr);
  return *tables;
}

TEST(KResourceSource, EveryStringOfTheTableIsThereWithItsText) {
  for (uint32_t id = 104; id <= 120; ++id) EXPECT_FALSE(String(id).empty()) << id;
  for (uint32_t id : {32550u, 32551u, 32552u, 32580u}) EXPECT_FALSE(String(id).empty()) << id;
  std::u16string text = u"unchanged";
  for (uint32_t id : {103u, 121u, 32549u, 32553u}) EXPECT_FALSE(ResourceSource().GetString(id, text)) << id;
  // The script's escapes: a doubled quote and \n.
  EXPECT_EQ(String(IDS_MISSING_IN_TRANSLATION), u"\"%1\" doesn't exist in translation.");
  EXPECT_EQ(String(IDS_INVALID_LENGTH), u"%1:\nInvalid text length.\n(Valid range from %2 to %3 characters)");
}

// The frame, and every control in tab order with the bits the editor's groups and the test pane depend on.
TEST(KResourceSource, RuleEditorDialogGroupsItsControlsAndHidesTheTestPane) {
  const KDialogTemplate* dialog = Own().FindDialog(IDD_SETUP);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(std::u16string(dialog->caption), u"Inline Patterns");
  EXPECT_EQ(std::u16string(dialog->fontName), u"MS Shell Dlg");
  EXPECT_EQ((std::array<int, 3>{dialog->fontSize, dialog->cx, dialog->cy}), (std::array{8, 500, 302}));
  const uint32_t frame = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
  EXPECT_EQ(dialog->style & frame, frame);
  // Each control in tab order: its id, G when it starts a group, H when hidden (the test pane).
  std::string controls;
  for (const KDialogControl& control : dialog->controls) {
    controls += (controls.empty() ? "" : " ") + std::to_string(control.id) +
                ((control.style & WS_GROUP) != 0 ? "G" : "") + ((control.style & WS_VISIBLE) == 0 ? "H" : "");
  }
  EXPECT_EQ(controls,
            "1003 1004 1001 -1G 1005 -1G 1006 1012 1018G 1011G -1 1024 1010 -1 1025G 1002 1007 1008 1026G "
            "1017G 1013G 1009 1G 2 1019G 1020GH -1H -1H 1014H -1H 1015H -1H 1022 1016H");
}

// What each kind of statement makes: its class, its implied style, continued lines and NOT.
TEST(KResourceSource, DialogControlsHaveTheirClassesStylesAndRectangles) {
  const auto controls = Own().FindDialog(IDD_SETUP)->controls;
  const KDialogControl& tree = controls[2];
  EXPECT_EQ(std::u16string(tree.className), u"SysTreeView32");
  const uint32_t treeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS |
                             TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
  EXPECT_EQ(tree.style & treeStyle, treeStyle);
  EXPECT_EQ((std::array{tree.x, tree.y, tree.cx, tree.cy}), (std::array<int16_t, 4>{7, 24, 126, 246}));
  EXPECT_EQ(std::u16string(controls[15].text), u"&Must exist in translation if also exists in source");
  EXPECT_EQ(controls[15].style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
  EXPECT_EQ(controls[19].style & (BS_TYPEMASK | BS_MULTILINE), BS_AUTOCHECKBOX | BS_MULTILINE);
  EXPECT_EQ(controls[22].style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(controls[25].style & 0x1F, SS_ETCHEDVERT);
  EXPECT_EQ(std::u16string(controls[28].className), u"Edit");
  EXPECT_EQ(controls[28].style & (ES_MULTILINE | WS_VSCROLL | ES_WANTRETURN), ES_MULTILINE | WS_VSCROLL);
  EXPECT_NE(controls[32].style & ES_READONLY, 0u);
}

// Bitmap and cursors arrive byte for byte as their files: the tree's three 16-pixel images side by side,
// the cursors 32 pixels with their hot spot at 1,1.
TEST(KResourceSource, BinaryResourcesAreTheirFilesWhole) {
  const std::filesystem::path folder = std::filesystem::path(__FILE__).parent_path() / "../../resources";
  const std::pair<const KBinaryResource*, const char*> resources[] = {
      {Own().FindBitmap(IDB_TREE), "TreeImages.bmp"},
      {Own().FindCursor(IDCUR_DRAG_MOVE), "DragMove.cur"},
      {Own().FindCursor(IDCUR_DRAG_COPY), "DragCopy.cur"}};
  for (const auto& [resource, file] : resources) {
    ASSERT_NE(resource, nullptr) << file;
    const std::string bytes = ReadFileBytes(folder / file);
    ASSERT_GE(bytes.size(), 30u) << file;
    EXPECT_EQ(std::string(resource->bytes.begin(), resource->bytes.end()), bytes) << file;
  }
  // The files' fields are little-endian, as every host of the module is.
  std::array<uint32_t, 2> bitmapSize{};
  std::memcpy(bitmapSize.data(), Own().FindBitmap(IDB_TREE)->bytes.data() + 18, sizeof bitmapSize);
  EXPECT_EQ(bitmapSize, (std::array<uint32_t, 2>{48, 16}));
  const unsigned char* cur = Own().FindCursor(IDCUR_DRAG_MOVE)->bytes.data();
  std::array<uint16_t, 2> hotSpot{};
  std::memcpy(hotSpot.data(), cur + 10, sizeof hotSpot);
  EXPECT_EQ(std::tuple(cur[6], cur[7], hotSpot), std::tuple(32, 32, std::array<uint16_t, 2>{1, 1}));
}

class KResourceLibrary : public testing::Test {
 protected:
  void TearDown() override { SetResourceSource(nullptr); }
  static std::u16string Path() { return testhost::ToU16(IP_TRANSLATED_RESOURCES); }
};

TEST_F(KResourceLibrary, TranslatedLibraryServesItsStringsAndMenusAfterItReplacesTheSource) {
  std::unique_ptr<KResourceSource> library = LoadResourceLibrary(Path());
  ASSERT_NE(library, nullptr);
  ASSERT_NE(library->Tables(), nullptr);
  EXPECT_EQ(library->ModuleHandle(), nullptr);
  // The translated menu keeps the commands, and has its own separator and flags.
  const auto items = library->Tables()->FindMenu(IDR_LITERAL_MENU)->items[0].Children();
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(std::u16string(items[0].text), u"Zeilenvorschub\t\\n");
  EXPECT_EQ((std::array<uint32_t, 3>{items[1].flags, items[2].command, items[2].flags}),
            (std::array<uint32_t, 3>{KMENU_SEPARATOR, ID_SYNTAX_TAB, KMENU_GRAYED}));

  EXPECT_EQ(String(IDS_ADDIN_NAME), u"Inline Patterns");
  SetResourceSource(std::move(library));
  EXPECT_EQ(String(IDS_ADDIN_NAME), u"Inline-Muster");
  EXPECT_EQ(String(IDS_MUST_NOT_APPEAR), u"Text \"%1\" darf nicht vorkommen.\tTabAA");
  std::u16string text;
  EXPECT_FALSE(ResourceSource().GetString(IDS_UNEQUAL_COUNT, text));  // the library has no fallback
  EXPECT_EQ(ResourceSource().Tables()->FindMenu(IDR_REGEX_MENU), nullptr);

  SetResourceSource(nullptr);
  EXPECT_EQ(String(IDS_ADDIN_NAME), u"Inline Patterns");
}

TEST_F(KResourceLibrary, PathsThatDoNotLoadGiveNull) {
  EXPECT_EQ(LoadResourceLibrary(u"/nonexistent/ZAKRegExChecks-de.so"), nullptr);
  EXPECT_EQ(LoadResourceLibrary(u""), nullptr);
  EXPECT_EQ(LoadResourceLibrary(u"libm.so.6"), nullptr);  // loads, but holds no resource tables
}

}  // namespace
