// The text report: the device as an indented outline.
#include <string>

#include "inspect/reports.h"

namespace inspect {
namespace {

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

void WriteTree(const TreeNode& node, int depth, std::ostream& out) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << "- " << Quote(node.label) << " ["
      << ItemTypeName(node.itemType) << " " << node.reference << "]";
  if (!node.displayId.empty()) out << " -> display " << node.displayId;
  if (node.icon >= 0) out << " icon " << node.icon;
  if (node.conditionalLabel) out << " (conditional label)";
  if (node.repeated) out << " (repeated, not expanded)";
  out << '\n';
  for (const TreeNode& child : node.children) WriteTree(child, depth + 1, out);
}

void WriteMenu(const std::vector<MenuEntry>& entries, int depth, std::ostream& out) {
  for (const MenuEntry& entry : entries) {
    out << std::string(static_cast<size_t>(depth) * 2, ' ');
    if (entry.menuType == 3) {
      out << "---\n";
      continue;
    }
    out << "- " << Quote(entry.label) << " [" << MenuTypeName(entry.menuType) << ", "
        << ActionTypeName(entry.actionType);
    if (!entry.action.empty()) out << " " << entry.action;
    if (!entry.variableId.empty()) out << ", menu " << entry.menuId << " variable " << entry.variableId;
    out << "]\n";
    WriteMenu(entry.children, depth + 1, out);
  }
}

}  // namespace

void WriteText(const Device& device, std::ostream& out) {
  out << "Device " << device.directory << device.xmlFile << " (localized: " << device.locFile << ")\n"
      << "Language " << device.language << ", function " << device.functionId
      << (device.online ? " (online)" : " (offline)") << "\n\nLanguages:\n";
  for (const auto& [id, name] : device.languages) out << "  " << id << "  " << name << '\n';

  out << "\nModules:\n";
  for (const Module& module : device.modules) {
    out << "  " << module.id << "  " << Quote(module.name) << "  "
        << "(" << (module.tab ? "tab" : "not a tab") << "; integration " << IntegrationName(module.integration)
        << ")\n";
    if (!module.icon.empty()) out << "    icon " << module.icon << '\n';
    if (!module.treeIcons.empty()) out << "    tree icons " << module.treeIcons << '\n';
    if (!module.externModule.empty()) out << "    links to " << module.externModule << '\n';
    if (!module.headerOffline.empty() || !module.headerOnline.empty())
      out << "    header offline " << Quote(module.headerOffline) << " online " << Quote(module.headerOnline) << '\n';
    if (!module.switchOffDeviceHelp.empty()) out << "    SwitchOffDeviceHelp " << module.switchOffDeviceHelp << '\n';
    out << "    navigation:\n";
    for (const TreeNode& node : module.tree) WriteTree(node, 3, out);
    if (!module.menubar.empty()) {
      out << "    menu bar:\n";
      WriteMenu(module.menubar, 3, out);
    }
  }

  out << "\nDisplays:\n";
  for (const Display& display : device.displays) {
    out << "  " << display.module << "/" << display.id << "  " << Quote(display.label) << "  "
        << DisplayTypeName(display.type) << (display.rwro ? ", RWRO-conditional" : "")
        << (display.found ? "" : " (not found)") << '\n';
    for (const DisplayItem& item : display.items) {
      // All fifteen columns a host receives, the defaults left out.
      out << "    " << ControlStyleName(item.controlStyle) << " " << ParTypeName(item.parType);
      if (!item.reference.empty()) out << " " << item.reference;
      if (!item.label.empty()) out << " " << Quote(item.label);
      if (!item.labelRef.empty() && item.labelRef != item.reference) out << " label-ref " << item.labelRef;
      if (!item.legend.empty()) out << " legend " << Quote(item.legend);
      if (!item.format.empty()) out << " format " << Quote(item.format);
      if (!item.alignment.empty()) out << " align " << item.alignment;
      if (item.displayCondition != 0) out << " shown " << DisplayConditionName(item.displayCondition);
      if (!item.fontName.empty()) out << " font " << Quote(item.fontName);
      if (item.height != 0 || item.weightOrWidth != 0) out << " size " << item.height << "/" << item.weightOrWidth;
      if (item.colorNormal >= 0) out << " color " << item.colorNormal;
      if (item.colorVisited >= 0) out << " visited " << item.colorVisited;
      if (item.italic) out << " italic";
      if (item.underline) out << " underline";
      out << '\n';
    }
    const std::pair<const char*, const std::string*> buttons[] = {{"first", &display.first},
                                                                  {"previous", &display.previous},
                                                                  {"next", &display.next},
                                                                  {"last", &display.last},
                                                                  {"home", &display.home}};
    for (const auto& [name, target] : buttons) {
      if (!target->empty()) out << "    button " << name << " -> " << *target << '\n';
    }
  }

  out << "\nParameters:\n";
  for (const Parameter& p : device.parameters) {
    out << "  " << ParTypeName(p.parType) << " " << p.id << "  " << Quote(p.label) << "  " << VarTypeName(p.varType)
        << ", " << HandlingName(p.handling);
    if (!p.value.empty()) out << ", value " << Quote(p.value);
    if (p.conditionalLabel) out << ", conditional label";
    out << '\n';
    for (const auto& item : p.enumItems) out << "    " << item.value << " = " << Quote(item.label) << '\n';
    for (const auto& v : p.variants) out << "    [" << v.key << "] " << Quote(v.label) << '\n';
  }

  out << "\nHeader:\n";
  for (const HeaderPlace& place : device.header) {
    out << "  " << place.mode << " " << place.mapping << " -> " << place.parameter << " (origin " << place.origin
        << ", " << HeaderVarTypeName(place.headerVarType) << ")";
    if (place.hasControl)
      out << " control " << place.controlId << " " << place.progId << " " << place.width << "x" << place.height;
    out << '\n';
  }

  out << "\nMenu bar:\n";
  WriteMenu(device.menubar, 1, out);
  out << "\nToolbar (" << device.toolbarIcons << "):\n";
  for (const ToolbarItem& item : device.toolbar) {
    out << "  " << ToolbarTypeName(item.itemType) << " " << item.id << " " << ActionTypeName(item.actionType) << " "
        << item.action << " bitmap " << item.bitmapIndex << '\n';
  }
  out << "\nLogos:\n";
  for (const std::string& logo : device.vendorLogos) out << "  vendor " << logo << '\n';
  for (const std::string& logo : device.deviceLogos) out << "  device " << logo << '\n';
  out << "\nHelp files:\n"
      << "  DTM " << device.dtmHelp.path << " (anchors " << AnchorName(device.dtmHelp.anchor) << ")\n"
      << "  UI  " << device.uiHelp.path << " (anchors " << AnchorName(device.uiHelp.anchor) << ")\n";
  out << "\nBuilt-in texts:\n";
  for (const auto& [id, text] : device.builtinTexts) out << "  " << id << " = " << Quote(text) << '\n';
}

}  // namespace inspect
