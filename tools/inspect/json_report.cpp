// The JSON report: everything the inspector read, in a stable order.
#include <nlohmann/json.hpp>

#include "inspect/reports.h"

namespace inspect {
namespace {

using Json = nlohmann::ordered_json;

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

void WriteJson(const Device& device, std::ostream& out) {
  Json json;
  json["device"] = {{"directory", device.directory}, {"guiXmlFile", device.xmlFile},  {"localizedFile", device.locFile},
                    {"language", device.language},   {"function", device.functionId}, {"online", device.online}};
  json["languages"] = Json::array();
  for (const auto& [id, name] : device.languages) json["languages"].push_back({{"id", id}, {"name", name}});

  json["modules"] = Json::array();
  for (const Module& module : device.modules) {
    Json m{{"id", module.id},
           {"name", module.name},
           {"tab", module.tab},
           {"integration", IntegrationName(module.integration)},
           {"icon", module.icon},
           {"treeIcons", module.treeIcons},
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
  for (const Display& display : device.displays) {
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
  for (const Parameter& p : device.parameters) {
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
  for (const HeaderPlace& place : device.header) {
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
  json["toolbar"] = {{"icons", device.toolbarIcons}, {"items", Json::array()}};
  for (const ToolbarItem& item : device.toolbar) {
    json["toolbar"]["items"].push_back({{"id", item.id},
                                        {"type", ToolbarTypeName(item.itemType)},
                                        {"action", ActionTypeName(item.actionType)},
                                        {"command", item.action},
                                        {"bitmap", item.bitmapIndex},
                                        {"label", item.label}});
  }
  json["logos"] = {{"vendor", device.vendorLogos}, {"device", device.deviceLogos}};
  json["helpFiles"] = {
      {"dtm",
       {{"path", device.dtmHelp.path}, {"anchor", AnchorName(device.dtmHelp.anchor)}, {"found", device.dtmHelp.found}}},
      {"ui",
       {{"path", device.uiHelp.path}, {"anchor", AnchorName(device.uiHelp.anchor)}, {"found", device.uiHelp.found}}}};
  json["builtinTexts"] = Json::object();
  for (const auto& [id, text] : device.builtinTexts) json["builtinTexts"][id] = text;

  out << json.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace inspect
