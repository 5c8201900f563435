// Reads a device through the automation interface only: languages, modules,
// navigation trees, displays, parameters, header, menu bars, toolbar, logos,
// help files and built-in texts.
#include "inspect/device_reader.h"

#include <algorithm>
#include <ranges>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include <k42gui/AutoPtr.h>

#include "inspect/automation.h"

namespace inspect {
namespace {

using k42::AutoBstr;
using k42::AutoVariant;

// Menus nest through references, which may form cycles; a branch stops at
// a menu already open above it, and at this depth in any case.
constexpr int kMaxTreeDepth = 64;

const char* const kBuiltinTextIds[] = {"naviColumnHeadLabel",
                                       "naviColumnHeadValue",
                                       "naviColumnHeadUnit",
                                       "toolInfoRanges",
                                       "toolInfoRange",
                                       "toolInfoRangeTo",
                                       "toolInfoRangeRest",
                                       "toolInfoPressEnter",
                                       "toolInfoOutOfRange",
                                       "toolInfoInvalidCharacter",
                                       "toolInfoCharactersAllowed",
                                       "toolInfoAscii8BitAllowed",
                                       "toolInfoDateFormat",
                                       "toolInfoStateErrorText",
                                       "toolInfoStateErrorCode",
                                       "toolBarToggleTree",
                                       "toolBarToggleHeader",
                                       "toolBarTogglePictures",
                                       "toolBarDtmHelp",
                                       "toolBarUIHelp",
                                       "toolBarPrivateDialogHelp",
                                       "navBarGoHome",
                                       "navBarGoStart",
                                       "navBarGoBack",
                                       "navBarGoForward",
                                       "navBarGoLast",
                                       "navBarCloseButton"};

std::string_view UpToNul(const std::string& text) { return std::string_view(text.c_str()); }

class Reader {
 public:
  Reader(IGuiXmlModel& model, Device& device) : m_model(model), m_device(device) {}

  void Read(const std::vector<std::string>& extraPlaces) {
    ReadGeneral();
    ReadModules();
    ReadMetaVariables();
    ReadHeader(extraPlaces);
    m_device.menubar = ReadMenubar(nullptr);
    ReadToolbar();
    ReadLogos();
  }

 private:
  void ReadGeneral() {
    long online = 1;
    if (m_model.GetFunctionIdIsOnline(&online) == S_OK) m_device.online = online != 0;
    AutoBstr language;
    if (m_model.GetLanguage(&language) == S_OK) m_device.language = Utf8(language);
    AutoVariant languages;
    if (m_model.GetSupportedLanguages(&languages) == S_OK) {
      for (const Table table(languages); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
        m_device.languages.emplace_back(table.Text(row, 0), table.Text(row, 1));
      }
    }
    ReadHelp(kHELPDTM, m_device.dtmHelp);
    ReadHelp(kHELPUI, m_device.uiHelp);
    for (const char* id : kBuiltinTextIds) {
      AutoBstr text;
      AutoBstr key(Utf16(id));
      if (m_model.GetGuiLabel(key, &text) == S_OK) m_device.builtinTexts.emplace_back(id, Utf8(text));
    }
  }

  void ReadHelp(long type, Device::HelpFile& help) {
    AutoBstr path;
    AnchorType anchor = kNO;
    const bool declared = m_model.GetHelpFilePath(type, &path, &anchor) == S_OK;
    help.path = Utf8(path);
    help.anchor = anchor;
    // The component answers S_OK for a declared file that is not there and hands out an empty path (or a
    // default help file instead): only a path it could hand out counts as found.
    help.found = declared && !help.path.empty();
  }

  void ReadModules() {
    for (long isTab : {1L, 0L}) {
      AutoVariant list;
      if (m_model.GetTabModules(isTab, &list) != S_OK) continue;
      for (const Table table(list); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
        Module module;
        module.id = table.Text(row, 0);
        module.integration = table.Number(row, 1, 2);
        module.tab = isTab != 0;
        ReadModule(module);
        m_device.modules.push_back(std::move(module));
      }
    }
  }

