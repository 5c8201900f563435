// Function identifier selection, the online flag and module declarations,
// read through a parsed file.
#include <gtest/gtest.h>

#include <k42gui/IGuiXmlModel.h>

#include "model/DDModel.h"
#include "support/test_paths.h"

namespace {

constexpr char kFile[] = "readers/decl_function_id.xml";
constexpr char kLoc[] = "common/minimal_loc.xml";

std::vector<std::u16string> ModuleIds(const CDDParserXML& model) {
    std::vector<std::u16string> ids;
    for (const CDDModule* module : model.Modules()) ids.push_back(module->Id());
    return ids;
}

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
    const std::vector<std::pair<int32_t, int32_t>> cases{{3, 1}, {4, 0}, {5, 0}, {6, 0}, {7, 1},
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
    EXPECT_EQ(model.ElementDictionary().FindChild(u"modA"), modules[0]);
    const auto& scopes = model.ScopeList();
    ASSERT_EQ(scopes.size(), 6u);
    EXPECT_EQ(scopes[0], &model.ElementDictionary());
    for (size_t i = 0; i < modules.size(); ++i) EXPECT_EQ(scopes[i + 1], modules[i]);
}

TEST(ModuleDeclarations, AttributesGoToTheFirstListedModuleUntilOneLacksItsIdentifier) {
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, kFile, kLoc, u"en", 1), 0);
    const auto& m = model.Modules();
    ASSERT_EQ(m.size(), 5u);

    EXPECT_EQ(m[0]->GetIcon(), u"a.ico");
    EXPECT_EQ(m[0]->GetInitString(), u"init=a");
    EXPECT_EQ(m[0]->GetIntegration(), kTAB);
    EXPECT_EQ(m[2]->GetIcon(), u"");  // the repeated reference gets nothing
    EXPECT_EQ(m[2]->GetIntegration(), kNONE);

    EXPECT_EQ(m[1]->GetIntegration(), kNONE);  // "tab" is no keyword

    // Both declarations of modC apply in order; an unknown integration keeps
    // the earlier one, and an empty init string is still taken.
    EXPECT_EQ(m[3]->GetIcon(), u"c2.ico");
    EXPECT_EQ(m[3]->GetIntegration(), kMENU);
    EXPECT_EQ(m[3]->GetInitString(), u"");

    // The declaration without "MOD_ID" ends the section before modD.
    EXPECT_EQ(m[4]->GetIcon(), u"");
    EXPECT_EQ(m[4]->GetIntegration(), kNONE);

    for (const CDDModule* module : m) EXPECT_NE(module->GetIcon(), u"x.ico");
}

}  // namespace
