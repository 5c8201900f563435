// Function identifier selection, the online flag and module declarations, read through a parsed file.
#include <gtest/gtest.h>

#include <tuple>

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
    // Icon, init string, integration of each listed module.
    std::vector<std::tuple<std::u16string, std::u16string, int32_t>> rows;
    for (const CDDModule* m : model.Modules()) rows.emplace_back(m->GetIcon(), m->GetInitString(), m->GetIntegration());
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