  void ReadModule(Module& module) {
    AutoBstr id(Utf16(module.id));
    AutoBstr name, icon, treeIcons, help;
    if (m_model.GetModuleInfo(id, &name, &icon, &treeIcons, &help) == S_OK) {
      module.name = Utf8(name);
      module.icon = Utf8(icon);
      module.treeIcons = Utf8(treeIcons);
      module.helpFile = Utf8(help);
    }
    AutoBstr externModule, externLabel, externInit;
    if (m_model.GetExternModule(id, &externModule, &externLabel, &externInit) == S_OK) {
      module.externModule = Utf8(externModule);
      module.externLabel = Utf8(externLabel);
      module.externInit = Utf8(externInit);
    }
    AutoBstr offline, online;
    if (m_model.GetHeaderRefs(id, &offline, &online) == S_OK) {
      module.headerOffline = Utf8(offline);
      module.headerOnline = Utf8(online);
    }
    AutoBstr feature, featureName(u"SwitchOffDeviceHelp");
    if (m_model.GetModuleFeature(id, featureName, &feature) == S_OK) module.switchOffDeviceHelp = Utf8(feature);

    AutoVariant roots;
    if (m_model.GetModuleRootMenus(id, &roots) == S_OK) {
      std::vector<std::string> open;
      for (const Table table(roots); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
        module.tree.push_back(ReadNode(module.id, "", table.Text(row, 0), open));
      }
    }
    module.menubar = ReadMenubar(&module.id);
  }

  TreeNode ReadNode(const std::string& moduleId, const std::string& parent, const std::string& reference,
                    std::vector<std::string>& open) {
    TreeNode node;
    node.reference = reference;
    AutoBstr module(Utf16(moduleId)), parentMenu(Utf16(parent)), item(Utf16(reference)), label, displayId;
    long conditional = 0, icon = -1;
    ItemType type = ITEM_UNKNOWN;
    if (m_model.GetItemInfo(module, parentMenu, item, &label, &conditional, &icon, &displayId, &type) == S_OK) {
      node.label = Utf8(label);
      node.displayId = Utf8(displayId);
      node.conditionalLabel = conditional != 0;
      node.icon = icon;
    }
    node.itemType = type;
    // The entry's labelling element is its label reference or, without one, the entry's own element; the
    // interface names neither, so the variants are those of the referenced element when it has them.
    if (node.conditionalLabel) node.variants = ReadVariants(reference);
    if (!node.displayId.empty()) NoteDisplay(moduleId, node.displayId);
    NoteParameter(reference, type == ITEM_METHOD ? PAR_METHODE : PAR_VARIABLE, type);

    if (type == ITEM_ROOTMENU || type == ITEM_MENU) {
      if (std::find(open.begin(), open.end(), reference) != open.end() ||
          static_cast<int>(open.size()) >= kMaxTreeDepth) {
        node.repeated = true;
        return node;
      }
      open.push_back(reference);
      AutoVariant entries;
      if (m_model.GetMenuItems(module, item, &entries) == S_OK) {
        for (const Table table(entries); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
          node.children.push_back(ReadNode(moduleId, reference, table.Text(row, 0), open));
        }
      }
      open.pop_back();
    }
    return node;
  }

  void NoteParameter(const std::string& id, ParType parType, ItemType itemType) {
    if (itemType != ITEM_VARIABLE && itemType != ITEM_METHOD) return;
    ReadParameter(id, parType);
  }

