// Label, method, image and metainformation declarations read through parsed files.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;
constexpr char kLoc[] = "common/minimal_loc.xml";

template <typename List>
Strings Ids(const List& elements) {
    Strings ids;
    for (const auto* element : elements) ids.push_back(element->Id());
    return ids;
}

TEST(LabelDeclarations, ReadInOrderUntilOneLacksItsIdentifierAndTheFirstOfAnIdentifierIsFound) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/labels.xml", kLoc), 0);
    // The nested label is found wherever it stands; the declaration without
    // "LABEL_ID" ends the section, so the one after it is never read.
    EXPECT_EQ(Ids(model.Labels()),
              (Strings{u"lblFirst", u"lblDup", u"lblDup", u"", u" lblBlanks ", u"Case", u"case", u"lblNested"}));
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

    CDDModel sections, none;
    ASSERT_EQ(k42test::Load(sections, "model/sections.xml", kLoc, u"en", 2), 0);
    ASSERT_EQ(k42test::Load(none, "readers/no_labels.xml", kLoc), 0);
    EXPECT_EQ(sections.Labels().size(), 1u);
    EXPECT_TRUE(none.Labels().empty());
}

TEST(MethodImageDeclarations, HandlingSizesAndLinksOverwriteOnlyWhatTheyGive) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/decl_methods_images.xml", kLoc), 0);
    const auto& methods = model.Methods();
    ASSERT_EQ(methods.size(), 3u);
    EXPECT_EQ(methods[0]->Id(), u"metPlain");
    // The last recognised keyword; lower case and a missing "HANDLING" leave the earlier value.
    EXPECT_EQ(std::tuple(methods[0]->GetHandling(), methods[1]->GetHandling(), methods[2]->GetHandling()),
              std::tuple(kREADWRITE, kCONDITIONAL, kWRITEONLY));

    const auto& images = model.Images();
    ASSERT_EQ(images.size(), 4u);
    auto refs = [](const CDDImage& image) {
        return Strings{image.GetImageRef(CDDImage::kRegular), image.GetImageRef(CDDImage::kLarge),
                       image.GetImageRef(CDDImage::kSmall), image.GetMenuRef()};
    };
    EXPECT_EQ(refs(*images[0]), (Strings{u"", u"", u"small.bmp", u""}));
    // A later "REGULAR" without IREF keeps the earlier reference.
    EXPECT_EQ(refs(*images[1]), (Strings{u"second.bmp", u"large.bmp", u"", u"mnuHelp"}));
    EXPECT_EQ(std::tuple(images[0]->GetHelpId(), images[1]->GetHelpId(), images[2]->GetHelpId()),
              std::tuple(0, 42, 0));  // "none" is no number
    EXPECT_EQ(images[2]->GetMenuRef(), u"");

    // An image named like a variable is stored but not found by identifier.
    EXPECT_EQ(images[3]->Id(), u"shared");
    ASSERT_EQ(model.Variables().size(), 1u);
    const CDDElementMap& dictionary = model.ElementDictionary();
    EXPECT_EQ(dictionary.FindChild(u"shared"), model.Variables()[0]);
    EXPECT_EQ(dictionary.FindChild(u"imgAll"), images[1]);
    EXPECT_EQ(dictionary.FindChild(u"metTwo"), methods[1]);
    EXPECT_EQ(dictionary.FindChild(u"imgNeverRead"), nullptr);
    EXPECT_EQ(dictionary.FindChild(u"metNeverRead"), nullptr);
}

TEST(MetaInformation, MetavariablesLanguagesAndLogos) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/decl_metainformation.xml", kLoc), 0);
    const auto& metas = model.MetaVariables();
    // A metavariable without identifier skips the rest of its section only.
    ASSERT_EQ(Ids(metas), (Strings{u"devSerial", u"devTwoValues", u"__9xy", u"devShared", u"devSecond"}));
    auto sourceAndValue = [](const CDDMetaVariable& meta) {
        std::u16string source, value;
        meta.GetSource(source);
        meta.GetValueText(value);
        return source + u"=" + value;
    };
    EXPECT_EQ(sourceAndValue(*metas[0]), u"FACTORY=  SN-0042 ");  // as written, blanks included
    EXPECT_EQ(std::tuple(metas[0]->GetType(), metas[0]->GetStorage()), std::tuple(TYPE_DD_UINT32, 3));
    // A "VALUE" without "SOURCE" is ignored; one with "SOURCE" but no text
    // replaces the source and keeps the value.
    EXPECT_EQ(sourceAndValue(*metas[1]), u"EMPTY=2.0");
    EXPECT_NE(metas[1]->FindChild(u"1"), nullptr);
    EXPECT_EQ(metas[2]->GetType(), TYPE_DD_NOTUNIQUE);
    // Variables are read first, so the dictionary finds the variable.
    EXPECT_EQ(model.ElementDictionary().FindChild(u"devShared"), model.Variables()[0]);
    EXPECT_EQ(model.ElementDictionary().FindChild(u"devSerial"), metas[0]);
    EXPECT_EQ(model.ElementDictionary().FindChild(u"devSkipped"), nullptr);

    Strings codes;
    for (const CDDLanguage* language : model.Languages()) codes.push_back(language->GetCode());
    EXPECT_EQ(codes, (Strings{u"en", u"de-AT", u"de"}));
    EXPECT_EQ(model.Languages()[1]->GetLocalLabel(), u"Deutsch (\u00d6sterreich)");
    // A logo "TYPE" other than the two exact keywords cannot be asked for, so the logo is left out.
    using Logo = std::tuple<std::u16string, int32_t>;
    std::vector<Logo> logos;
    for (const CDDLogo& logo : model.Logos()) logos.emplace_back(logo.m_reference, logo.m_type);
    EXPECT_EQ(logos, (std::vector<Logo>{{u"vendor.bmp", LOGO_VENDOR}, {u"images\\device.bmp", LOGO_DEVICE},
                                        {u"vendor2.bmp", LOGO_VENDOR}}));
}

}  // namespace
