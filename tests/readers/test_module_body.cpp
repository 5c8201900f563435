// Module bodies read from loaded files: dispatch, links, features, header references and the device-help switch.
#include <gtest/gtest.h>

#include <string>

#include "loading/DDModel.h"
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
  for (const auto& module : model.Modules()) values.push_back(Feature(*module, u"SwitchOffDeviceHelp"));
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
  std::vector<std::u16string> features;
  for (const char16_t* name : {u"Color", u"color", u"Size", u" Empty", u"Empty", u"orphan"}) {
    features.push_back(Feature(body, name));
  }
  EXPECT_EQ(features, (std::vector<std::u16string>{u"green", u"lower", u"big", u"", u"<absent>", u"<absent>"}));

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
  std::u16string offline, online, offline2, online2;
  body.GetHeaderRefs(offline, online);
  model.Modules()[1]->GetHeaderRefs(offline2, online2);
  EXPECT_EQ(offline + u"|" + online + u"|" + offline2 + u"|" + online2, u"|hdrOnlyOnline|hdrA|hdrB");
}

TEST(ModuleBody, DeviceHelpSwitchFromTheRegistry) {
  // Every module with a child node, white space included, gets the
  // registry's answer, overriding the file's own "TRUE"; the empty
  // declaration gets none.
  const std::vector<std::u16string> off = {u"TRUE", u"TRUE", u"<absent>", u"TRUE"};
  const std::vector<std::u16string> on = {u"FALSE", u"FALSE", u"<absent>", u"FALSE"};

  EXPECT_EQ(SwitchesWithRegistry(kHeader), on) << "no key";
  // Any one-character text fits four bytes with its terminator and is not
  // zero; a longer text does not fit at all. Shorter than four bytes: the missing bytes count as zero.
  const std::pair<const char*, bool> values[] = {
      {"\"Other\"=dword:00000001", false},
      {"\"SwitchOffDeviceHelp\"=dword:00000001", true},
      {"\"SwitchOffDeviceHelp\"=dword:00000000", false},
      {"\"SwitchOffDeviceHelp\"=dword:00000100", true},
      {"\"SwitchOffDeviceHelp\"=\"0\"", true},
      {"\"SwitchOffDeviceHelp\"=\"TRUE\"", false},
      {"\"SwitchOffDeviceHelp\"=hex:00,00,00,00,01", false},
      {"\"SwitchOffDeviceHelp\"=hex:00,01", true},
      {"\"SwitchOffDeviceHelp\"=hex:00,00", false},
      {"\"SwitchOffDeviceHelp\"=hex:", false},
  };
  for (const auto& [line, switchedOff] : values) {
    EXPECT_EQ(SwitchesWithRegistry(Registry(line)), switchedOff ? off : on) << line;
  }
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