  // The parameter as read, once per identifier and kind; null for an empty identifier.
  const Parameter* ReadParameter(const std::string& id, ParType parType) {
    if (id.empty()) return nullptr;
    std::string seenKey = id;
    seenKey += '\n';
    seenKey += std::to_string(parType);
    const auto [seen, added] = m_seenParameters.try_emplace(std::move(seenKey), m_device.parameters.size());
    if (!added) return &m_device.parameters[seen->second];
    Parameter parameter;
    parameter.id = id;
    parameter.parType = parType;
    AutoBstr key(Utf16(id)), noRef, noLegend, value, label, tooltip, helpTopic, helpRef;
    long conditional = 0;
    m_model.GetParameterInfo(key, noRef, noLegend, parType, &value, &label, &conditional, &tooltip, &helpTopic,
                             &helpRef);
    parameter.label = Utf8(label);
    parameter.tooltip = Utf8(tooltip);
    parameter.helpTopic = Utf8(helpTopic);
    parameter.value = Utf8(value);
    parameter.conditionalLabel = conditional != 0;

    VarType varType = TYPE_UNKNOWN;
    HandlingType handling = kREADWRITE;
    m_model.GetParameterType(key, parType, &varType, &handling);
    parameter.handling = handling;
    long size = 0, condition = 0;
    AutoBstr storage, handlingText;
    if (m_model.GetParameterDatatype(key, parType, &varType, &size, &condition, &storage, &handlingText) == S_OK) {
      parameter.sizeInBit = size;
    }
    parameter.varType = varType;
    parameter.storage = Utf8(storage);
    parameter.handlingText = Utf8(handlingText);
    AutoBstr format, alignment, style;
    long displayCondition = 0, conditionalFormat = 0;
    if (m_model.GetParameterFormat(key, parType, &format, &alignment, &displayCondition, &style, &conditionalFormat) ==
        S_OK) {
      parameter.displayCondition = displayCondition;
      parameter.conditionalFormat = conditionalFormat != 0;
    }
    parameter.format = Utf8(format);
    parameter.alignment = Utf8(alignment);
    if (parType == PAR_IMAGE) {
      AutoBstr path;
      if (m_model.GetParameterRef(key, parType, &path) == S_OK) parameter.imagePath = Utf8(path);
    }
    AutoVariant items;
    if (m_model.GetParameterEnumItems(key, parType, &items) == S_OK) {
      for (const Table table(items); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
        parameter.enumItems.push_back(
            {table.Text(row, 0), table.Text(row, 1), table.Text(row, 2), table.Number(row, 3)});
      }
    }
    parameter.variants = ReadVariants(id);
    m_device.parameters.push_back(std::move(parameter));
    return &m_device.parameters.back();
  }

  std::vector<LabelVariant> ReadVariants(const std::string& id) {
    std::vector<LabelVariant> out;
    AutoBstr key(Utf16(id));
    AutoVariant variants;
    if (m_model.GetConditionalLabelData(key, &variants) == S_OK) {
      for (const Table table(variants); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
        out.push_back({table.Text(row, 0), table.Text(row, 1), table.Text(row, 2)});
      }
    }
    return out;
  }

  // Reads a display once, then the displays its navigation buttons name.
  void NoteDisplay(const std::string& moduleId, const std::string& displayId) {
    std::vector<std::string> pending{displayId};
    for (size_t next = 0; next < pending.size(); ++next) {
      const std::string id = pending[next];
      if (id.empty() || !m_seenDisplays.insert(moduleId + "\n" + id).second) continue;
      Display display = ReadDisplay(moduleId, id);
      for (const std::string* target :
           {&display.first, &display.previous, &display.next, &display.last, &display.home}) {
        if (!target->empty()) pending.push_back(*target);
      }
      m_device.displays.push_back(std::move(display));
    }
  }

  Display ReadDisplay(const std::string& moduleId, const std::string& displayId) {
    Display display;
    display.module = moduleId;
    display.id = displayId;
    AutoBstr module(Utf16(moduleId)), id(Utf16(displayId)), label, validId;
    DisplayType type = DISPLAY_UNKNOWN;
    display.found = m_model.GetDisplayInfo(module, id, &label, &type, &validId) == S_OK;
    display.label = Utf8(label);
    display.validId = Utf8(validId);
    display.type = type;
    AutoBstr first, previous, next, last, home;
    if (m_model.GetDisplayButtonNav(module, id, &first, &previous, &next, &last, &home) == S_OK) {
      display.first = Utf8(first);
      display.previous = Utf8(previous);
      display.next = Utf8(next);
      display.last = Utf8(last);
      display.home = Utf8(home);
    }
    AutoBstr imagePath;
    AutoVariant items;
    long rwro = 0;
    if (m_model.GetDisplayItems(module, id, &imagePath, &items, &rwro) == S_OK) {
      display.rwro = rwro != 0;
      for (const Table table(items); const size_t row : std::views::iota(size_t{0}, table.Rows()))
        display.items.push_back(ReadItem(table, row));
    }
    return display;
  }

