// Navigation areas of a loaded module: root entries, menus, entries, item look-ups and RWRO marks.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/test_paths.h"

namespace {

// Reference, label reference, display reference, kind, image list index.
using Entry = std::tuple<std::u16string, std::u16string, std::u16string, int32_t, std::u16string>;

std::vector<Entry> Rows(const std::vector<CDDMenuEntry>& entries) {
  std::vector<Entry> rows;
  for (const CDDMenuEntry& e : entries) {
    rows.emplace_back(e.m_reference.String(), e.m_labelRef.String(), e.m_displayRef.String(), e.m_kind,
                      e.m_imageListIndex.String());
  }
  return rows;
}

// Result, label, label reference, display reference, image list index, kind;
// the outputs start as "old" texts and -7.
using Info = std::tuple<int32_t, std::u16string, std::u16string, std::u16string, std::u16string, int32_t>;

Info Find(const CDDModule& module, const std::u16string& parent, const std::u16string& item, int32_t kind = -7) {
  std::u16string label = u"old", labelRef = u"old", display = u"old", index = u"old";
  const int32_t result = module.FindItemInfo(parent, item, label, labelRef, display, index, kind);
  return {result, label, labelRef, display, index, kind};
}

class NavigationArea : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(k42test::Load(model, "readers/nav_navigation.xml", "common/minimal_loc.xml"), 0);
    ASSERT_EQ(model.Modules().size(), 2u);
  }
  // Labels as the localized file would give them.
  void Label() {
    Nav().Menus()[0]->SetLabel(u"Main", 0, u"");
    Nav().Menus()[2]->SetLabel(u"Sub one", 0, u"");
    Nav().Menus()[3]->SetLabel(u"Sub two", 0, u"");
  }
  const CDDModule& Nav() const { return *model.Modules()[0]; }
  CDDModel model;
};

TEST_F(NavigationArea, RootEntriesImageListAndEntryElementsWithTheirRequiredAttributes) {
  // The last area naming an image list wins; one without it keeps it.
  EXPECT_EQ(Nav().GetTreeImageList(), u"second.bmp");
  EXPECT_EQ(model.Modules()[1]->GetTreeImageList(), u"");
  // A root "MENU" without any attribute is still an entry, of kind UNKNOWN.
  EXPECT_EQ(Rows(Nav().RootMenu().Entries()), (std::vector<Entry>{{u"mnuMain", u"", u"pdMain", ROOTMENU, u"0"},
                                                                  {u"", u"", u"", UNKNOWN, u""},
                                                                  {u"mnuSub", u"", u"", ROOTMENU, u""}}));

  ASSERT_FALSE(Nav().Menus().empty());
  const CDDMenuItem& main = *Nav().Menus()[0];
  ASSERT_EQ(main.Id(), u"mnuMain");
  // Dropped: a variable without display or reference, a method without
  // display, a module without reference. Kept in document order,
  // duplicates included, texts exactly as written.
  EXPECT_EQ(Rows(main.Entries()), (std::vector<Entry>{{u"varA", u"lblA", u"pdA", VARIABLE, u" 2x"},
                                                      {u"metA", u"", u"pdMet", METHOD, u"3"},
                                                      {u"modOther", u"", u"", MODULE, u""},
                                                      {u"mnuSub", u"", u"pdSub", MENU, u"1"},
                                                      {u"", u"", u"", MENU, u""},
                                                      {u"varA", u"", u"pdSecond", VARIABLE, u""}}));
  // Look-ups by reference are exact and find the first of two entries.
  std::u16string display = u"unchanged";
  EXPECT_FALSE(main.FindEntryDisplay(u"VARA", display));
  EXPECT_EQ(display, u"unchanged");
  EXPECT_TRUE(main.FindEntryDisplay(u"varA", display));
  EXPECT_EQ(display, u"pdA");
}

