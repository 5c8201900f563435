// The JSON report: everything the inspector read, in a stable order and free of where the device lies.
#include "inspect/json_report.h"

#include <algorithm>
#include <tuple>

#include "inspect/reports.h"

namespace inspect {
namespace {

// The component puts the device directory in front of the file references it hands out; taking it
// off again leaves the reference as the GUI XML file wrote it. Anything else (a URL, the default help
// next to the component) stays as it is.
std::string RelativePath(const std::string& path, const std::string& directory) {
  if (directory.empty() || path.compare(0, directory.size(), directory) != 0) return path;
  std::string rest = path.substr(directory.size());
  const char last = directory.back();
  if (last != '/' && last != '\\' && !rest.empty() && (rest.front() == '/' || rest.front() == '\\')) rest.erase(0, 1);
  return rest;
}

template <typename T, typename Key>
std::vector<const T*> SortedBy(const std::vector<T>& list, Key key) {
  std::vector<const T*> sorted;
  for (const T& entry : list) sorted.push_back(&entry);
  std::stable_sort(sorted.begin(), sorted.end(), [&](const T* a, const T* b) { return key(*a) < key(*b); });
  return sorted;
}

Json TreeJson(const TreeNode& node) {
  Json json{{"reference", node.reference}, {"label", node.label}, {"type", ItemTypeName(node.itemType)},
            {"display", node.displayId},   {"icon", node.icon},   {"conditionalLabel", node.conditionalLabel}};
  if (node.repeated) json["repeated"] = true;
  if (!node.children.empty()) {
    json["children"] = Json::array();
    for (const TreeNode& child : node.children) json["children"].push_back(TreeJson(child));
  }
  return json;
}

Json MenuJson(const std::vector<MenuEntry>& entries) {
  Json list = Json::array();
  for (const MenuEntry& entry : entries) {
    Json json{{"label", entry.label},
              {"type", MenuTypeName(entry.menuType)},
              {"action", ActionTypeName(entry.actionType)},
              {"command", entry.action}};
    if (!entry.menuId.empty() || !entry.variableId.empty()) {
      json["menuId"] = entry.menuId;
      json["variableId"] = entry.variableId;
    }
    if (entry.menuType == 0) json["children"] = MenuJson(entry.children);
    list.push_back(std::move(json));
  }
  return list;
}

Json ItemJson(const DisplayItem& item) {
  return Json{{"parameterType", ParTypeName(item.parType)},
              {"control", ControlStyleName(item.controlStyle)},
              {"reference", item.reference},
              {"labelRef", item.labelRef},
              {"label", item.label},
              {"legend", item.legend},
              {"displayCondition", DisplayConditionName(item.displayCondition)},
              {"alignment", item.alignment},
              {"format", item.format},
              {"font",
               {{"name", item.fontName},
                {"height", item.height},
                {"weightOrWidth", item.weightOrWidth},
                {"italic", item.italic},
                {"underline", item.underline}}},
              {"colorNormal", item.colorNormal},
              {"colorVisited", item.colorVisited}};
}

}  // namespace

Json DeviceJson(const Device& device) {
  auto path = [&](const std::string& file) { return RelativePath(file, device.directory); };
  Json json;
  json["formatVersion"] = kJsonFormatVersion;
  json["device"] = {{"guiXmlFile", device.xmlFile},
                    {"localizedFile", device.locFile},
                    {"language", device.language},
                    {"function", device.functionId},
                    {"online", device.online}};
  json["languages"] = Json::array();
  for (const auto& [id, name] : device.languages) json["languages"].push_back({{"id", id}, {"name", name}});

  json["modules"] = Json::array();
  for (const Module& module : device.modules) {
    Json m{{"id", module.id},
           {"name", module.name},
           {"tab", module.tab},
           {"integration", IntegrationName(module.integration)},
           {"icon", path(module.icon)},
           {"treeIcons", path(module.treeIcons)},
           {"helpFile", path(module.helpFile)},
           {"externModule", module.externModule},
           {"externInit", module.externInit},
           {"headerRefs", {{"offline", module.headerOffline}, {"online", module.headerOnline}}},
           {"switchOffDeviceHelp", module.switchOffDeviceHelp},
           {"tree", Json::array()},
           {"menubar", MenuJson(module.menubar)}};
    for (const TreeNode& node : module.tree) m["tree"].push_back(TreeJson(node));
    json["modules"].push_back(std::move(m));
  }

  json["displays"] = Json::array();
  for (const Display* entry : SortedBy(device.displays, [](const Display& d) { return std::tie(d.module, d.id); })) {
    const Display& display = *entry;
    Json d{{"module", display.module},
           {"id", display.id},
           {"found", display.found},
           {"label", display.label},
           {"type", DisplayTypeName(display.type)},
           {"validityId", display.validId},
           {"rwroConditional", display.rwro},
           {"buttons",
            {{"first", display.first},
             {"previous", display.previous},
             {"next", display.next},
             {"last", display.last},
             {"home", display.home}}},
           {"items", Json::array()}};
    for (const DisplayItem& item : display.items) d["items"].push_back(ItemJson(item));
    json["displays"].push_back(std::move(d));
  }

  json["parameters"] = Json::array();
  for (const Parameter* entry :
       SortedBy(device.parameters, [](const Parameter& p) { return std::tie(p.id, p.parType); })) {
    const Parameter& p = *entry;
    Json j{{"id", p.id},
           {"kind", ParTypeName(p.parType)},
           {"label", p.label},
           {"conditionalLabel", p.conditionalLabel},
           {"tooltip", p.tooltip},
           {"helpTopic", p.helpTopic},
           {"type", VarTypeName(p.varType)},
           {"handling", HandlingName(p.handling)},
           {"sizeInBit", p.sizeInBit},
           {"storage", p.storage},
           {"format", p.format},
           {"alignment", p.alignment},
           {"displayCondition", DisplayConditionName(p.displayCondition)},
           {"conditionalFormat", p.conditionalFormat}};
    if (!p.value.empty()) j["value"] = p.value;
    if (!p.imagePath.empty()) j["image"] = path(p.imagePath);
    if (!p.enumItems.empty()) {
      j["enumItems"] = Json::array();
      for (const auto& item : p.enumItems) {
        j["enumItems"].push_back(
            {{"value", item.value}, {"label", item.label}, {"legend", item.legend}, {"ddString", item.ddString}});
      }
    }
    if (!p.variants.empty()) {
      j["variants"] = Json::array();
      for (const auto& v : p.variants) {
        j["variants"].push_back({{"key", v.key}, {"label", v.label}, {"tooltip", v.tooltip}});
      }
    }
    json["parameters"].push_back(std::move(j));
  }

  json["header"] = Json::array();
  for (const HeaderPlace* entry :
       SortedBy(device.header, [](const HeaderPlace& h) { return std::tie(h.mode, h.mapping); })) {
    const HeaderPlace& place = *entry;
    Json h{{"mode", place.mode},     {"place", place.mapping},   {"parameter", place.parameter},
           {"origin", place.origin}, {"status", place.statusId}, {"type", HeaderVarTypeName(place.headerVarType)}};
    if (place.hasControl) {
      h["control"] = {{"id", place.controlId},
                      {"progId", place.progId},
                      {"init", place.init},
                      {"width", place.width},
                      {"height", place.height}};
    }
    json["header"].push_back(std::move(h));
  }

  json["menubar"] = MenuJson(device.menubar);
  json["toolbar"] = {{"icons", path(device.toolbarIcons)}, {"items", Json::array()}};
  for (const ToolbarItem& item : device.toolbar) {
    json["toolbar"]["items"].push_back({{"id", item.id},
                                        {"type", ToolbarTypeName(item.itemType)},
                                        {"action", ActionTypeName(item.actionType)},
                                        {"command", item.action},
                                        {"bitmap", item.bitmapIndex},
                                        {"label", item.label}});
  }
  json["logos"] = {{"vendor", Json::array()}, {"device", Json::array()}};
  for (const std::string& logo : device.vendorLogos) json["logos"]["vendor"].push_back(path(logo));
  for (const std::string& logo : device.deviceLogos) json["logos"]["device"].push_back(path(logo));
  auto help = [&](const Device::HelpFile& file) {
    return Json{{"path", path(file.path)}, {"anchor", AnchorName(file.anchor)}, {"found", file.found}};
  };
  json["helpFiles"] = {{"dtm", help(device.dtmHelp)}, {"ui", help(device.uiHelp)}};
  json["builtinTexts"] = Json::object();
  for (const auto* text : SortedBy(device.builtinTexts, [](const auto& t) { return t.first; })) {
    json["builtinTexts"][text->first] = text->second;
  }
  return json;
}

void WriteJson(const Device& device, std::ostream& out) {
  out << DeviceJson(device).dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace inspect
