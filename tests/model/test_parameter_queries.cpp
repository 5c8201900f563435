// Parameter, header and conditional-label queries against a loaded device.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;

class ParameterQueries : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(k42test::Load(model, "queries/queries.xml", "queries/queries_loc.xml"), 0); }
    CDDModel model;
};

struct Info {
    int32_t result;
    std::u16string value, label, tooltip, topic, helpRef;
    int32_t conditional;
};

Info AskInfo(const CDDModel& model, const std::u16string& id, const std::u16string& labelRef, int32_t parType) {
    Info info{0, u"v", u"l", u"t", u"h", u"r", 7};
    info.result = model.GetParameterInfo(id, labelRef, parType, info.value, info.label, info.conditional,
                                         info.tooltip, info.topic, info.helpRef);
    return info;
}

TEST_F(ParameterQueries, TypeAndInfoPerKind) {
    int32_t type = -1, handling = -1;
    EXPECT_EQ(model.GetParameterType(u"varUnknownType", PAR_VARIABLE, type, handling), -1);
    EXPECT_EQ(handling, kWRITEONLY);
    EXPECT_EQ(model.GetParameterType(u"varCond", PAR_VARIABLE, type, handling), 0);
    EXPECT_EQ(handling, kCONDITIONAL);
    type = -1;
    EXPECT_EQ(model.GetParameterType(u"metPlain", PAR_METHODE, type, handling), -1);
    EXPECT_EQ(type, -1);
    EXPECT_EQ(handling, kWRITEONLY);
    // The first metaDup has an unknown type; the second one answers.
    EXPECT_EQ(model.GetParameterType(u"metaDup", PAR_META, type, handling), 0);
    EXPECT_EQ(type, TYPE_DD_UINT8);
    EXPECT_EQ(handling, kWRITEONLY);

    Info plain = AskInfo(model, u"varKnown", u"", PAR_VARIABLE);
    EXPECT_EQ(plain.result, 0);
    EXPECT_EQ((Strings{plain.value, plain.label, plain.tooltip, plain.topic, plain.helpRef}),
              (Strings{u"v", u"Known", u"Known tip", u"known_help", u""}));
    EXPECT_EQ(plain.conditional, 0);

    Info conditional = AskInfo(model, u"varCondLabel", u"", PAR_VARIABLE);
    EXPECT_EQ(conditional.result, 0);
    EXPECT_EQ(conditional.label + conditional.tooltip, u"");
    EXPECT_EQ(conditional.conditional, 1);
    EXPECT_EQ(conditional.topic, u"mode_help");

    Info missingRef = AskInfo(model, u"varKnown", u"lblMissing", PAR_VARIABLE);
    EXPECT_EQ(missingRef.result, 1);
    EXPECT_EQ(missingRef.label + u"|" + missingRef.tooltip, u"Known|Known tip");
    Info viaRef = AskInfo(model, u"varKnown", u"lblPlain", PAR_VARIABLE);
    EXPECT_EQ(viaRef.result, 0);
    EXPECT_EQ(viaRef.label + u"|" + viaRef.tooltip, u"Plain label|Known tip");
    Info condRef = AskInfo(model, u"varKnown", u"lblCond", PAR_VARIABLE);
    EXPECT_EQ(condRef.label + condRef.tooltip, u"");
    EXPECT_EQ(condRef.conditional, 1);

    Info meta = AskInfo(model, u"metaSerial", u"", PAR_META);
    EXPECT_EQ((Strings{meta.value, meta.label, meta.tooltip, meta.topic, meta.helpRef}),
              (Strings{u"SN-0042", u"Serial", u"Serial tip", u"serial_help", u""}));
    EXPECT_EQ(meta.conditional, 7);
    Info method = AskInfo(model, u"metPlain", u"", PAR_METHODE);
    EXPECT_EQ((Strings{method.value, method.label, method.tooltip, method.topic}),
              (Strings{u"v", u"Plain method", u"Method tip", u"method_help"}));
    EXPECT_EQ(AskInfo(model, u"imgA", u"", PAR_IMAGE).tooltip, u"Image tip");
    Info module = AskInfo(model, u"modA", u"", PAR_MODULE);
    EXPECT_EQ(module.label + u"|" + module.tooltip, u"Module A|t");
    EXPECT_EQ(AskInfo(model, u"lblHeadline", u"", PAR_HEADLINE).label, u"Headline");

    for (int32_t kind : {int32_t{PAR_UNKNOWN}, int32_t{PAR_EMPTYELEMENT}, 8}) {
        Info none = AskInfo(model, u"varKnown", u"", kind);
        EXPECT_EQ(none.result, -1);
        EXPECT_EQ(none.label, u"l");
    }
    EXPECT_EQ(AskInfo(model, u"varNowhere", u"", PAR_VARIABLE).label, u"l");
}

TEST(ParameterQueriesGate, ModulesAndHeadlinesAreGatedByTheModuleAndLabelLists) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "queries/no_labels.xml", "common/minimal_loc.xml"), 0);
    Info module = AskInfo(model, u"modMain", u"", PAR_MODULE);  // no images needed
    EXPECT_EQ(module.result, 0);
    EXPECT_EQ(module.label, u"Main");
    EXPECT_EQ(AskInfo(model, u"modMain", u"", PAR_HEADLINE).result, -1);  // no labels declared
}

