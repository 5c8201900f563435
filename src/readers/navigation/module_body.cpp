// Reader of a module's contents: dispatch, links, features, header references and the device-help switch.
#include <cstdint>
#include <cstring>

#include <k42gui/winreg.h>

#include "model/DDParserXML.h"
#include "model/DomUtil.h"
#include "platform/wide.h"

int CDDParserXML::ParseModuleBody(DOMNodeList* children, CDDModule* module) {
  if (module == nullptr) return 0;
  k42::ForEachChild(children, [&](DOMNode* child) {
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == u"NAVIGATION_AREA") {
      ParseNavigationArea(child, module);
    } else if (name == u"PARDIS_AREA") {
      ParsePardisArea(child, module);
    } else if (name == u"LINK2MODULE") {
      ParseLink2Module(child, module);
    } else if (name == u"MODULEMENUBAR") {
      ParseMenubarItems(child->getChildNodes(), module->MenubarItems());
    } else if (name == u"FEATURES") {
      ParseFeatures(child->getChildNodes(), module);
    } else if (name == u"HEADER_REF") {
      ParseHeaderRef(child, module);
    }
    // Every child node, text and comments included, sets the switch, so
    // it overrides a "FEATURE" of the same name; only an empty module
    // declaration goes without it.
    try {
      module->SetFeature(u"SwitchOffDeviceHelp", IsDeviceHelpSwitchedOff() ? u"TRUE" : u"FALSE");
    } catch (...) {}
    return true;
  });
  return 0;
}

int CDDParserXML::ParseLink2Module(DOMNode* node, CDDModule* module) {
  if (module == nullptr) return 0;
  try {
    std::u16string reference;
    if (k42::GetAttribute(node, u"FREF", reference)) module->SetLinkRef(std::move(reference));
  } catch (...) {}
  return 0;
}

int CDDParserXML::ParseFeatures(DOMNodeList* children, CDDModule* module) {
  if (module == nullptr) return 0;
  try {
    k42::ForEachChild(children, [&](DOMNode* child) {
      if (k42::NodeNameIs(child, u"FEATURE")) ParseFeature(child, module);
      return true;
    });
  } catch (...) {
    return -1;  // the features set before stay
  }
  return 0;
}

int CDDParserXML::ParseFeature(DOMNode* node, CDDModule* module) {
  if (module == nullptr) return -2;
  try {
    std::u16string name;
    std::u16string value;
    if (!k42::GetAttribute(node, u"NAME", name) || !k42::GetAttribute(node, u"VALUE", value)) return -2;
    module->SetFeature(name, std::move(value));  // a later value of a name replaces the earlier one
  } catch (...) {
    return -3;
  }
  return 0;
}

int CDDParserXML::ParseHeaderRef(DOMNode* node, CDDModule* module) {
  if (module == nullptr) return 0;
  try {
    std::u16string online;
    std::u16string offline;
    k42::GetAttribute(node, u"ONLINE", online);
    k42::GetAttribute(node, u"OFFLINE", offline);
    // The two references belong together: setting one clears the other
    // when it is not given; giving neither keeps both.
    if (!offline.empty() || !online.empty()) module->SetHeaderRefs(std::move(offline), std::move(online));
  } catch (...) {}
  return 0;
}

// The machine-wide switch HKEY_LOCAL_MACHINE\SOFTWARE\Morvane\EDD,
// "SwitchOffDeviceHelp", read once per model. The value is read into four
// bytes whatever its registry type; it switches the help off when those
// bytes, as a 32-bit number, are not zero. A value longer than four bytes
// does not fit and reads as not switched off. A value shorter than four
// bytes fills the buffer only partly: the buffer starts out zeroed, so the
// missing bytes count as zero and any non-zero byte switches the help off.
bool CDDParserXML::IsDeviceHelpSwitchedOff() {
  if (m_deviceHelpRead) return m_deviceHelpOff;
  m_deviceHelpOff = false;
  HKEY key = nullptr;
  try {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, k42::AsWide(u"SOFTWARE\\Morvane\\EDD"), 0,
                      KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &key) == ERROR_SUCCESS) {
      BYTE buffer[4] = {0, 0, 0, 0};
      DWORD size = sizeof buffer;
      if (RegQueryValueExW(key, k42::AsWide(u"SwitchOffDeviceHelp"), nullptr, nullptr, buffer, &size) ==
          ERROR_SUCCESS) {
        uint32_t number = 0;
        std::memcpy(&number, buffer, sizeof number);
        m_deviceHelpOff = number != 0;
      }
    }
  } catch (...) {
    m_deviceHelpOff = false;  // any registry failure reads as not switched off
  }
  if (key != nullptr) RegCloseKey(key);
  m_deviceHelpRead = true;
  return m_deviceHelpOff;
}
