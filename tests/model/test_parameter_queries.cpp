// Parameter, header and conditional-label queries against a loaded device, and every query on an empty model.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;

class ParameterQueries : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(k42test::Load(model, "queries/queries.xml", "queries/queries_loc.xml"), 0); }
  CDDModel model;
};

// Result, value, label, tooltip, help topic, help reference, conditional; outputs start as v, l, t, h, r and 7.
using Info =
    std::tuple<int32_t, std::u16string, std::u16string, std::u16string, std::u16string, std::u16string, int32_t>;

Info AskInfo(const CDDModel& model, const std::u16string& id, const std::u16string& labelRef, int32_t parType) {
  std::u16string value = u"v", label = u"l", tooltip = u"t", topic = u"h", helpRef = u"r";
  int32_t conditional = 7;
  const int32_t result =
      model.GetParameterInfo(id, labelRef, parType, value, label, conditional, tooltip, topic, helpRef);
  return {result, value, label, tooltip, topic, helpRef, conditional};
}

TEST_F(ParameterQueries, TypeAndInfoPerKind) {
  int32_t type = -1, handling = -1;
  EXPECT_EQ(model.GetParameterType(u"varUnknownType", PAR_VARIABLE, type, handling), -1);
  EXPECT_EQ(handling, kWRITEONLY);
  EXPECT_EQ(model.GetParameterType(u"varCond", PAR_VARIABLE, type, handling), 0);
  EXPECT_EQ(handling, kCONDITIONAL);
  type = -1;
  EXPECT_EQ(model.GetParameterType(u"metPlain", PAR_METHODE, type, handling), -1);
  EXPECT_EQ(std::tuple(type, handling), std::tuple(-1, kWRITEONLY));
  // The first metaDup has an unknown type; the second one answers.
  EXPECT_EQ(model.GetParameterType(u"metaDup", PAR_META, type, handling), 0);
  EXPECT_EQ(std::tuple(type, handling), std::tuple(TYPE_DD_UINT8, kWRITEONLY));

  struct Case {
    const char16_t *id, *labelRef;
    int32_t kind;
    Info expected;
  };
  const Case cases[] = {
      {u"varKnown", u"", PAR_VARIABLE, {0, u"v", u"Known", u"Known tip", u"known_help", u"", 0}},
      {u"varCondLabel", u"", PAR_VARIABLE, {0, u"v", u"", u"", u"mode_help", u"", 1}},
      {u"varKnown", u"lblMissing", PAR_VARIABLE, {1, u"v", u"Known", u"Known tip", u"known_help", u"", 0}},
      {u"varKnown", u"lblPlain", PAR_VARIABLE, {0, u"v", u"Plain label", u"Known tip", u"known_help", u"", 0}},
      {u"varKnown", u"lblCond", PAR_VARIABLE, {0, u"v", u"", u"", u"known_help", u"", 1}},
      {u"metaSerial", u"", PAR_META, {0, u"SN-0042", u"Serial", u"Serial tip", u"serial_help", u"", 7}},
      {u"metPlain", u"", PAR_METHODE, {0, u"v", u"Plain method", u"Method tip", u"method_help", u"r", 7}},
      {u"imgA", u"", PAR_IMAGE, {0, u"v", u"Image A", u"Image tip", u"", u"r", 7}},
      {u"modA", u"", PAR_MODULE, {0, u"v", u"Module A", u"t", u"h", u"r", 7}},
      {u"lblHeadline", u"", PAR_HEADLINE, {0, u"v", u"Headline", u"t", u"h", u"r", 7}},
      {u"varKnown", u"", PAR_UNKNOWN, {-1, u"v", u"l", u"t", u"h", u"r", 7}},
      {u"varKnown", u"", PAR_EMPTYELEMENT, {-1, u"v", u"l", u"t", u"h", u"r", 7}},
      {u"varKnown", u"", 8, {-1, u"v", u"l", u"t", u"h", u"r", 7}},
      {u"varNowhere", u"", PAR_VARIABLE, {-1, u"v", u"l", u"t", u"h", u"r", 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    EXPECT_EQ(AskInfo(model, c.id, c.labelRef, c.kind), c.expected);
  }
}

TEST(ParameterQueriesGate, ModulesAndHeadlinesAreGatedByTheModuleAndLabelLists) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "queries/no_labels.xml", "common/minimal_loc.xml"), 0);
  const Info module = AskInfo(model, u"modMain", u"", PAR_MODULE);  // no images needed
  EXPECT_EQ(std::tuple(std::get<0>(module), std::get<2>(module)), std::tuple(0, std::u16string(u"Main")));
  EXPECT_EQ(std::get<0>(AskInfo(model, u"modMain", u"", PAR_HEADLINE)), -1);  // no labels declared
}

