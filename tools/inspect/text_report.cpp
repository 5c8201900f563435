// The text report: the device as an indented outline.
#include <string>

#include "inspect/printable.h"
#include "inspect/reports.h"

namespace inspect {
namespace {

// Every text the device provides goes through one of these two: a device cannot steer the terminal
// or start a line of its own.
std::string Quote(const std::string& text) { return std::string(1, '"').append(Printable(text)).append(1, '"'); }
std::string P(const std::string& text) { return Printable(text); }

void WriteTree(const TreeNode& node, int depth, std::ostream& out) {
  out << std::string(static_cast<size_t>(depth) * 2, ' ') << "- " << Quote(node.label) << " ["
      << ItemTypeName(node.itemType) << " " << P(node.reference) << "]";
  if (!node.displayId.empty()) out << " -> display " << P(node.displayId);
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
    if (!entry.action.empty()) out << " " << P(entry.action);
    if (!entry.variableId.empty()) out << ", menu " << P(entry.menuId) << " variable " << P(entry.variableId);
    out << "]\n";
    WriteMenu(entry.children, depth + 1, out);
  }
}

}  // namespace

void WriteText(const Device& device, std::ostream& out) {
  out << "Device " << P(device.directory + device.xmlFile) << " (localized: " << P(device.locFile) << ")\n"
      << "Language " << P(device.language) << ", function " << device.functionId
      << (device.online ? " (online)" : " (offline)") << "\n\nLanguages:\n";
  for (const auto& [id, name] : device.languages) out << "  " << P(id) << "  " << P(name) << '\n';

  out << "\nModules:\n";
  for (const Module& module : device.modules) {
    out << "  " << P(module.id) << "  " << Quote(module.name) << "  "
        << "(" << (module.tab ? "tab" : "not a tab") << "; integration " << IntegrationName(module.integration)
        << ")\n";
    if (!module.icon.empty()) out << "    icon " << P(module.icon) << '\n';
    if (!module.treeIcons.empty()) out << "    tree icons " << P(module.treeIcons) << '\n';
    if (!module.externModule.empty()) out << "    links to " << P(module.externModule) << '\n';
    if (!module.headerOffline.empty() || !module.headerOnline.empty())
      out << "    header offline " << Quote(module.headerOffline) << " online " << Quote(module.headerOnline) << '\n';
    if (!module.switchOffDeviceHelp.empty()) out << "    SwitchOffDeviceHelp " << P(module.switchOffDeviceHelp) << '\n';
    out << "    navigation:\n";
    for (const TreeNode& node : module.tree) WriteTree(node, 3, out);
    if (!module.menubar.empty()) {
      out << "    menu bar:\n";
      WriteMenu(module.menubar, 3, out);
    }
  }

  out << "\nDisplays:\n";
  for (const Display& display : device.displays) {
    out << "  " << P(display.module + "/" + display.id) << "  " << Quote(display.label) << "  "
        << DisplayTypeName(display.type) << (display.rwro ? ", RWRO-conditional" : "")
        << (display.found ? "" : " (not found)") << '\n';
    for (const DisplayItem& item : display.items) {
      // All fifteen columns a host receives, the defaults left out.
      out << "    " << ControlStyleName(item.controlStyle) << " " << ParTypeName(item.parType);
      if (!item.reference.empty()) out << " " << P(item.reference);
      if (!item.label.empty()) out << " " << Quote(item.label);
      if (!item.labelRef.empty() && item.labelRef != item.reference) out << " label-ref " << P(item.labelRef);
      if (!item.legend.empty()) out << " legend " << Quote(item.legend);
      if (!item.format.empty()) out << " format " << Quote(item.format);
      if (!item.alignment.empty()) out << " align " << P(item.alignment);
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
      if (!target->empty()) out << "    button " << name << " -> " << P(*target) << '\n';
    }
  }

  out << "\nParameters:\n";
  for (const Parameter& p : device.parameters) {
    out << "  " << ParTypeName(p.parType) << " " << P(p.id) << "  " << Quote(p.label) << "  " << VarTypeName(p.varType)
        << ", " << HandlingName(p.handling);
    if (!p.value.empty()) out << ", value " << Quote(p.value);
    if (p.conditionalLabel) out << ", conditional label";
    out << '\n';
    for (const auto& item : p.enumItems) out << "    " << item.value << " = " << Quote(item.label) << '\n';
    for (const auto& v : p.variants) out << "    [" << P(v.key) << "] " << Quote(v.label) << '\n';
  }

  out << "\nHeader:\n";
  for (const HeaderPlace& place : device.header) {
    out << "  " << P(place.mode) << " " << P(place.mapping) << " -> " << P(place.parameter) << " (origin "
        << P(place.origin) << ", " << HeaderVarTypeName(place.headerVarType) << ")";
    if (place.hasControl)
      out << " control " << P(place.controlId) << " " << P(place.progId) << " " << place.width << "x" << place.height;
    out << '\n';
  }

  out << "\nMenu bar:\n";
  WriteMenu(device.menubar, 1, out);
  out << "\nToolbar (" << P(device.toolbarIcons) << "):\n";
  for (const ToolbarItem& item : device.toolbar) {
    out << "  " << ToolbarTypeName(item.itemType) << " " << P(item.id) << " " << ActionTypeName(item.actionType) << " "
        << P(item.action) << " bitmap " << item.bitmapIndex << '\n';
  }
  out << "\nLogos:\n";
  for (const std::string& logo : device.vendorLogos) out << "  vendor " << P(logo) << '\n';
  for (const std::string& logo : device.deviceLogos) out << "  device " << P(logo) << '\n';
  out << "\nHelp files:\n"
      << "  DTM " << P(device.dtmHelp.path) << " (anchors " << AnchorName(device.dtmHelp.anchor) << ")\n"
      << "  UI  " << P(device.uiHelp.path) << " (anchors " << AnchorName(device.uiHelp.anchor) << ")\n";
  out << "\nBuilt-in texts:\n";
  for (const auto& [id, text] : device.builtinTexts) out << "  " << P(id) << " = " << Quote(text) << '\n';
}

}  // namespace inspect
