// Header records read through a parsed file: use, mapping, keyword codes, control data and sizes.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

// Use, mapping, parameter, origin, header variable type, status, control id, prog id, init, width, height.
using Row = std::tuple<std::u16string, std::u16string, std::u16string, int32_t, int32_t, std::u16string,
                       std::u16string, std::u16string, std::u16string, int32_t, int32_t>;

TEST(HeaderArea, RecordsInDocumentOrderWithKeywordCodesControlDataAndLeadingNumberSizes) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/decl_header_area.xml", "common/minimal_loc.xml"), 0);
    std::vector<Row> rows;
    for (const CDDHeaderRecord* r : model.HeaderRecords()) {
        rows.emplace_back(r->m_use, r->m_mapping, r->m_parameterRef, r->m_origin, r->m_headerVarType, r->m_statusRef,
                          r->m_controlId, r->m_controlProgId, r->m_controlInit, r->m_width, r->m_height);
    }
    // Records lacking a required attribute are left out; the section without
    // "USE" adds nothing and the one after it is read; a lower-case use is
    // kept as written (no query will match it). No size given: 0; image records have no size.
    const std::vector<Row> expected{
        {u"ONLINE", u"HEAD_1", u"varPV", PAR_VARIABLE, HEADERVARTYPE_LED, u"varPVStatus", u"", u"", u"", 0, 0},
        {u"ONLINE", u"LOGO_POS", u"imgDevice", PAR_IMAGE, HEADERVARTYPE_UNDEF, u"", u"", u"", u"", 0, 0},
        {u"ONLINE", u"HEAD_CTRL", u"modTrend", PAR_METHODE, HEADERVARTYPE_MODULE, u"", u"ctlTrend", u"K42.Trend.1",
         u"span=10", 120, 0},
        {u"OFFLINE", u"HEAD_1", u"devSerial", PAR_META, HEADERVARTYPE_UNDEF, u"", u"", u"", u"", 0, 0},
        {u"OFFLINE", u"HEAD_2", u"varTag", PAR_VARIABLE, HEADERVARTYPE_LED_HANDLING, u"", u"", u"", u"", -8, 40},
        {u"OFFLINE", u"HEAD_2", u"varSecond", PAR_VARIABLE, HEADERVARTYPE_STATIC, u"", u"", u"", u"", 0, 0},
        {u"general", u"LOGO_POS", u"imgLower", PAR_IMAGE, HEADERVARTYPE_UNDEF, u"", u"", u"", u"", 0, 0},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "record " << i;
}

}  // namespace