// Result, type, size, condition, storage, handling; outputs start as -1 and "keep".
using Datatype = std::tuple<int32_t, int32_t, int32_t, int32_t, std::u16string, std::u16string>;
// Result, format, alignment, display condition, style, conditional format; outputs start as "keep" and -1.
using Format = std::tuple<int32_t, std::u16string, std::u16string, int32_t, std::u16string, int32_t>;

TEST_F(ParameterQueries, DatatypeFormatEnumItemsAndImageReferences) {
  const std::tuple<const char16_t*, int32_t, Datatype> datatypes[] = {
      {u"varCond", PAR_VARIABLE, {-1, TYPE_DD_INT16, 16, 7, u"DYNAMIC", u"keep"}},
      {u"varNoStorage", PAR_VARIABLE, {0, TYPE_DD_FLOAT, 32, 0, u"keep", u"READWRITE"}},
      {u"varUnknownType", PAR_VARIABLE, {-1, TYPE_UNKNOWN, 12, 0, u"CONSTANT", u"WRITEONLY"}},
      {u"metaDup", PAR_META, {0, TYPE_DD_UINT8, 0, -1, u"DYNAMIC", u"WRITEONLY"}},
      {u"varNowhere", PAR_VARIABLE, {-1, -1, -1, -1, u"keep", u"keep"}},
      {u"varKnown", PAR_METHODE, {-1, -1, -1, -1, u"keep", u"keep"}},
  };
  for (const auto& [id, kind, expected] : datatypes) {
    int32_t type = -1, size = -1, cond = -1;
    std::u16string storage = u"keep", handling = u"keep";
    const int32_t result = model.GetParameterDatatype(id, kind, type, size, cond, storage, handling);
    EXPECT_EQ(Datatype(result, type, size, cond, storage, handling), expected);
  }
  const std::tuple<const char16_t*, int32_t, Format> formats[] = {
      {u"varCond", PAR_VARIABLE, {0, u"", u"LEFT", kDISPLAYALWAYS, u"", 1}},
      {u"metaDup", PAR_META, {0, u"first", u"LEFT", kDISPLAYALWAYS, u"", -1}},
  };
  for (const auto& [id, kind, expected] : formats) {
    std::u16string format = u"keep", align = u"keep", style = u"keep";
    int32_t condition = -1, condFormat = -1;
    const int32_t result = model.GetParameterFormat(id, kind, format, align, condition, style, condFormat);
    EXPECT_EQ(Format(result, format, align, condition, style, condFormat), expected);
  }

  std::vector<CDDEnumItem*> items;
  EXPECT_EQ(model.GetParameterEnumItems(u"varCondLabel", PAR_UNKNOWN, items), 0);
  EXPECT_EQ(items.size(), 2u);
  EXPECT_EQ(model.GetParameterEnumItems(u"lblPlain", PAR_VARIABLE, items), -1);

  std::u16string small = u"keep", none = u"keep", reference = u"keep";
  EXPECT_EQ(model.GetParameterRefAt(u"imgA", PAR_IMAGE, 2, small), 0);
  EXPECT_EQ(model.GetParameterRef(u"imgNoRegular", PAR_IMAGE, none), 0);
  EXPECT_EQ(model.GetParameterRef(u"imgA", PAR_VARIABLE, reference), -1);
  EXPECT_EQ((Strings{small, none, reference}), (Strings{u"img/a_small.bmp", u"", u"keep"}));
}

