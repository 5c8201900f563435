// Declarations, metainformation, header records and function identifiers read through parsed files.
#include <gtest/gtest.h>

#include <tuple>

#include <k42gui/IGuiXmlModel.h>

#include "loading/DDModel.h"
#include "support/test_paths.h"

namespace {

using Strings = std::vector<std::u16string>;
constexpr char kLoc[] = "common/minimal_loc.xml";

template <typename List>
Strings Ids(const List& elements) {
  Strings ids;
  for (const auto& element : elements) ids.emplace_back(element->Id());
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
  EXPECT_EQ(dictionary.FindChild(u"lblDup"), model.Labels()[1].get());
  EXPECT_EQ(dictionary.FindChild(u""), nullptr);
  EXPECT_EQ(dictionary.FindChild(u"lblBlanks"), nullptr);
  EXPECT_EQ(dictionary.FindChild(u" lblBlanks "), model.Labels()[4].get());
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
  EXPECT_EQ(dictionary.FindChild(u"shared"), model.Variables()[0].get());
  EXPECT_EQ(dictionary.FindChild(u"imgAll"), images[1].get());
  EXPECT_EQ(dictionary.FindChild(u"metTwo"), methods[1].get());
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
  EXPECT_EQ(model.ElementDictionary().FindChild(u"devShared"), model.Variables()[0].get());
  EXPECT_EQ(model.ElementDictionary().FindChild(u"devSerial"), metas[0].get());
  EXPECT_EQ(model.ElementDictionary().FindChild(u"devSkipped"), nullptr);

  Strings codes;
  for (const auto& language : model.Languages()) codes.push_back(language->GetCode());
  EXPECT_EQ(codes, (Strings{u"en", u"de-AT", u"de"}));
  EXPECT_EQ(model.Languages()[1]->GetLocalLabel(), u"Deutsch (\u00d6sterreich)");
  // A logo "TYPE" other than the two exact keywords cannot be asked for, so the logo is left out.
  using Logo = std::tuple<std::u16string, int32_t>;
  std::vector<Logo> logos;
  for (const CDDLogo& logo : model.Logos()) logos.emplace_back(logo.m_reference, logo.m_type);
  EXPECT_EQ(logos,
            (std::vector<Logo>{
                {u"vendor.bmp", LOGO_VENDOR}, {u"images\\device.bmp", LOGO_DEVICE}, {u"vendor2.bmp", LOGO_VENDOR}}));
}

// Use, mapping, parameter, origin, header variable type, status, control id, prog id, init, width, height.
using Row = std::tuple<std::u16string, std::u16string, std::u16string, int32_t, int32_t, std::u16string, std::u16string,
                       std::u16string, std::u16string, int32_t, int32_t>;

TEST(HeaderArea, RecordsInDocumentOrderWithKeywordCodesControlDataAndLeadingNumberSizes) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, "readers/decl_header_area.xml", "common/minimal_loc.xml"), 0);
  std::vector<Row> rows;
  for (const auto& r : model.HeaderRecords()) {
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

constexpr char kFile[] = "readers/decl_function_id.xml";

Strings ModuleIds(const CDDParserXML& model) { return Ids(model.Modules()); }

TEST(FunctionId, SelectsTheFirstElementWhoseLeadingNumberMatches) {
  CDDModel three;
  ASSERT_EQ(k42test::Load(three, kFile, kLoc, u"en", 3), 0);
  EXPECT_EQ(ModuleIds(three), std::vector<std::u16string>{u"modFirstThree"});
  EXPECT_EQ(three.IsOnline(), 1);  // the second "3" says FALSE but is never examined

  CDDModel seven;  // " 07abc" reads as 7
  ASSERT_EQ(k42test::Load(seven, kFile, kLoc, u"en", 7), 0);
  EXPECT_EQ(ModuleIds(seven), std::vector<std::u16string>{u"modSeven"});

  // An element without "ID" ends the search before function 12 is reached.
  CDDModel twelve;
  ASSERT_EQ(k42test::Load(twelve, kFile, kLoc, u"en", 12), 0);
  EXPECT_TRUE(twelve.Modules().empty());
  EXPECT_EQ(twelve.IsOnline(), 1);
}

TEST(FunctionId, OnlineFlagRules) {
  // Function 4 without "IS_ONLINE" works offline; "IS_ONLINE" is false only
  // for "FALSE" in any case or exactly "0".
  const std::vector<std::pair<int32_t, int32_t>> cases{{3, 1}, {4, 0}, {5, 0},  {6, 0}, {7, 1},
                                                       {8, 1}, {9, 1}, {10, 1}, {11, 1}};
  for (const auto& [functionId, online] : cases) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, kFile, kLoc, u"en", functionId), 0);
    EXPECT_EQ(model.IsOnline(), online) << "function " << functionId;
  }

  // A function that matches nothing changes neither the flag nor the modules.
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, kFile, kLoc, u"en", 4), 0);
  ASSERT_EQ(k42test::Load(model, kFile, kLoc, u"en", 99), 0);
  EXPECT_EQ(model.IsOnline(), 0);
  EXPECT_EQ(ModuleIds(model), std::vector<std::u16string>{u"modC"});
}

TEST(FunctionId, ListedModulesEnterTheListDictionaryAndScopes) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, kFile, kLoc, u"en", 1), 0);
  const auto& modules = model.Modules();
  ASSERT_EQ(ModuleIds(model), (std::vector<std::u16string>{u"modA", u"modB", u"modA", u"modC", u"modD"}));
  EXPECT_EQ(model.ElementDictionary().FindChild(u"modA"), modules[0].get());
  const auto& scopes = model.ScopeList();
  ASSERT_EQ(scopes.size(), 6u);
  EXPECT_EQ(scopes[0], &model.ElementDictionary());
  for (size_t i = 0; i < modules.size(); ++i) EXPECT_EQ(scopes[i + 1], modules[i].get());
}

TEST(ModuleDeclarations, AttributesGoToTheFirstListedModuleUntilOneLacksItsIdentifier) {
  CDDModel model;
  ASSERT_EQ(k42test::Load(model, kFile, kLoc, u"en", 1), 0);
  // Icon, init string, integration of each listed module.
  std::vector<std::tuple<std::u16string, std::u16string, int32_t>> rows;
  for (const auto& m : model.Modules()) rows.emplace_back(m->GetIcon(), m->GetInitString(), m->GetIntegration());
  EXPECT_EQ(rows, (std::vector<std::tuple<std::u16string, std::u16string, int32_t>>{
                      {u"a.ico", u"init=a", kTAB},
                      {u"", u"", kNONE},  // "tab" is no keyword
                      {u"", u"", kNONE},  // the repeated reference gets nothing
                      // Both declarations of modC apply in order; an unknown integration keeps
                      // the earlier one, and an empty init string is still taken.
                      {u"c2.ico", u"", kMENU},
                      {u"", u"", kNONE},  // the declaration without "MOD_ID" ends the section before modD
                  }));
}

}  // namespace
