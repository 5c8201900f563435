// Menu bars read into flat, bracketed item lists, and toolbars into items and an image list.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "model/LoadBounds.h"
#include "platform/text.h"
#include "support/log_capture.h"
#include "support/test_paths.h"

namespace {

// Menu type, identifier, action type, action, menu identifier, variable identifier.
using Row = std::tuple<int32_t, std::u16string, int32_t, std::u16string, std::u16string, std::u16string>;

template <typename Items>
std::vector<Row> Rows(const Items& items) {
  std::vector<Row> rows;
  for (const auto& item : items) {
    rows.emplace_back(item->GetMenuType(), item->Id(), item->GetActionType(), item->GetAction(), item->GetMenuId(),
                      item->GetVariableId());
  }
  return rows;
}

TEST(Menubar, PopupsAreBracketedAndVariablesRewriteTheLastItem) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "readers/nav_menubar.xml", "common/minimal_loc.xml"), 0);
  const std::vector<Row> expected = {
      // The first child of a popup rewrites its begin item.
      {kPOPUP_BEGIN, u"popFile", kENUM, u"", u"mFile", u"vFile"},
      {kMENUITEM, u"itmOpen", kDIALOGBOX, u"open", u"", u""},
      {kSEPARATOR, u"", kDIALOGBOX, u"", u"", u""},
      {kPOPUP_BEGIN, u"", kDIALOGBOX, u"", u"", u""},
      {kMENUITEM, u"itmDeep", kFUNCTION, u"", u"", u""},  // "FUNCTIONONLINE" is a plain function here
      // After a closed popup its end marker is rewritten; one attribute alone changes nothing.
      {kPOPUP_END, u"", kENUM, u"", u"mAfter", u"vAfter"},
      {kPOPUP_END, u"", kDIALOGBOX, u"", u"", u""},
      {kPOPUP_BEGIN, u"popEmpty", kDIALOGBOX, u"", u"", u""},
      {kPOPUP_END, u"", kDIALOGBOX, u"", u"", u""},
      {kMENUITEM, u"lblTaken", kMODULE, u"modOther", u"", u""},
      {kMENUITEM, u"", kFUNCTION, u"", u"", u""},
      {kMENUITEM, u"itmLang", kSETLANGUAGE, u"de", u"", u""},
      // The first child of the later "MENUBAR" reaches back to this item.
      {kMENUITEM, u"", kENUM, u"", u"mLater", u"vLater"},
      {kMENUITEM, u"itmSecond", kDIALOGBOX, u"", u"", u""},
  };
  EXPECT_EQ(Rows(model.MenubarItems()), expected);

  ASSERT_EQ(model.Modules().size(), 1u);
  ASSERT_EQ(model.MenubarItems().size(), 14u);
  std::vector<CDDMenubarItem*> moduleItems;
  model.Modules()[0]->GetMenubarItems(moduleItems);
  // The module's own list starts empty, so its leading variable is ignored.
  EXPECT_EQ(Rows(moduleItems), (std::vector<Row>{{kPOPUP_BEGIN, u"popModule", kDIALOGBOX, u"", u"", u""},
                                                 {kMENUITEM, u"itmModule", kMODULE, u"modOther", u"", u""},
                                                 {kPOPUP_END, u"", kDIALOGBOX, u"", u"", u""}}));

  // Items with identifiers enter the model's dictionary, a module's too;
  // the label declared earlier keeps its identifier.
  const CDDElementMap& dictionary = model.ElementDictionary();
  EXPECT_EQ(dictionary.FindChild(u"popFile"), model.MenubarItems()[0].get());
  EXPECT_EQ(dictionary.FindChild(u"itmDeep"), model.MenubarItems()[4].get());
  EXPECT_EQ(dictionary.FindChild(u"itmSecond"), model.MenubarItems()[13].get());
  ASSERT_EQ(moduleItems.size(), 3u);
  EXPECT_EQ(dictionary.FindChild(u"itmModule"), moduleItems[1]);
  EXPECT_EQ(model.Modules()[0]->FindChild(u"itmModule"), nullptr);
  ASSERT_EQ(model.Labels().size(), 1u);
  EXPECT_EQ(dictionary.FindChild(u"lblTaken"), model.Labels()[0].get());
}

// A GUI XML file whose menu bar nests depth popups (with an item in the deepest) and then holds width
// separators; the localized file is written beside it. Returns the directory.
std::u16string WriteMenubarDevice(int depth, int width) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<tv:GUIXML xmlns:tv=\"urn:k42gui:guixml\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:schemaLocation=\"urn:k42gui:guixml " K42GUI_SOURCE_DIR "/schemas/guixml.xsd\">\n<MENUBAR>";
  for (int i = 0; i < depth; ++i) xml += "<MENUBAR_POPUP>";
  xml += "<MENUBAR_ITEM MENUBAR_ID=\"itmDeepest\"/>";
  for (int i = 0; i < depth; ++i) xml += "</MENUBAR_POPUP>";
  xml += "<MENUBAR_VARIABLE MENUBAR_MENU_ID=\"m\" MENUBAR_VARIABLE_ID=\"v\"/>";
  for (int i = 0; i < width; ++i) xml += "<MENUBAR_SEPARATOR/>";
  xml += "</MENUBAR>\n</tv:GUIXML>\n";
  const std::filesystem::path xmlPath = k42test::WriteTempFile("deep_menubar.xml", xml);
  k42test::WriteTempFile("deep_menubar_loc.xml",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<LANGUAGE_SUPPORT xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                         "xsi:noNamespaceSchemaLocation=\"" K42GUI_SOURCE_DIR
                         "/schemas/guixml-loc.xsd\">\n"
                         "  <LANG ID=\"en\" DEFAULT=\"1\"/>\n</LANGUAGE_SUPPORT>\n");
  return k42::FromNarrow(xmlPath.parent_path().string() + "/");
}