TEST_F(ParameterQueries, HeaderRecordsByModeAndConditionalLabelVariants) {
  // Result, parameter, origin, label, status, header type; outputs start as "keep" and -1.
  using Header = std::tuple<int32_t, std::u16string, int32_t, std::u16string, std::u16string, int32_t>;
  const std::tuple<int32_t, const char16_t*, Header> headers[] = {
      {MODE_ONLINE, u"TAG", {0, u"varOnline", PAR_META, u"", u"varStatus", HEADERVARTYPE_LED}},
      {MODE_OFFLINE, u"TAG", {0, u"varOffline", PAR_METHODE, u"", u"", HEADERVARTYPE_STATIC}},
      {MODE_GENERAL, u"TAG", {0, u"varGeneral", PAR_VARIABLE, u"", u"", HEADERVARTYPE_UNDEF}},
      {7, u"TAG", {0, u"varGeneral", PAR_VARIABLE, u"", u"", HEADERVARTYPE_UNDEF}},
      {MODE_ONLINE, u"tag", {-1, u"keep", -1, u"", u"keep", -1}},
  };
  for (const auto& [mode, name, expected] : headers) {
    std::u16string parameter = u"keep", label = u"keep", status = u"keep";
    int32_t origin = -1, headerType = -1;
    const int32_t result = model.GetHeaderVarRef(mode, name, parameter, origin, label, status, headerType);
    EXPECT_EQ(Header(result, parameter, origin, label, status, headerType), expected) << mode;
  }

  std::u16string control, progId, init;
  int32_t width = 0, height = 0;
  EXPECT_EQ(model.GetHeaderCtrlInfo(MODE_ONLINE, u"CONTROL", control, progId, init, width, height), 0);
  EXPECT_EQ((Strings{control, progId, init}), (Strings{u"ctlGauge", u"Vendor.Gauge.1", u"min=0"}));
  EXPECT_EQ(width * 1000 + height, 120 * 1000 - 4);
  EXPECT_EQ(model.GetHeaderCtrlInfo(MODE_OFFLINE, u"CONTROL", control, progId, init, width, height), -1);

  std::vector<CDDText> variants;
  EXPECT_EQ(model.GetConditionalLabelData(u"varCondLabel", variants), 0);
  ASSERT_EQ(variants.size(), 2u);
  EXPECT_EQ(variants[0].m_key + u"=" + variants[0].m_label, u"A=Mode A");
  EXPECT_EQ(variants[1].m_key + u"=" + variants[1].m_tooltip, u"B=Mode B tip");
  EXPECT_EQ(model.GetConditionalLabelData(u"varKnown", variants), -1);
  EXPECT_EQ(variants.size(), 2u);

  Strings ids;
  EXPECT_EQ(model.GetMetaVarRef(ids), 0);
  EXPECT_EQ(model.GetMetaVarRef(ids), 0);
  EXPECT_EQ(ids, (Strings{u"metaDup", u"metaDup", u"metaSerial", u"metaDup", u"metaDup", u"metaSerial"}));
}

TEST(QueriesEmpty, NeverInitializedModelAnswersWithoutTouchingOutputs) {
  CDDModel model;
  for (int32_t kind = PAR_UNKNOWN; kind <= PAR_HEADLINE; ++kind) {
    EXPECT_EQ(AskInfo(model, u"x", u"y", kind), Info(-1, u"v", u"l", u"t", u"h", u"r", 7));
    int32_t type = 3, handling = 3;
    EXPECT_EQ(model.GetParameterType(u"x", kind, type, handling), -1);
    EXPECT_EQ(type + handling, 6);
  }
  Strings ids{u"keep"};
  std::vector<CDDText> variants(1);
  std::vector<CDDEnumItem*> items(1);
  std::u16string text = u"keep";
  int32_t number = 3;
  EXPECT_EQ(model.GetMetaVarRef(ids), -1);
  EXPECT_EQ(model.GetConditionalLabelData(u"x", variants), -1);
  EXPECT_EQ(model.GetParameterEnumItems(u"x", PAR_VARIABLE, items), -1);
  EXPECT_EQ(model.GetHeaderCtrlInfo(MODE_ONLINE, u"m", text, text, text, number, number), -1);
  EXPECT_EQ(model.GetTabModules(1, ids), -1);
  std::vector<CDDMenuEntry> entries(1);
  EXPECT_EQ(model.GetMenuItems(u"m", u"n", entries), -1);
  EXPECT_EQ(model.GetItemInfo(u"m", u"", u"i", text, text, text, number, number), -1);
  EXPECT_EQ(model.GetModuleInfo(u"m", text, text, text, text), -1);
  EXPECT_EQ(model.GetDisplayButtonNav(u"m", u"d", text, text, text, text, text), -1);
  EXPECT_EQ(model.GetFunctionIdIsOnline(nullptr), -1);
  EXPECT_EQ(ids.size() + variants.size() + items.size() + entries.size(), 4u);
  EXPECT_EQ(text, u"keep");
  std::vector<CDDMenubarItem*> bar{nullptr};
  model.GetMenubarItems(bar);
  EXPECT_TRUE(bar.empty());
}

}  // namespace
