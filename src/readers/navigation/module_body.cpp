// Reader of a module's contents: dispatch, links, features, header references and the device-help switch.
#include "readers/navigation/NavigationReader.h"
#include "model/Names.h"
#include "model/DomUtil.h"

int k42::NavigationReader::ParseModuleBody(DOMNodeList* children, CDDModule* module) {
  if (module == nullptr) return 0;
  k42::ForEachChild(children, [&](DOMNode* child) {
    const k42::NodeNameRef name = k42::NodeName(child);
    if (name == k42::names::kNavigationArea) {
      ParseNavigationArea(child, module);
    } else if (name == k42::names::kPardisArea) {
      ParsePardisArea(child, module);
    } else if (name == k42::names::kLink2Module) {
      ParseLink2Module(child, module);
    } else if (name == k42::names::kModuleMenubar) {
      ParseMenubarItems(child->getChildNodes(), module->MenubarItems());
    } else if (name == k42::names::kFeatures) {
      ParseFeatures(child->getChildNodes(), module);
    } else if (name == k42::names::kHeaderRef) {
      ParseHeaderRef(child, module);
    }
    // Every child node, text and comments included, sets the switch, so
    // it overrides a "FEATURE" of the same name; only an empty module
    // declaration goes without it.
    try {
      module->SetFeature(u"SwitchOffDeviceHelp", m_deviceHelp.IsOn() ? u"TRUE" : u"FALSE");
    } catch (...) {}
    return true;
  });
  return 0;
}

int k42::NavigationReader::ParseLink2Module(DOMNode* node, CDDModule* module) {
  if (module == nullptr) return 0;
  try {
    std::u16string reference;
    if (k42::GetAttribute(node, k42::names::kFref, reference)) module->SetLinkRef(std::move(reference));
  } catch (...) {}
  return 0;
}

int k42::NavigationReader::ParseFeatures(DOMNodeList* children, CDDModule* module) {
  if (module == nullptr) return 0;
  try {
    k42::ForEachChild(children, [&](DOMNode* child) {
      if (k42::NodeNameIs(child, k42::names::kFeature)) ParseFeature(child, module);
      return true;
    });
  } catch (...) {
    return -1;  // the features set before stay
  }
  return 0;
}

int k42::NavigationReader::ParseFeature(DOMNode* node, CDDModule* module) {
  if (module == nullptr) return -2;
  try {
    std::u16string name;
    std::u16string value;
    if (!k42::GetAttribute(node, k42::names::kName, name) || !k42::GetAttribute(node, k42::names::kValue, value))
      return -2;
    module->SetFeature(name, std::move(value));  // a later value of a name replaces the earlier one
  } catch (...) {
    return -3;
  }
  return 0;
}

int k42::NavigationReader::ParseHeaderRef(DOMNode* node, CDDModule* module) {
  if (module == nullptr) return 0;
  try {
    std::u16string online;
    std::u16string offline;
    k42::GetAttribute(node, k42::names::kOnline, online);
    k42::GetAttribute(node, k42::names::kOffline, offline);
    // The two references belong together: setting one clears the other
    // when it is not given; giving neither keeps both.
    if (!offline.empty() || !online.empty()) module->SetHeaderRefs(std::move(offline), std::move(online));
  } catch (...) {}
  return 0;
}
