// Metainformation read through a parsed file: metavariables and their
// values, supported languages and logos, over two sections.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

class MetaInformation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(k42test::Load(model_, "readers/decl_metainformation.xml", "common/minimal_loc.xml"), 0);
    }
    CDDModel model_;
};

TEST_F(MetaInformation, MetavariablesCarryTheirVariableBodyAndTheLastSourcedValue) {
    const auto& metas = model_.MetaVariables();
    std::vector<std::u16string> ids;
    for (const CDDMetaVariable* meta : metas) ids.push_back(meta->Id());
    // A metavariable without identifier skips the rest of its section only.
    ASSERT_EQ(ids, (std::vector<std::u16string>{u"devSerial", u"devTwoValues", u"__9xy", u"devShared", u"devSecond"}));

    std::u16string source, value;
    metas[0]->GetSource(source);
    metas[0]->GetValueText(value);
    EXPECT_EQ(source, u"FACTORY");
    EXPECT_EQ(value, u"  SN-0042 ");  // as written, blanks included
    EXPECT_EQ(metas[0]->GetType(), TYPE_DD_UINT32);
    EXPECT_EQ(metas[0]->GetStorage(), 3);

    // A "VALUE" without "SOURCE" is ignored; one with "SOURCE" but no text
    // replaces the source and keeps the value.
    metas[1]->GetSource(source);
    metas[1]->GetValueText(value);
    EXPECT_EQ(source, u"EMPTY");
    EXPECT_EQ(value, u"2.0");
    EXPECT_NE(metas[1]->FindChild(u"1"), nullptr);

    EXPECT_EQ(metas[2]->GetType(), TYPE_DD_NOTUNIQUE);

    // Variables are read first, so the dictionary finds the variable.
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"devShared"), model_.Variables()[0]);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"devSerial"), metas[0]);
    EXPECT_EQ(model_.ElementDictionary().FindChild(u"devSkipped"), nullptr);
}

TEST_F(MetaInformation, LanguagesAndLogosNeedBothAttributesAndAKnownType) {
    std::vector<std::u16string> codes;
    for (const CDDLanguage* language : model_.Languages()) codes.push_back(language->GetCode());
    EXPECT_EQ(codes, (std::vector<std::u16string>{u"en", u"de-AT", u"de"}));
    EXPECT_EQ(model_.Languages()[1]->GetLocalLabel(), u"Deutsch (\u00d6sterreich)");

    // A "TYPE" other than the two exact keywords cannot be asked for by a
    // host, so the logo is left out.
    const auto& logos = model_.Logos();
    ASSERT_EQ(logos.size(), 3u);
    EXPECT_EQ(logos[0].m_reference, u"vendor.bmp");
    EXPECT_EQ(logos[0].m_type, LOGO_VENDOR);
    EXPECT_EQ(logos[1].m_reference, u"images\\device.bmp");
    EXPECT_EQ(logos[1].m_type, LOGO_DEVICE);
    EXPECT_EQ(logos[2].m_reference, u"vendor2.bmp");
    EXPECT_EQ(logos[2].m_type, LOGO_VENDOR);
}

}  // namespace