TEST_F(NavigationArea, MenuDeclarationsByIdentifier) {
  // The declaration without "MENU_ID" leaves no trace (nor its varGhost
  // entry); the empty identifier is stored but not entered into the local
  // dictionary.
  std::vector<std::u16string> ids;
  for (const auto& menu : Nav().Menus()) ids.emplace_back(menu->Id());
  EXPECT_EQ(ids, (std::vector<std::u16string>{u"mnuMain", u"", u"mnuSub", u"mnuSub", u"mnuLate"}));
  EXPECT_EQ(Nav().FindChild(u""), nullptr);
  EXPECT_EQ(Rows(Nav().Menus()[1]->Entries()), (std::vector<Entry>{{u"modEmpty", u"", u"", MODULE, u""}}));

  // Two menus of one identifier: both listed, look-ups find the first.
  EXPECT_EQ(Nav().FindChild(u"mnuSub"), Nav().Menus()[2].get());
  EXPECT_EQ(Nav().FindMenuIndex(u"mnuSub"), 2);
  EXPECT_EQ(Nav().FindMenuIndex(u"mnuLate"), 4);
  EXPECT_EQ(Nav().FindMenuIndex(u"MNUSUB"), -1);

  std::vector<CDDMenuEntry> entries(3);
  EXPECT_EQ(Nav().GetMenuEntries(3, entries), 0);
  EXPECT_EQ(Rows(entries), (std::vector<Entry>{{u"varSub2", u"", u"pdSub2", VARIABLE, u""}}));
  EXPECT_EQ(Nav().GetMenuEntries(5, entries), -1);
  EXPECT_EQ(Nav().GetMenuEntries(-1, entries), -1);
  EXPECT_EQ(entries.size(), 1u);
}

TEST_F(NavigationArea, FindItemInfoBelowAMenuAndAtTheRoot) {
  Label();
  EXPECT_EQ(Find(Nav(), u"mnuMain", u"varA"), Info(0, u"", u"lblA", u"pdA", u" 2x", VARIABLE));
  // A sub-menu entry takes the label of the last menu of that identifier.
  EXPECT_EQ(Find(Nav(), u"mnuMain", u"mnuSub"), Info(0, u"Sub two", u"", u"pdSub", u"1", MENU));
  // Not found: label and label reference emptied, the rest left alone;
  // the parent is the first menu of its identifier.
  EXPECT_EQ(Find(Nav(), u"mnuMain", u"varNoDisplay"), Info(0, u"", u"", u"old", u"old", -7));
  EXPECT_EQ(Find(Nav(), u"mnuSub", u"varSub2"), Info(2, u"", u"", u"old", u"old", -7));
  EXPECT_EQ(Find(Nav(), u"mnuNone", u"varA"), Info(-1, u"", u"", u"old", u"old", -7));
  // At the root the result is never negative.
  EXPECT_EQ(Find(Nav(), u"", u"mnuMain"), Info(0, u"Main", u"", u"pdMain", u"0", ROOTMENU));
  // No root entry and no menu: the number of menus, the caller's kind stands.
  EXPECT_EQ(Find(Nav(), u"", u"varA", VARIABLE), Info(5, u"", u"", u"old", u"old", VARIABLE));
  // The attribute-less root entry; the menu with the empty identifier.
  EXPECT_EQ(Find(Nav(), u"", u""), Info(1, u"", u"", u"", u"", UNKNOWN));
  EXPECT_EQ(Find(*model.Modules().at(1), u"", u"mnuMain"), Info(0, u"", u"", u"old", u"old", -7));

  // FindMenuOfItem hands out the display of the first entry.
  std::u16string display = u"unchanged";
  EXPECT_EQ(Nav().FindMenuOfItem(u"varSub2", display), 3);
  EXPECT_EQ(display, u"pdSub2");
  EXPECT_EQ(Nav().FindMenuOfItem(u"varA", display), 0);
  EXPECT_EQ(display, u"pdA");
  EXPECT_EQ(Nav().FindMenuOfItem(u"mnuMain", display), -1);  // a root entry is in no menu
  EXPECT_EQ(display, u"pdA");
}

TEST(ModuleRwro, ConditionMarksTheNamedDisplaysOfTheSameModule) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "readers/nav_rwro.xml", "common/minimal_loc.xml"), 0);
  ASSERT_EQ(model.Modules().size(), 2u);
  std::vector<std::u16string> marked;
  for (const auto& display : model.Modules()[0]->Displays()) {
    if (display->GetRwro()) marked.emplace_back(display->Id());
  }
  // "COND" 1 marks every display its menu names; "RWRO_COND" decides alone
  // when present ("0" or "true" against "COND" 1); other spellings of 1 and
  // a dropped entry mark nothing.
  EXPECT_EQ(marked, (std::vector<std::u16string>{u"pdCond", u"pdCondMet", u"pdExplicit", u"pdShared"}));
  for (const auto& display : model.Modules()[1]->Displays()) {
    EXPECT_FALSE(display->GetRwro()) << "another module's display is untouched";
  }
  std::vector<bool> conditional;
  for (const auto& menu : model.Modules()[0]->Menus()) conditional.push_back(menu->IsRwroConditional());
  EXPECT_EQ(conditional, (std::vector<bool>{true, false, true, false, false, false}));
}

}  // namespace
