// Label declarations read into the labels list and the element dictionary.
#include <gtest/gtest.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

std::vector<std::u16string> LabelIds(const CDDParserXML& model) {
    std::vector<std::u16string> ids;
    for (const CDDElement* label : model.Labels()) ids.push_back(label->Id());
    return ids;
}

TEST(LabelDeclarations, ReadInOrderUntilOneLacksItsIdentifier) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/labels.xml", "common/minimal_loc.xml"), 0);
    // The nested label is found wherever it stands; the declaration without
    // "LABEL_ID" ends the section, so the one after it is never read.
    EXPECT_EQ(LabelIds(model), (std::vector<std::u16string>{u"lblFirst", u"lblDup", u"lblDup", u"", u" lblBlanks ",
                                                             u"Case", u"case", u"lblNested"}));
}

TEST(LabelDeclarations, DictionaryKeepsTheFirstOfAnIdentifierAndSkipsEmptyOnes) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/labels.xml", "common/minimal_loc.xml"), 0);
    const CDDElementMap& dictionary = model.ElementDictionary();
    EXPECT_EQ(dictionary.FindChild(u"lblDup"), model.Labels()[1]);
    EXPECT_EQ(dictionary.FindChild(u""), nullptr);
    EXPECT_EQ(dictionary.FindChild(u"lblBlanks"), nullptr);
    EXPECT_EQ(dictionary.FindChild(u" lblBlanks "), model.Labels()[4]);
    EXPECT_NE(dictionary.FindChild(u"Case"), dictionary.FindChild(u"case"));
    EXPECT_EQ(dictionary.FindChild(u"lblNeverRead"), nullptr);

    // A label inside a module belongs to the model's dictionary, not the module's.
    ASSERT_EQ(model.Modules().size(), 1u);
    EXPECT_NE(dictionary.FindChild(u"lblNested"), nullptr);
    EXPECT_EQ(model.Modules()[0]->FindChild(u"lblNested"), nullptr);
}

TEST(LabelDeclarations, FileWithoutLabelsLoadsWithAnEmptyList) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "model/sections.xml", "common/minimal_loc.xml", u"en", 2), 0);
    EXPECT_EQ(model.Labels().size(), 1u);
    CDDModel none;
    ASSERT_EQ(k42test::Load(none, "readers/no_labels.xml", "common/minimal_loc.xml"), 0);
    EXPECT_TRUE(none.Labels().empty());
}

}  // namespace
