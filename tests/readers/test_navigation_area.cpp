// Navigation areas read into root entries, menus and entries of a loaded module.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

// Reference, label reference, display reference, kind, image list index.
using Entry = std::tuple<std::u16string, std::u16string, std::u16string, int32_t, std::u16string>;

std::vector<Entry> Rows(const std::vector<CDDMenuEntry>& entries) {
    std::vector<Entry> rows;
    for (const CDDMenuEntry& e : entries) {
        rows.emplace_back(e.m_reference, e.m_labelRef, e.m_displayRef, e.m_kind, e.m_imageListIndex);
    }
    return rows;
}

class NavigationArea : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(k42test::Load(model, "readers/nav_navigation.xml", "common/minimal_loc.xml"), 0);
        ASSERT_EQ(model.Modules().size(), 2u);
    }
    const CDDModule& Nav() const { return *model.Modules()[0]; }
    CDDModel model;
};

TEST_F(NavigationArea, RootEntriesAndImageListAccumulateOverAreas) {
    // The last area naming an image list wins; one without it keeps it.
    EXPECT_EQ(Nav().GetTreeImageList(), u"second.bmp");
    EXPECT_EQ(model.Modules()[1]->GetTreeImageList(), u"");
    // A root "MENU" without any attribute is still an entry, of kind UNKNOWN.
    EXPECT_EQ(Rows(Nav().RootMenu().Entries()), (std::vector<Entry>{{u"mnuMain", u"", u"pdMain", ROOTMENU, u"0"},
                                                                     {u"", u"", u"", UNKNOWN, u""},
                                                                     {u"mnuSub", u"", u"", ROOTMENU, u""}}));
}

TEST_F(NavigationArea, EntryElementsNeedTheirRequiredAttributes) {
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
    for (const CDDMenuItem* menu : Nav().Menus()) ids.push_back(menu->Id());
    EXPECT_EQ(ids, (std::vector<std::u16string>{u"mnuMain", u"", u"mnuSub", u"mnuSub", u"mnuLate"}));
    EXPECT_EQ(Nav().FindChild(u""), nullptr);
    EXPECT_EQ(Rows(Nav().Menus()[1]->Entries()), (std::vector<Entry>{{u"modEmpty", u"", u"", MODULE, u""}}));

    // Two menus of one identifier: both listed, look-ups find the first.
    EXPECT_EQ(Nav().FindChild(u"mnuSub"), Nav().Menus()[2]);
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

}  // namespace