  DisplayItem ReadItem(const Table& table, size_t row) {
    DisplayItem item;
    item.reference = table.Text(row, 0);
    item.labelRef = table.Text(row, 1);
    item.legend = table.Text(row, 2);
    item.displayCondition = table.Number(row, 3);
    item.alignment = table.Text(row, 4);
    item.format = table.Text(row, 5);
    item.parType = table.Number(row, 6);
    item.controlStyle = table.Number(row, 7);
    item.fontName = table.Text(row, 8);
    item.colorNormal = table.Number(row, 9, -1);
    item.colorVisited = table.Number(row, 10, -1);
    item.height = table.Number(row, 11);
    item.weightOrWidth = table.Number(row, 12);
    item.italic = table.Number(row, 13) != 0;
    item.underline = table.Number(row, 14) != 0;
    switch (item.parType) {
      case PAR_HEADLINE: {
        AutoBstr key(Utf16(item.labelRef)), text;
        if (m_model.GetGlobalLabel(key, &text) == S_OK) item.label = Utf8(text);
        break;
      }
      case PAR_VARIABLE:
      case PAR_METHODE:
      case PAR_IMAGE:
      case PAR_META: {
        const ParType parType = static_cast<ParType>(item.parType);
        const Parameter* parameter = ReadParameter(item.reference, parType);
        // The component reads its text arguments up to the first NUL. Without a label reference, the item's
        // label is its parameter's, after the legend and a blank when there is one: the parameter's own
        // answer, already read, gives it without asking again for each item that shows the parameter.
        const std::string_view labelRef = UpToNul(item.labelRef), legend = UpToNul(item.legend);
        if (parameter != nullptr && labelRef.empty()) {
          item.label = legend.empty() ? parameter->label : std::string(legend) + ' ' + parameter->label;
          item.conditionalLabel = parameter->conditionalLabel;
          item.variants = parameter->variants;
          break;
        }
        AutoBstr key(Utf16(item.reference)), labelRefText(Utf16(item.labelRef)), legendText(Utf16(item.legend)), value,
            label, tooltip, helpTopic, helpRef;
        long conditional = 0;
        m_model.GetParameterInfo(key, labelRefText, legendText, parType, &value, &label, &conditional, &tooltip,
                                 &helpTopic, &helpRef);
        item.label = Utf8(label);
        item.conditionalLabel = conditional != 0;
        if (item.conditionalLabel) item.variants = ReadVariants(labelRef.empty() ? item.reference : item.labelRef);
        break;
      }
      default:
        break;
    }
    return item;
  }

  void ReadMetaVariables() {
    AutoVariant refs;
    if (m_model.GetMetaVarRef(&refs) != S_OK) return;
    for (const Table table(refs); const size_t row : std::views::iota(size_t{0}, table.Rows()))
      ReadParameter(table.Text(row, 0), PAR_META);
  }

  void ReadHeader(const std::vector<std::string>& extraPlaces) {
    std::vector<std::string> places = StandardHeaderPlaces();
    for (const std::string& place : extraPlaces) {
      if (std::find(places.begin(), places.end(), place) == places.end()) places.push_back(place);
    }
    const std::pair<Mode, const char*> modes[] = {
        {MODE_GENERAL, "general"}, {MODE_ONLINE, "online"}, {MODE_OFFLINE, "offline"}};
    for (const auto& [mode, modeName] : modes) {
      for (const std::string& place : places) {
        AutoBstr mapping(Utf16(place)), parameter, labelRef, status;
        // The origin comes back as a ParType number in the BSTR slot
        // itself, not as a string: it is read as a number and not freed.
        BSTR origin = nullptr;
        long headerVarType = 0;
        if (m_model.GetHeaderVarRef(mode, mapping, &parameter, &origin, &labelRef, &status, &headerVarType) != S_OK) {
          continue;
        }
        HeaderPlace entry;
        entry.mode = modeName;
        entry.mapping = place;
        entry.parameter = Utf8(parameter);
        entry.origin = ParTypeName(reinterpret_cast<intptr_t>(origin));
        entry.statusId = Utf8(status);
        entry.headerVarType = headerVarType;
        AutoBstr controlId, progId, init;
        long width = 0, height = 0;
        if (m_model.GetHeaderCtrlInfo(mode, mapping, &controlId, &progId, &init, &width, &height) == S_OK) {
          entry.controlId = Utf8(controlId);
          entry.progId = Utf8(progId);
          entry.init = Utf8(init);
          entry.width = width;
          entry.height = height;
          entry.hasControl = !entry.controlId.empty() || !entry.progId.empty();
        }
        // The header shows these parameters: their labels, values and pictures belong to the device too.
        const int64_t originType = reinterpret_cast<intptr_t>(origin);
        if (originType == PAR_META || originType == PAR_VARIABLE || originType == PAR_METHODE ||
            originType == PAR_IMAGE) {
          ReadParameter(entry.parameter, static_cast<ParType>(originType));
        }
        ReadParameter(entry.statusId, PAR_VARIABLE);
        m_device.header.push_back(std::move(entry));
      }
    }
  }