TEST_F(ParameterQueries, DatatypeFormatEnumItemsAndImageReferences) {
    int32_t type = -1, size = -1, cond = -1;
    std::u16string storage = u"keep", handling = u"keep";
    EXPECT_EQ(model.GetParameterDatatype(u"varCond", PAR_VARIABLE, type, size, cond, storage, handling), -1);
    EXPECT_EQ((std::vector<int32_t>{type, size, cond}), (std::vector<int32_t>{TYPE_DD_INT16, 16, 7}));
    EXPECT_EQ(storage + u"|" + handling, u"DYNAMIC|keep");

    storage = u"keep";
    EXPECT_EQ(model.GetParameterDatatype(u"varNoStorage", PAR_VARIABLE, type, size, cond, storage, handling), 0);
    EXPECT_EQ(storage + u"|" + handling, u"keep|READWRITE");
    EXPECT_EQ(model.GetParameterDatatype(u"varUnknownType", PAR_VARIABLE, type, size, cond, storage, handling), -1);
    EXPECT_EQ(storage + u"|" + handling, u"CONSTANT|WRITEONLY");
    cond = -1;
    EXPECT_EQ(model.GetParameterDatatype(u"metaDup", PAR_META, type, size, cond, storage, handling), 0);
    EXPECT_EQ((std::vector<int32_t>{type, size, cond}), (std::vector<int32_t>{TYPE_DD_UINT8, 0, -1}));
    EXPECT_EQ(storage + u"|" + handling, u"DYNAMIC|WRITEONLY");
    storage = handling = u"keep";
    EXPECT_EQ(model.GetParameterDatatype(u"varNowhere", PAR_VARIABLE, type, size, cond, storage, handling), -1);
    EXPECT_EQ(model.GetParameterDatatype(u"varKnown", PAR_METHODE, type, size, cond, storage, handling), -1);
    EXPECT_EQ(storage + handling, u"keepkeep");

    std::u16string format, align, style = u"keep";
    int32_t condition = -1, condFormat = -1;
    EXPECT_EQ(model.GetParameterFormat(u"varCond", PAR_VARIABLE, format, align, condition, style, condFormat), 0);
    EXPECT_EQ(format + u"|" + align + u"|" + style, u"|LEFT|");
    EXPECT_EQ(condFormat, 1);
    condFormat = -1;
    EXPECT_EQ(model.GetParameterFormat(u"metaDup", PAR_META, format, align, condition, style, condFormat), 0);
    EXPECT_EQ(format, u"first");
    EXPECT_EQ(condFormat, -1);

    std::vector<CDDEnumItem*> items;
    EXPECT_EQ(model.GetParameterEnumItems(u"varCondLabel", PAR_UNKNOWN, items), 0);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(model.GetParameterEnumItems(u"lblPlain", PAR_VARIABLE, items), -1);

    std::u16string reference = u"keep";
    EXPECT_EQ(model.CDDParserXML::GetParameterRef(u"imgA", PAR_IMAGE, 2, reference), 0);
    EXPECT_EQ(reference, u"img/a_small.bmp");
    EXPECT_EQ(model.GetParameterRef(u"imgNoRegular", PAR_IMAGE, reference), 0);
    EXPECT_EQ(reference, u"");
    reference = u"keep";
    EXPECT_EQ(model.GetParameterRef(u"imgA", PAR_VARIABLE, reference), -1);
    EXPECT_EQ(reference, u"keep");
}

TEST_F(ParameterQueries, HeaderRecordsByModeAndConditionalLabelVariants) {
    std::u16string parameter, label = u"keep", status = u"keep";
    int32_t origin = -1, headerType = -1;
    EXPECT_EQ(model.GetHeaderVarRef(MODE_ONLINE, u"TAG", parameter, origin, label, status, headerType), 0);
    EXPECT_EQ((Strings{parameter, label, status}), (Strings{u"varOnline", u"", u"varStatus"}));
    EXPECT_EQ(origin, PAR_META);
    EXPECT_EQ(headerType, HEADERVARTYPE_LED);
    EXPECT_EQ(model.GetHeaderVarRef(MODE_OFFLINE, u"TAG", parameter, origin, label, status, headerType), 0);
    EXPECT_EQ(parameter + u"|" + status, u"varOffline|");
    EXPECT_EQ(origin, PAR_METHODE);
    for (int32_t mode : {int32_t{MODE_GENERAL}, 7}) {
        EXPECT_EQ(model.GetHeaderVarRef(mode, u"TAG", parameter, origin, label, status, headerType), 0);
        EXPECT_EQ(parameter, u"varGeneral");
    }
    label = u"keep";
    EXPECT_EQ(model.GetHeaderVarRef(MODE_ONLINE, u"tag", parameter, origin, label, status, headerType), -1);
    EXPECT_EQ(label + u"|" + parameter, u"|varGeneral");

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

TEST(ParameterQueriesEmpty, NeverInitializedModelAnswersWithoutTouchingOutputs) {
    CDDModel model;
    for (int32_t kind = PAR_UNKNOWN; kind <= PAR_HEADLINE; ++kind) {
        Info info = AskInfo(model, u"x", u"y", kind);
        EXPECT_EQ(info.result, -1);
        EXPECT_EQ(info.label + info.value + info.helpRef, u"lvr");
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
    EXPECT_EQ(ids.size() + variants.size() + items.size(), 3u);
    EXPECT_EQ(text, u"keep");
}

}  // namespace
