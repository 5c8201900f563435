// Display layouts read into displays and items of a loaded module.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/test_paths.h"

namespace {

// The fifteen columns the host receives, in their order, then the help reference.
using Row = std::tuple<std::u16string, std::u16string, std::u16string, int32_t, std::u16string, std::u16string, int32_t,
                       int32_t, std::u16string, int32_t, int32_t, int32_t, int32_t, bool, bool, std::u16string>;

Row Columns(const CDDDisplayItem& i) {
  return {i.m_reference.String(),
          i.m_labelRef.String(),
          i.m_legend.String(),
          i.m_displayCondition,
          i.m_alignment.String(),
          i.m_format.String(),
          i.m_parType,
          i.m_controlStyle,
          i.m_fontName.String(),
          i.m_colorNormal,
          i.m_colorVisited,
          i.m_height,
          i.m_weightOrWidth,
          i.m_italic,
          i.m_underline,
          i.m_helpRef.String()};
}

// An item whose fields beyond reference, display condition, kind and style keep their defaults.
Row Plain(const std::u16string& reference, int32_t condition, int32_t parType, int32_t style) {
  return {reference, u"", u"", condition, u"", u"", parType, style, u"", -1, -1, 0, 0, false, false, u""};
}

const CDDModule& Load(CDDModel& model) {
  EXPECT_EQ(k42test::Load(model, "readers/nav_displays.xml", "common/minimal_loc.xml"), 0);
  EXPECT_EQ(model.Modules().size(), 1u);
  return *model.Modules().at(0);
}

TEST(Displays, EveryItemElementFillsItsFields) {
  CDDModel model;
  const CDDModule& module = Load(model);
  ASSERT_FALSE(module.Displays().empty());
  const CDDPardis& display = *module.Displays()[0];
  ASSERT_EQ(display.Id(), u"pdItems");
  const int32_t initial = CDDVariable::kInitialDisplayCondition;

  const std::vector<Row> expected = {
      {u"varFull", u"lblFull", u"Legend", kDISPLAYREADONLY, u"LEFT", u"%5.2f", PAR_VARIABLE, CTRL_VAR_COMBO, u"", -1,
       -1, 0, 0, false, false, u"help.htm"},
      // The second "GUI_FORMAT" decides all three fields; "%COND%" leaves the format empty.
      Plain(u"varTwoFormats", initial, PAR_VARIABLE, CTRL_VAR_EDIT),
      Plain(u"imgLogo", 0, PAR_IMAGE, CTRL_UNKNOWN),
      Plain(u"metButton", 0, PAR_METHODE, CTRL_MET_BUTTON),
      Plain(u"metPlain", 0, PAR_METHODE, CTRL_UNKNOWN),
      Plain(u"metLower", 0, PAR_METHODE, CTRL_UNKNOWN),
      // An embedded control: programmatic identifier and initialization
      // string in the label reference and legend, width in the weight field.
      {u"modCtl", u"Vendor.Control.1", u"a=1", 0, u"", u"", PAR_MODULE, CTRL_UNKNOWN, u"", -1, -1, 200, 320, false,
       false, u""},
      Plain(u"modBare", 0, PAR_MODULE, CTRL_UNKNOWN),
      // "#FF0000" has no leading digit; an empty "ITALIC" is true.
      {u"lblHead", u"lblHead", u"", 0, u"", u"", PAR_HEADLINE, CTRL_VAR_HEADLINE, u"Arial", 255, 0, 12, 700, true,
       false, u""},
      {u"lblWeight", u"lblWeight", u"", 0, u"", u"", PAR_HEADLINE, CTRL_VAR_HEADLINE, u"", -5, -1, 0, 700, false, true,
       u""},
      // Without "LABEL_REF" the font attributes are not read.
      Plain(u"", 0, PAR_HEADLINE, CTRL_VAR_HEADLINE),
      Plain(u"", 0, PAR_EMPTYELEMENT, CTRL_EMPTYFIELD),
      Plain(u"", 0, PAR_EMPTYELEMENT, CTRL_NEWCOLUMN),
  };
  std::vector<CDDDisplayItem> items;
  display.GetItems(items);
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(Columns(items[i]), expected[i]) << "item " << i;
}

TEST(Displays, KindsIdentifiersTargetsAndControlStyles) {
  CDDModel model;
  const CDDModule& module = Load(model);
  ASSERT_EQ(module.Displays().size(), 5u);
  std::vector<int32_t> styles;
  for (const CDDDisplayItem& item : module.Displays()[1]->Items()) styles.push_back(item.m_controlStyle);
  // Absent means an edit field; any other text, lower case and empty included, is unknown.
  EXPECT_EQ(styles, (std::vector<int32_t>{CTRL_VAR_COMBO, CTRL_VAR_LIST, CTRL_VAR_RADIO, CTRL_VAR_CHECKBOX,
                                          CTRL_VAR_STATIC, CTRL_VAR_EDIT, CTRL_VAR_LED, CTRL_VAR_EDIT, CTRL_UNKNOWN,
                                          CTRL_UNKNOWN, CTRL_UNKNOWN}));
  // Without "PARDIS_ID" or "xsi:type" a display is dropped with its items;
  // the kind is the literal "xsi:type" text, so another prefix for the
  // same namespace is not recognised.
  std::vector<std::pair<std::u16string, int32_t>> kinds;
  for (const auto& display : module.Displays()) kinds.emplace_back(display->Id(), display->GetDisplayType());
  EXPECT_EQ(kinds, (std::vector<std::pair<std::u16string, int32_t>>{{u"pdItems", DISPLAY_CUSTOM},
                                                                    {u"pdStyles", DISPLAY_SINGLE_MODULE},
                                                                    {u"pdBase", DISPLAY_UNKNOWN},
                                                                    {u"pdOtherPrefix", DISPLAY_UNKNOWN},
                                                                    {u"pdItems", DISPLAY_SINGLE_MODULE}}));
  // The local dictionary keeps the first display of an identifier.
  EXPECT_EQ(module.FindChild(u"pdItems"), module.Displays()[0].get());

  const CDDPardis& items = *module.Displays()[0];
  EXPECT_EQ(std::u16string(items.GetValidityId()) + u"|" + std::u16string(module.Displays()[1]->GetValidityId()) +
                u"|" + items.GetImagePath(),
            u"valItems||");
  EXPECT_FALSE(items.GetRwro());
  // A later target overwrites, even with the empty text; "next" is no
  // target, and a missing attribute changes nothing.
  EXPECT_EQ((std::vector<std::u16string_view>{items.GetFirst(), items.GetPrevious(), items.GetNext(), items.GetLast(),
                                              items.GetHome(), module.Displays()[1]->GetNext()}),
            (std::vector<std::u16string_view>{u"pdFirst", u"pdPrevious", u"pdNext", u"", u"pdHome", u""}));
}

}  // namespace
