// Module operations over loaded menus: item look-ups and the RWRO marks passed to displays.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

// Result, label, label reference, display reference, image list index, kind;
// the outputs start as "old" texts and -7.
using Info = std::tuple<int32_t, std::u16string, std::u16string, std::u16string, std::u16string, int32_t>;

Info Find(const CDDModule& module, const std::u16string& parent, const std::u16string& item, int32_t kind = -7) {
    std::u16string label = u"old", labelRef = u"old", display = u"old", index = u"old";
    const int32_t result = module.FindItemInfo(parent, item, label, labelRef, display, index, kind);
    return {result, label, labelRef, display, index, kind};
}

class ModuleItems : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(k42test::Load(model, "readers/nav_navigation.xml", "common/minimal_loc.xml"), 0);
        // Labels as the localized file would give them.
        Nav().Menus()[0]->SetLabel(u"Main", 0, u"");
        Nav().Menus()[2]->SetLabel(u"Sub one", 0, u"");
        Nav().Menus()[3]->SetLabel(u"Sub two", 0, u"");
    }
    const CDDModule& Nav() const { return *model.Modules().at(0); }
    CDDModel model;
};

TEST_F(ModuleItems, FindItemInfoBelowAMenu) {
    EXPECT_EQ(Find(Nav(), u"mnuMain", u"varA"), Info(0, u"", u"lblA", u"pdA", u" 2x", VARIABLE));
    // A sub-menu entry takes the label of the last menu of that identifier.
    EXPECT_EQ(Find(Nav(), u"mnuMain", u"mnuSub"), Info(0, u"Sub two", u"", u"pdSub", u"1", MENU));
    // Not found: label and label reference emptied, the rest left alone;
    // the parent is the first menu of its identifier.
    EXPECT_EQ(Find(Nav(), u"mnuMain", u"varNoDisplay"), Info(0, u"", u"", u"old", u"old", -7));
    EXPECT_EQ(Find(Nav(), u"mnuSub", u"varSub2"), Info(2, u"", u"", u"old", u"old", -7));
    EXPECT_EQ(Find(Nav(), u"mnuNone", u"varA"), Info(-1, u"", u"", u"old", u"old", -7));
}

TEST_F(ModuleItems, FindItemInfoAtTheRootIsNeverNegative) {
    EXPECT_EQ(Find(Nav(), u"", u"mnuMain"), Info(0, u"Main", u"", u"pdMain", u"0", ROOTMENU));
    // No root entry and no menu: the number of menus, the caller's kind stands.
    EXPECT_EQ(Find(Nav(), u"", u"varA", VARIABLE), Info(5, u"", u"", u"old", u"old", VARIABLE));
    // The attribute-less root entry; the menu with the empty identifier.
    EXPECT_EQ(Find(Nav(), u"", u""), Info(1, u"", u"", u"", u"", UNKNOWN));
    EXPECT_EQ(Find(*model.Modules().at(1), u"", u"mnuMain"), Info(0, u"", u"", u"old", u"old", -7));
}

TEST_F(ModuleItems, FindMenuOfItemHandsOutTheFirstEntrysDisplay) {
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
    for (const CDDPardis* display : model.Modules()[0]->Displays()) {
        if (display->GetRwro()) marked.push_back(display->Id());
    }
    // "COND" 1 marks every display its menu names; "RWRO_COND" decides alone
    // when present ("0" or "true" against "COND" 1); other spellings of 1 and
    // a dropped entry mark nothing.
    EXPECT_EQ(marked, (std::vector<std::u16string>{u"pdCond", u"pdCondMet", u"pdExplicit", u"pdShared"}));
    for (const CDDPardis* display : model.Modules()[1]->Displays()) {
        EXPECT_FALSE(display->GetRwro()) << "another module's display is untouched";
    }
    std::vector<bool> conditional;
    for (const CDDMenuItem* menu : model.Modules()[0]->Menus()) conditional.push_back(menu->IsRwroConditional());
    EXPECT_EQ(conditional, (std::vector<bool>{true, false, true, false, false, false}));
}

}  // namespace
