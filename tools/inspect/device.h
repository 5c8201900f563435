// What the inspector learned about a device through IGuiXmlModel, as plain
// values ready for the text, JSON and HTML reports.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace inspect {

// One text of a label that varies with the device's DDSTRING: the key and what the label reads then.
struct LabelVariant {
  std::string key, label, tooltip;
};

struct TreeNode {
  std::string reference;
  std::string label;
  std::string displayId;
  int64_t itemType = 0;
  int64_t icon = -1;
  bool conditionalLabel = false;
  bool repeated = false;               // a menu already shown higher up this branch
  std::vector<LabelVariant> variants;  // a conditional label's texts, when its element hands them out
  std::vector<TreeNode> children;
};

struct DisplayItem {
  std::string reference, labelRef, legend, alignment, format, fontName;
  int64_t displayCondition = 0, parType = 0, controlStyle = 0;
  int64_t colorNormal = -1, colorVisited = -1, height = 0, weightOrWidth = 0;
  bool italic = false, underline = false;
  std::string label;  // what the host shows: parameter or headline label
  bool conditionalLabel = false;
  std::vector<LabelVariant> variants;  // the texts of a conditional label, after no legend
};

struct Display {
  std::string module, id, label, validId;
  int64_t type = 2;
  bool rwro = false;
  bool found = false;
  std::vector<DisplayItem> items;
  std::string first, previous, next, last, home;
};

struct MenuEntry {
  std::string label, action, menuId, variableId;
  int64_t menuType = 0, actionType = 0;
  std::vector<MenuEntry> children;  // popup contents
};

struct Module {
  std::string id, name, icon, treeIcons, helpFile;
  int64_t integration = 2;
  bool tab = false;
  std::string externModule, externLabel, externInit;
  std::string headerOffline, headerOnline;
  std::string switchOffDeviceHelp;
  std::vector<TreeNode> tree;
  std::vector<MenuEntry> menubar;
};

struct Parameter {
  std::string id;
  int64_t parType = 0;
  std::string label, tooltip, helpTopic, value;
  bool conditionalLabel = false;
  int64_t varType = 0, handling = 1, sizeInBit = 0;
  std::string storage, handlingText, format, alignment;
  int64_t displayCondition = 0;
  bool conditionalFormat = false;
  struct EnumItem {
    std::string label, legend, ddString;
    int64_t value = 0;
  };
  std::vector<EnumItem> enumItems;
  std::string imagePath;  // images only: the picture file, directory in front
  using Variant = LabelVariant;
  std::vector<Variant> variants;
};

struct HeaderPlace {
  std::string mode, mapping;
  std::string parameter, origin, statusId;
  int64_t headerVarType = 0;
  std::string controlId, progId, init;
  int64_t width = 0, height = 0;
  bool hasControl = false;
};

struct ToolbarItem {
  std::string label, action, id;
  int64_t itemType = 0, actionType = 0, bitmapIndex = 0;
};

struct Device {
  std::string directory, xmlFile, locFile, language;
  int64_t functionId = 0;
  bool online = true;
  std::vector<std::pair<std::string, std::string>> languages;
  std::vector<Module> modules;
  std::vector<Display> displays;
  std::vector<Parameter> parameters;  // variables, methods, images reached from trees and displays, metavariables
  std::vector<HeaderPlace> header;
  std::vector<MenuEntry> menubar;
  std::vector<ToolbarItem> toolbar;
  std::string toolbarIcons;
  std::vector<std::string> vendorLogos, deviceLogos;
  struct HelpFile {
    std::string path;
    int64_t anchor = 0;
    bool found = false;
  };
  HelpFile dtmHelp, uiHelp;
  std::vector<std::pair<std::string, std::string>> builtinTexts;
  // Only when every language was asked for: the same device read once more in each other language of the
  // localized file. The structure is the same as above; only the texts differ.
  std::vector<Device> translations;
};

// Names of enumeration values, for readable reports.
std::string ItemTypeName(int64_t value);
std::string ControlStyleName(int64_t value);
std::string ParTypeName(int64_t value);
std::string DisplayConditionName(int64_t value);
std::string DisplayTypeName(int64_t value);
std::string IntegrationName(int64_t value);
std::string MenuTypeName(int64_t value);
std::string ActionTypeName(int64_t value);
std::string ToolbarTypeName(int64_t value);
std::string HandlingName(int64_t value);
std::string VarTypeName(int64_t value);
std::string HeaderVarTypeName(int64_t value);
std::string AnchorName(int64_t value);

}  // namespace inspect