  // The menu bar of the device (module null) or of one module, with the
  // nesting rebuilt from the begin and end markers of the flat list.
  std::vector<MenuEntry> ReadMenubar(const std::string* moduleId) {
    AutoVariant list;
    HRESULT hr;
    if (moduleId != nullptr) {
      AutoBstr id(Utf16(*moduleId));
      hr = m_model.GetModulebarItems(id, &list);
    } else {
      hr = m_model.GetMenubarItems(&list);
    }
    std::vector<MenuEntry> top;
    if (hr != S_OK) return top;
    std::vector<std::vector<MenuEntry>*> levels{&top};
    for (const Table table(list); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
      MenuEntry entry;
      entry.label = table.Text(row, 0);
      entry.menuType = table.Number(row, 1);
      entry.actionType = table.Number(row, 2);
      entry.action = table.Text(row, 3);
      if (moduleId == nullptr) {
        entry.menuId = table.Text(row, 4);
        entry.variableId = table.Text(row, 5);
      }
      // An enumeration popup lists the items of its variable.
      if (!entry.variableId.empty()) ReadParameter(entry.variableId, PAR_VARIABLE);
      if (entry.menuType == kPOPUP_END) {
        if (levels.size() > 1) levels.pop_back();
        continue;
      }
      levels.back()->push_back(std::move(entry));
      if (levels.back()->back().menuType == kPOPUP_BEGIN) levels.push_back(&levels.back()->back().children);
    }
    return top;
  }

  void ReadToolbar() {
    AutoVariant list;
    if (m_model.GetToolbarItems(&list) == S_OK) {
      for (const Table table(list); const size_t row : std::views::iota(size_t{0}, table.Rows())) {
        m_device.toolbar.push_back({table.Text(row, 0), table.Text(row, 3), table.Text(row, 5), table.Number(row, 1),
                                    table.Number(row, 2), table.Number(row, 4)});
      }
    }
    AutoBstr icons;
    if (m_model.GetToolbarIconsList(&icons) == S_OK) m_device.toolbarIcons = Utf8(icons);
  }

  void ReadLogos() {
    for (auto [type, target] :
         {std::pair{LOGO_VENDOR, &m_device.vendorLogos}, std::pair{LOGO_DEVICE, &m_device.deviceLogos}}) {
      AutoVariant list;
      if (m_model.GetLogo(type, &list) != S_OK) continue;
      for (const Table table(list); const size_t row : std::views::iota(size_t{0}, table.Rows()))
        target->push_back(table.Text(row, 0));
    }
  }

  IGuiXmlModel& m_model;
  Device& m_device;
  std::unordered_set<std::string> m_seenDisplays;
  std::unordered_map<std::string, size_t> m_seenParameters;  // identifier and kind: place in m_device.parameters
};

}  // namespace

const std::vector<std::string>& StandardHeaderPlaces() {
  static const std::vector<std::string> places{"DEVICE_TAG",       "DEVICE_TYPE",  "PRIMARY_VALUE", "DEVICE_STATUS",
                                               "WRITE_PROTECTION", "MANUFACTURER", "SELF_TEST",     "HEADER_CONTROL",
                                               "DEVICE_IMAGE",     "VENDOR_IMAGE"};
  return places;
}

void ReadDevice(IGuiXmlModel& model, const std::vector<std::string>& extraHeaderPlaces, bool allLanguages,
                Device& device) {
  Reader(model, device).Read(extraHeaderPlaces);
  if (!allLanguages) return;
  // A language switch re-reads the localized file, and texts the new language lacks keep the previous
  // language's: each language is read after the starting one, and the starting one is restored last so
  // that the model ends as it began.
  const std::string start = device.language;
  bool switched = false;
  for (const auto& [code, name] : device.languages) {
    if (code == start) continue;
    const k42::AutoBstr id(Utf16(code));
    switched = true;
    if (model.OnLanguageIDChange(id, 0) != S_OK) continue;
    Device translation;
    translation.directory = device.directory;
    translation.xmlFile = device.xmlFile;
    translation.locFile = device.locFile;
    translation.functionId = device.functionId;
    Reader(model, translation).Read(extraHeaderPlaces);
    device.translations.push_back(std::move(translation));
  }
  if (switched) {
    const k42::AutoBstr id(Utf16(start));
    model.OnLanguageIDChange(id, 0);
  }
}

}  // namespace inspect
