// Header records read through a parsed file: use, mapping, keyword codes,
// sizes, discarded records and a section without "USE".
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

struct Row {
    std::u16string use, mapping, reference;
    int32_t origin, headerVarType;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(const CDDParserXML& model) {
    std::vector<Row> rows;
    for (const CDDHeaderRecord* r : model.HeaderRecords()) {
        rows.push_back({r->m_use, r->m_mapping, r->m_parameterRef, r->m_origin, r->m_headerVarType});
    }
    return rows;
}

TEST(HeaderArea, RecordsKeepUseMappingAndKeywordCodesInDocumentOrder) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/decl_header_area.xml", "common/minimal_loc.xml"), 0);
    // Records lacking a required attribute are left out; the section without
    // "USE" adds nothing and the one after it is read; a lower-case use is
    // kept as written (no query will match it).
    const std::vector<Row> expected{
        {u"ONLINE", u"HEAD_1", u"varPV", PAR_VARIABLE, HEADERVARTYPE_LED},
        {u"ONLINE", u"LOGO_POS", u"imgDevice", PAR_IMAGE, HEADERVARTYPE_UNDEF},
        {u"ONLINE", u"HEAD_CTRL", u"modTrend", PAR_METHODE, HEADERVARTYPE_MODULE},
        {u"OFFLINE", u"HEAD_1", u"devSerial", PAR_META, HEADERVARTYPE_UNDEF},
        {u"OFFLINE", u"HEAD_2", u"varTag", PAR_VARIABLE, HEADERVARTYPE_LED_HANDLING},
        {u"OFFLINE", u"HEAD_2", u"varSecond", PAR_VARIABLE, HEADERVARTYPE_STATIC},
        {u"general", u"LOGO_POS", u"imgLower", PAR_IMAGE, HEADERVARTYPE_UNDEF},
    };
    EXPECT_EQ(Rows(model), expected);
}

TEST(HeaderArea, ControlDataAndSizesAreReadAsLeadingNumbers) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/decl_header_area.xml", "common/minimal_loc.xml"), 0);
    const auto& records = model.HeaderRecords();
    ASSERT_EQ(records.size(), 7u);

    EXPECT_EQ(records[0]->m_statusRef, u"varPVStatus");
    EXPECT_EQ(records[0]->m_width, 0);  // no size given
    EXPECT_EQ(records[0]->m_height, 0);

    const CDDHeaderRecord& control = *records[2];
    EXPECT_EQ(control.m_controlId, u"ctlTrend");
    EXPECT_EQ(control.m_controlProgId, u"K42.Trend.1");
    EXPECT_EQ(control.m_controlInit, u"span=10");
    EXPECT_EQ(control.m_width, 120);
    EXPECT_EQ(control.m_height, 0);
    EXPECT_EQ(control.m_statusRef, u"");

    EXPECT_EQ(records[4]->m_width, -8);
    EXPECT_EQ(records[4]->m_height, 40);
    EXPECT_EQ(records[1]->m_width, 0);  // image records have no size
}

}  // namespace
