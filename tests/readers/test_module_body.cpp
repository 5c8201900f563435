// Module bodies read from loaded files: dispatch, links, features, header references and the device-help switch.
#include <gtest/gtest.h>

#include <string>

#include "model/DDModel.h"
#include "support/temp_registry.h"
#include "support/test_paths.h"

namespace {

constexpr char kHeader[] = "Windows Registry Editor Version 5.00\n\n";
constexpr char kKey[] = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\EDD]\n";

std::string Registry(const std::string& valueLine) { return std::string(kHeader) + kKey + valueLine + "\n\n"; }

std::u16string Feature(const CDDModule& module, const std::u16string& name) {
    std::u16string value;
    return module.GetFeature(name, value) ? value : u"<absent>";
}

// The switch feature of every module of the fixture, in module order.
std::vector<std::u16string> Switches(const CDDModel& model) {
    std::vector<std::u16string> values;
    for (const CDDModule* module : model.Modules()) values.push_back(Feature(*module, u"SwitchOffDeviceHelp"));
    return values;
}

std::vector<std::u16string> SwitchesWithRegistry(const std::string& content) {
    k42test::TempRegistry registry(content);
    CDDModel model;
    EXPECT_EQ(k42test::Load(model, "readers/nav_module_body.xml", "common/minimal_loc.xml"), 0);
    return Switches(model);
}

TEST(ModuleBody, LinksFeaturesAndHeaderReferences) {
    k42test::TempRegistry registry;
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/nav_module_body.xml", "common/minimal_loc.xml"), 0);
    ASSERT_EQ(model.Modules().size(), 4u);
    const CDDModule& body = *model.Modules()[0];

    EXPECT_EQ(body.GetLinkRef(), u"second.xml");  // the later "FREF"; none keeps it
    // The last value of a name wins, across "FEATURES" elements too; a
    // "FEATURE" lacking "NAME" or "VALUE" changes nothing; names are exact.
    EXPECT_EQ(Feature(body, u"Color"), u"green");
    EXPECT_EQ(Feature(body, u"color"), u"lower");
    EXPECT_EQ(Feature(body, u"Size"), u"big");
    EXPECT_EQ(Feature(body, u" Empty"), u"");
    EXPECT_EQ(Feature(body, u"Empty"), u"<absent>");
    EXPECT_EQ(Feature(body, u"orphan"), u"<absent>");

    // The other children reach their readers.
    EXPECT_EQ(body.GetTreeImageList(), u"tree.bmp");
    EXPECT_EQ(body.RootMenu().Entries().size(), 1u);
    ASSERT_EQ(body.Displays().size(), 1u);
    EXPECT_EQ(body.Displays()[0]->Id(), u"pdBody");
    std::vector<CDDMenubarItem*> bar;
    body.GetMenubarItems(bar);
    EXPECT_EQ(bar.size(), 1u);

    // Header references are set together: "ONLINE" alone clears the offline
    // reference (second declaration of modBody); both empty or absent keep them.
    std::u16string offline, online;
    body.GetHeaderRefs(offline, online);
    EXPECT_EQ(offline, u"");
    EXPECT_EQ(online, u"hdrOnlyOnline");
    model.Modules()[1]->GetHeaderRefs(offline, online);
    EXPECT_EQ(offline, u"hdrA");
    EXPECT_EQ(online, u"hdrB");
}

TEST(ModuleBody, DeviceHelpSwitchFromTheRegistry) {
    // Every module with a child node, white space included, gets the
    // registry's answer, overriding the file's own "TRUE"; the empty
    // declaration gets none.
    const std::vector<std::u16string> off = {u"TRUE", u"TRUE", u"<absent>", u"TRUE"};
    const std::vector<std::u16string> on = {u"FALSE", u"FALSE", u"<absent>", u"FALSE"};

    EXPECT_EQ(SwitchesWithRegistry(kHeader), on) << "no key";
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"Other\"=dword:00000001")), on) << "no value";
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=dword:00000001")), off);
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=dword:00000000")), on);
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=dword:00000100")), off);
    // Any one-character text fits four bytes with its terminator and is not
    // zero; a longer text does not fit at all.
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=\"0\"")), off);
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=\"TRUE\"")), on);
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=hex:00,00,00,00,01")), on);
    // Shorter than four bytes: the missing bytes count as zero.
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=hex:00,01")), off);
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=hex:00,00")), on);
    EXPECT_EQ(SwitchesWithRegistry(Registry("\"SwitchOffDeviceHelp\"=hex:")), on);
}

TEST(ModuleBody, DeviceHelpSwitchIsReadOncePerModel) {
    k42test::TempRegistry registry(Registry("\"SwitchOffDeviceHelp\"=dword:00000001"));
    CDDModel model;
    ASSERT_EQ(k42test::Load(model, "readers/nav_module_body.xml", "common/minimal_loc.xml"), 0);
    registry.Write(Registry("\"SwitchOffDeviceHelp\"=dword:00000000"));
    EXPECT_TRUE(model.IsDeviceHelpSwitchedOff());
    registry.Remove();
    EXPECT_TRUE(model.IsDeviceHelpSwitchedOff());

    // A new model asks again.
    CDDModel next;
    ASSERT_EQ(k42test::Load(next, "readers/nav_module_body.xml", "common/minimal_loc.xml"), 0);
    EXPECT_EQ(Feature(*next.Modules()[0], u"SwitchOffDeviceHelp"), u"FALSE");
    EXPECT_EQ(Feature(*model.Modules()[0], u"SwitchOffDeviceHelp"), u"TRUE");
}

}  // namespace
