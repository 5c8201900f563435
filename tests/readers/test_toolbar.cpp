// Toolbars read into the model's toolbar items and image list reference.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

// Identifier, item type, action type, action, bitmap index.
using Row = std::tuple<std::u16string, int32_t, int32_t, std::u16string, int32_t>;

TEST(Toolbar, ItemsUntilOneLacksItsItemType) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/nav_toolbar.xml", "common/minimal_loc.xml"), 0);
    std::vector<Row> rows;
    for (const CDDToolbarItem* item : model.ToolbarItems()) {
        rows.emplace_back(item->Id(), item->GetItemType(), item->GetActionType(), item->GetAction(),
                          item->GetBitmapIndex());
    }
    const std::vector<Row> expected = {
        {u"tbOpen", kTOOLBAR_BUTTON, kDIALOGBOX, u"open", 3},
        {u"", kTOOLBAR_SEP, kDIALOGBOX, u"", 12},
        {u"", kTOOLBAR_CHECK, kFUNCTIONONLINE, u"", 0},  // its own action type, unlike the menu bar
        {u"", kTOOLBAR_BUTTON, kMODULE, u"modA", -2},
        {u"", kTOOLBAR_CHECK, kFUNCTION, u"", 0},
        {u"", kTOOLBAR_CHECK, kDIALOGBOX, u"de", 0},  // "SETLANGUAGE" is no toolbar action
        // An unknown item type is reported as a plain button.
        {u"", CDDToolbarItem::kUnknownItemType, kDIALOGBOX, u"", 0},
        // An item without "TOOLBAR_ITEMTYPE" ends its toolbar; the next toolbar is read.
        {u"tbSecond", kTOOLBAR_BUTTON, kDIALOGBOX, u"", 0},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(CDDToolbarItem::kUnknownItemType, kTOOLBAR_BUTTON);
}

TEST(Toolbar, ImageListOfTheLastToolbarThatNamesOneAndNoLabels) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/nav_toolbar.xml", "common/minimal_loc.xml"), 0);
    // A toolbar without "TOOLBAR_IMAGELIST" keeps the one named before.
    std::u16string reference;
    EXPECT_EQ(model.GetToolbarImageList(reference), 9u);
    EXPECT_EQ(reference, u"third.bmp");

    CDDModel first;
    ASSERT_EQ(k42test::Load(first, "readers/nav_menubar.xml", "common/minimal_loc.xml"), 0);
    EXPECT_TRUE(first.ToolbarItems().empty());

    // Toolbar items stay out of the element dictionary: the label of the
    // same identifier keeps it, so the localized file never reaches them.
    ASSERT_FALSE(model.ToolbarItems().empty());
    EXPECT_EQ(model.ElementDictionary().FindChild(u"tbOpen"), model.Labels().at(0));
    EXPECT_EQ(model.ElementDictionary().FindChild(u"tbSecond"), nullptr);
}

}  // namespace
