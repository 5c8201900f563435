// Registry functions over a temporary registry file: reads, size rules, changes and the written file.
#include <gtest/gtest.h>

#include <string>

#include <k42gui/winreg.h>
#include "support/temp_registry.h"

namespace {

constexpr char kMachineFile[] =
    "Windows Registry Editor Version 5.00\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\EDD]\n"
    "\"SwitchOffDeviceHelp\"=dword:00000001\n"
    "\"One\"=\"X\"\n"
    "\"Name\"=\"C:\\\\Program Files\\\\\\\"K42\\\"\"\n"
    "@=\"default\"\n"
    "\n";

HKEY OpenEdd(REGSAM access = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\MORVANE\\edd", 0, access, &key), ERROR_SUCCESS);
  return key;
}

TEST(RegistryQuery, ValuesSizesAndMissingEntries) {
  k42test::TempRegistry registry(kMachineFile);
  HKEY key = OpenEdd();
  ASSERT_NE(key, nullptr);

  DWORD type = 0, number = 0, size = sizeof number;
  EXPECT_EQ(RegQueryValueExW(key, u"SwitchOffDeviceHelp", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(number, 1u);
  EXPECT_EQ(size, 4u);

  // A one-character text and its terminator fill exactly four bytes; the type is not checked.
  char16_t one[2] = {0, 0};
  size = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"one", nullptr, &type, reinterpret_cast<BYTE*>(one), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(one[0], u'X');
  EXPECT_EQ(one[1], u'\0');

  // A longer text does not fit four bytes: ERROR_MORE_DATA and the size needed.
  size = 4;
  EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size), ERROR_MORE_DATA);
  std::u16string expected = u"C:\\Program Files\\\"K42\"";
  EXPECT_EQ(size, (expected.size() + 1) * 2);
  size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  std::u16string text(size / 2, u'?');
  EXPECT_EQ(RegQueryValueExW(key, u"Name", nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(text, expected + u'\0');

  size = 0;
  EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 16u);  // "default" and its NUL
  EXPECT_EQ(RegQueryValueExW(key, u"", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExW(key, u"Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);

  HKEY missing = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Morvane\\Other", 0, KEY_READ, &missing),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"SOFTWARE\\Morvane\\EDD", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  registry.Remove();  // no file at all: an empty registry
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
}

TEST(RegistryChange, CreateSetDeleteRoundTripAndFileFormat) {
  k42test::TempRegistry registry("");
  HKEY clsid = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"CLSID\\{1234}\\InprocServer32", 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_WRITE | KEY_READ, nullptr, &clsid, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_CREATED_NEW_KEY));
  const char16_t path[] = u"/opt/k42/lib\\K42GuiXmlReader.so";
  const char16_t model[] = u"Apartment";
  EXPECT_EQ(RegSetValueExW(clsid, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(clsid, u"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(model), sizeof model),
            ERROR_SUCCESS);
  const BYTE blob[] = {0x01, 0xAB, 0x00};
  EXPECT_EQ(RegSetValueExW(clsid, u"Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
  const char16_t expand[] = u"%P%";
  EXPECT_EQ(RegSetValueExW(clsid, u"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand),
            ERROR_SUCCESS);
  HKEY programmable = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"clsid\\{1234}\\Programmable", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &programmable, nullptr),
            ERROR_SUCCESS);
  HKEY edd = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Morvane\\EDD", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &edd,
                            &disposition),
            ERROR_SUCCESS);
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExW(edd, u"SwitchOffDeviceHelp", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_SUCCESS);

  EXPECT_EQ(registry.Read(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{1234}\\InprocServer32]\n"
            "@=\"/opt/k42/lib\\\\K42GuiXmlReader.so\"\n"
            "\"ThreadingModel\"=\"Apartment\"\n"
            "\"Blob\"=hex:01,ab,00\n"
            "\"Expand\"=hex(2):25,00,50,00,25,00,00,00\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{1234}\\Programmable]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\EDD]\n"
            "\"SwitchOffDeviceHelp\"=dword:00000001\n"
            "\n");

  // What was written reads back.
  DWORD type = 0, size = 64;
  char16_t text[32];
  EXPECT_EQ(RegQueryValueExW(clsid, u"threadingmodel", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(text), u"Apartment");

  HKEY clsidRoot = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_ALL_ACCESS, &clsidRoot), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(clsidRoot, u"{1234}"), ERROR_ACCESS_DENIED);  // it has subkeys
  EXPECT_EQ(RegDeleteKeyW(clsidRoot, u"{1234}\\Programmable"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(clsid, u"Blob"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(clsid, u"Blob"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteTreeW(clsidRoot, u"{1234}"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteTreeW(clsidRoot, u"{1234}"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegSetValueExW(clsid, u"Late", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_KEY_DELETED);
  EXPECT_EQ(registry.Read(),
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CLASSES_ROOT\\CLSID]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvane\\EDD]\n"
            "\"SwitchOffDeviceHelp\"=dword:00000001\n"
            "\n");
  for (HKEY key : {clsid, programmable, edd, clsidRoot}) EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST(RegistryChange, AccessRightsAndOpening) {
  k42test::TempRegistry registry(kMachineFile);
  HKEY readOnly = OpenEdd(KEY_QUERY_VALUE);
  DWORD zero = 0;
  EXPECT_EQ(RegSetValueExW(readOnly, u"SwitchOffDeviceHelp", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4),
            ERROR_ACCESS_DENIED);
  HKEY sub = nullptr;
  EXPECT_EQ(RegCreateKeyExW(readOnly, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
            ERROR_ACCESS_DENIED);
  // Opening an existing key through RegCreateKeyExW needs no create right.
  DWORD disposition = 0;
  EXPECT_EQ(RegCreateKeyExW(readOnly, u"", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &sub, &disposition), ERROR_SUCCESS);
  EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExW(sub, u"One", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegSetValueExW(sub, u"SwitchOffDeviceHelp", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4),
            ERROR_SUCCESS);
  DWORD number = 7;
  EXPECT_EQ(
      RegQueryValueExW(readOnly, u"SwitchOffDeviceHelp", nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size),
      ERROR_SUCCESS);
  EXPECT_EQ(number, 0u);
  EXPECT_EQ(RegCloseKey(sub), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExW(reinterpret_cast<HKEY>(0x5555), u"x", 0, KEY_READ, &sub), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(readOnly), ERROR_SUCCESS);
}

}  // namespace