// Popups nested as deep as the load bound allows and a hostile width are read (the width without
// quadratic time), keeping the bracketing of an ordinary file; one level more refuses the file.
TEST(Menubar, PopupsNestedToTheBoundAndWideAreRead) {
  constexpr int kDepth = k42::kMaxElementDepth - 3;  // the document, "MENUBAR" and the item take three levels
  constexpr int kWidth = 50000;
  CDDModel model;
  ASSERT_EQ(model.Initialize(WriteMenubarDevice(kDepth, kWidth), u"deep_menubar.xml", u"deep_menubar_loc.xml", u"en", 1,
                             nullptr),
            0);
  const auto& items = model.MenubarItems();
  ASSERT_EQ(items.size(), 2u * kDepth + 1 + kWidth);
  int depth = 0, deepest = 0;
  for (size_t i = 0; i <= 2u * kDepth; ++i) {
    const int32_t type = items[i]->GetMenuType();
    if (type == kPOPUP_BEGIN) deepest = std::max(deepest, ++depth);
    if (type == kPOPUP_END) --depth;
    ASSERT_GE(depth, 0) << "item " << i;
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(deepest, kDepth);
  EXPECT_EQ(std::tuple(items[kDepth]->Id(), items[kDepth]->GetMenuType()), std::tuple(u"itmDeepest", kMENUITEM));
  // The variable after the outermost popup rewrites its end marker.
  EXPECT_EQ(std::tuple(items[2 * kDepth]->GetMenuType(), items[2 * kDepth]->GetVariableId()),
            std::tuple(kPOPUP_END, u"v"));
  EXPECT_EQ(items[2 * kDepth + 1]->GetMenuType(), kSEPARATOR);
  EXPECT_EQ(items.back()->GetMenuType(), kSEPARATOR);

  k42test::LogCapture log;
  CDDModel tooDeep;
  EXPECT_EQ(tooDeep.Initialize(WriteMenubarDevice(kDepth + 1, 0), u"deep_menubar.xml", u"deep_menubar_loc.xml", u"en",
                               1, nullptr),
            kParseErrors);
  EXPECT_TRUE(tooDeep.MenubarItems().empty());
  const auto lines = log.Lines();
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::u16string& line) {
    return line.find(u"elements nested deeper than 1000 levels refused") != std::u16string::npos;
  }));
}

// Identifier, item type, action type, action, bitmap index.
using ToolRow = std::tuple<std::u16string, int32_t, int32_t, std::u16string, int32_t>;

TEST(Toolbar, ItemsUntilOneLacksItsItemTypeAndTheLastImageList) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "readers/nav_toolbar.xml", "common/minimal_loc.xml"), 0);
  std::vector<ToolRow> rows;
  for (const auto& item : model.ToolbarItems()) {
    rows.emplace_back(item->Id(), item->GetItemType(), item->GetActionType(), item->GetAction(),
                      item->GetBitmapIndex());
  }
  EXPECT_EQ(rows, (std::vector<ToolRow>{
                      {u"tbOpen", kTOOLBAR_BUTTON, kDIALOGBOX, u"open", 3},
                      {u"", kTOOLBAR_SEP, kDIALOGBOX, u"", 12},
                      {u"", kTOOLBAR_CHECK, kFUNCTIONONLINE, u"", 0},  // its own action type, unlike the menu bar
                      {u"", kTOOLBAR_BUTTON, kMODULE, u"modA", -2},
                      {u"", kTOOLBAR_CHECK, kFUNCTION, u"", 0},
                      {u"", kTOOLBAR_CHECK, kDIALOGBOX, u"de", 0},  // "SETLANGUAGE" is no toolbar action
                      {u"", kTOOLBAR_BUTTON, kDIALOGBOX, u"", 0},   // an unknown item type: a plain button
                      // An item without "TOOLBAR_ITEMTYPE" ends its toolbar; the next toolbar is read.
                      {u"tbSecond", kTOOLBAR_BUTTON, kDIALOGBOX, u"", 0},
                  }));
  // A toolbar without "TOOLBAR_IMAGELIST" keeps the one named before.
  std::u16string reference;
  EXPECT_EQ(model.GetToolbarImageList(reference), 9u);
  EXPECT_EQ(reference, u"third.bmp");
  // Toolbar items stay out of the element dictionary: the label of the
  // same identifier keeps it, so the localized file never reaches them.
  EXPECT_EQ(model.ElementDictionary().FindChild(u"tbOpen"), model.Labels().at(0).get());
  EXPECT_EQ(model.ElementDictionary().FindChild(u"tbSecond"), nullptr);

  CDDModel none;
  ASSERT_EQ(k42test::Load(none, "readers/nav_menubar.xml", "common/minimal_loc.xml"), 0);
  EXPECT_TRUE(none.ToolbarItems().empty());
}

}  // namespace
