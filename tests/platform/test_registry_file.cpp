// The registry-export file format: what is accepted when reading and that writing round-trips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/registry_format.h"

namespace {

using k42::registry::Hive;
using k42::registry::Key;
using k42::registry::ParseExport;
using k42::registry::Value;
using k42::registry::WriteExport;

std::vector<BYTE> Bytes(std::u16string text) {
  std::vector<BYTE> bytes;
  for (char16_t unit : text + u'\0') {
    bytes.push_back(BYTE(unit & 0xFF));
    bytes.push_back(BYTE(unit >> 8));
  }
  return bytes;
}

TEST(RegistryFile, ReadsRegeditVariantsAndSkipsMalformedLines) {
  Hive hive = ParseExport(
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
      "\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\EDD]\r\n"
      "\"Quoted\"=\"say \\\"hi\\\" in C:\\\\dir\\\\\"\r\n"
      "\"Odd\"=\"keep \\n as is\"\r\n"
      "\"Wrapped\"=hex(7):41,00,00,00,\\\r\n"
      "  00,00\r\n"
      "\"Short\"=dword:1f\r\n"
      "\"Bad dword\"=dword:123456789\r\n"
      "\"Bad hex\"=hex:1,zz\r\n"
      "\"Unterminated\"=\"text\r\n"
      "garbage line\r\n"
      "  @=\"padded\"  \r\n"
      "[HKEY_NOWHERE\\Key]\r\n"
      "\"Lost\"=dword:00000001\r\n"
      "[HKEY_LOCAL_MACHINE\\\\Empty]\r\n"
      "\"Lost too\"=dword:00000001\r\n");
  Key* edd = hive.Find(k42::registry::kLocalMachine, {u"software", u"morvane", u"EDD"});
  ASSERT_NE(edd, nullptr);
  std::vector<std::u16string> names;
  for (const Value& value : edd->Values()) names.push_back(value.name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Quoted", u"Odd", u"Wrapped", u"Short", u""}));
  EXPECT_EQ(edd->FindValue(u"Quoted")->data, Bytes(u"say \"hi\" in C:\\dir\\"));
  EXPECT_EQ(edd->FindValue(u"Odd")->data, Bytes(u"keep \\n as is"));
  EXPECT_EQ(edd->FindValue(u"Wrapped")->type, DWORD(7));
  EXPECT_EQ(edd->FindValue(u"Wrapped")->data, (std::vector<BYTE>{0x41, 0, 0, 0, 0, 0}));
  EXPECT_EQ(edd->FindValue(u"Short")->data, (std::vector<BYTE>{0x1f, 0, 0, 0}));
  EXPECT_EQ(edd->FindValue(u"")->data, Bytes(u"padded"));
  EXPECT_EQ(hive.Find(k42::registry::kLocalMachine, {u"Empty"}), nullptr);
}

TEST(RegistryFile, ReadsUtf16Files) {
  std::u16string text =
      u"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\T\u00e4st]\r\n@=\"\u20ac\"\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += char(unit & 0xFF);
    bytes += char(unit >> 8);
  }
  Hive hive = ParseExport(bytes);
  Key* key = hive.Find(k42::registry::kCurrentUser, {u"T\u00c4ST"});
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Name(), u"T\u00e4st");
  EXPECT_EQ(key->FindValue(u"")->data, Bytes(u"\u20ac"));
}

TEST(RegistryFile, WritesWhatCannotBeQuotedAsHexAndRoundTrips) {
  Hive hive;
  Key& key = hive.roots[k42::registry::kCurrentUser].EnsureChild(u"Z").EnsureChild(u"a");
  key.SetValue({u"Line\"s", 1, Bytes(u"two\nlines")});
  key.SetValue({u"NoNul", 1, {0x41, 0x00}});
  key.SetValue({u"Unpaired", 1, {0x00, 0xD8, 0x00, 0x00}});
  key.SetValue({u"Empty", 1, {}});
  key.SetValue({u"Long dword", 4, {1, 2, 3, 4, 5}});
  key.SetValue({u"Text", 1, Bytes(u"\u00fc")});
  hive.roots[k42::registry::kCurrentUser].EnsureChild(u"b");
  hive.roots[k42::registry::kCurrentUser].SetValue({u"AtRoot", 4, {1, 0, 0, 0}});
  std::string written = WriteExport(hive);
  EXPECT_EQ(written,
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CURRENT_USER]\n"
            "\"AtRoot\"=dword:00000001\n"
            "\n"
            "[HKEY_CURRENT_USER\\b]\n"
            "\n"
            "[HKEY_CURRENT_USER\\Z\\a]\n"
            "\"Line\\\"s\"=hex(1):74,00,77,00,6f,00,0a,00,6c,00,69,00,6e,00,65,00,73,00,00,00\n"
            "\"NoNul\"=hex(1):41,00\n"
            "\"Unpaired\"=hex(1):00,d8,00,00\n"
            "\"Empty\"=hex(1):\n"
            "\"Long dword\"=hex(4):01,02,03,04,05\n"
            "\"Text\"=\"\xc3\xbc\"\n"
            "\n");
  EXPECT_EQ(WriteExport(ParseExport(written)), written);
  EXPECT_EQ(WriteExport(Hive{}), "Windows Registry Editor Version 5.00\n\n");
}

}  // namespace
