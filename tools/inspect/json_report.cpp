// The JSON report: everything the inspector read, in a stable order and free of where the device lies.
#include "inspect/json_report.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>
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
  sorted.reserve(list.size());
  for (const T& entry : list) sorted.push_back(&entry);
  std::stable_sort(sorted.begin(), sorted.end(), [&](const T* a, const T* b) { return key(*a) < key(*b); });
  return sorted;
}

// Every section of the report is laid out once, against an `Out` that either builds the tree (DeviceJson,
// for diff) or writes its text straight away (WriteJson). An Out takes: Open('{' or '['), Close('}' or ']'),
// Key(name) before each member of an object, and the values Text, Number and Bool.
template <class Out>
void Text(Out& out, std::string_view key, std::string_view value) {
  out.Key(key);
  out.Text(value);
}
template <class Out>
void Number(Out& out, std::string_view key, int64_t value) {
  out.Key(key);
  out.Number(value);
}
template <class Out>
void Bool(Out& out, std::string_view key, bool value) {
  out.Key(key);
  out.Bool(value);
}
template <class Out>
void Open(Out& out, std::string_view key, char bracket) {
  out.Key(key);
  out.Open(bracket);
}

template <class Out>
void Tree(Out& out, const TreeNode& node) {
  out.Open('{');
  Text(out, "reference", node.reference);
  Text(out, "label", node.label);
  Text(out, "type", ItemTypeName(node.itemType));
  Text(out, "display", node.displayId);
  Number(out, "icon", node.icon);
  Bool(out, "conditionalLabel", node.conditionalLabel);
  if (node.repeated) Bool(out, "repeated", true);
  if (!node.children.empty()) {
    Open(out, "children", '[');
    for (const TreeNode& child : node.children) Tree(out, child);
    out.Close(']');
  }
  out.Close('}');
}

template <class Out>
void Menu(Out& out, const std::vector<MenuEntry>& entries) {
  out.Open('[');
  for (const MenuEntry& entry : entries) {
    out.Open('{');
    Text(out, "label", entry.label);
    Text(out, "type", MenuTypeName(entry.menuType));
    Text(out, "action", ActionTypeName(entry.actionType));
    Text(out, "command", entry.action);
    if (!entry.menuId.empty() || !entry.variableId.empty()) {
      Text(out, "menuId", entry.menuId);
      Text(out, "variableId", entry.variableId);
    }
    if (entry.menuType == 0) {
      out.Key("children");
      Menu(out, entry.children);
    }
    out.Close('}');
  }
  out.Close(']');
}

template <class Out>
void Item(Out& out, const DisplayItem& item) {
  out.Open('{');
  Text(out, "parameterType", ParTypeName(item.parType));
  Text(out, "control", ControlStyleName(item.controlStyle));
  Text(out, "reference", item.reference);
  Text(out, "labelRef", item.labelRef);
  Text(out, "label", item.label);
  Text(out, "legend", item.legend);
  Text(out, "displayCondition", DisplayConditionName(item.displayCondition));
  Text(out, "alignment", item.alignment);
  Text(out, "format", item.format);
  Open(out, "font", '{');
  Text(out, "name", item.fontName);
  Number(out, "height", item.height);
  Number(out, "weightOrWidth", item.weightOrWidth);
  Bool(out, "italic", item.italic);
  Bool(out, "underline", item.underline);
  out.Close('}');
  Number(out, "colorNormal", item.colorNormal);
  Number(out, "colorVisited", item.colorVisited);
  out.Close('}');
}

template <class Out>
void DisplayJson(Out& out, const Display& display) {
  out.Open('{');
  Text(out, "module", display.module);
  Text(out, "id", display.id);
  Bool(out, "found", display.found);
  Text(out, "label", display.label);
  Text(out, "type", DisplayTypeName(display.type));
  Text(out, "validityId", display.validId);
  Bool(out, "rwroConditional", display.rwro);
  Open(out, "buttons", '{');
  Text(out, "first", display.first);
  Text(out, "previous", display.previous);
  Text(out, "next", display.next);
  Text(out, "last", display.last);
  Text(out, "home", display.home);
  out.Close('}');
  Open(out, "items", '[');
  for (const DisplayItem& item : display.items) Item(out, item);
  out.Close(']');
  out.Close('}');
}

template <class Out>
void ParameterJson(Out& out, const Parameter& p, const std::string& directory) {
  out.Open('{');
  Text(out, "id", p.id);
  Text(out, "kind", ParTypeName(p.parType));
  Text(out, "label", p.label);
  Bool(out, "conditionalLabel", p.conditionalLabel);
  Text(out, "tooltip", p.tooltip);
  Text(out, "helpTopic", p.helpTopic);
  Text(out, "type", VarTypeName(p.varType));
  Text(out, "handling", HandlingName(p.handling));
  Number(out, "sizeInBit", p.sizeInBit);
  Text(out, "storage", p.storage);
  Text(out, "format", p.format);
  Text(out, "alignment", p.alignment);
  Text(out, "displayCondition", DisplayConditionName(p.displayCondition));
  Bool(out, "conditionalFormat", p.conditionalFormat);
  if (!p.value.empty()) Text(out, "value", p.value);
  if (!p.imagePath.empty()) Text(out, "image", RelativePath(p.imagePath, directory));
  if (!p.enumItems.empty()) {
    Open(out, "enumItems", '[');
    for (const auto& item : p.enumItems) {
      out.Open('{');
      Number(out, "value", item.value);
      Text(out, "label", item.label);
      Text(out, "legend", item.legend);
      Text(out, "ddString", item.ddString);
      out.Close('}');
    }
    out.Close(']');
  }
  if (!p.variants.empty()) {
    Open(out, "variants", '[');
    for (const auto& v : p.variants) {
      out.Open('{');
      Text(out, "key", v.key);
      Text(out, "label", v.label);
      Text(out, "tooltip", v.tooltip);
      out.Close('}');
    }
    out.Close(']');
  }
  out.Close('}');
}

template <class Out>
void ModuleJson(Out& out, const Module& module, const std::string& directory) {
  out.Open('{');
  Text(out, "id", module.id);
  Text(out, "name", module.name);
  Bool(out, "tab", module.tab);
  Text(out, "integration", IntegrationName(module.integration));
  Text(out, "icon", RelativePath(module.icon, directory));
  Text(out, "treeIcons", RelativePath(module.treeIcons, directory));
  Text(out, "helpFile", RelativePath(module.helpFile, directory));
  Text(out, "externModule", module.externModule);
  Text(out, "externInit", module.externInit);
  Open(out, "headerRefs", '{');
  Text(out, "offline", module.headerOffline);
  Text(out, "online", module.headerOnline);
  out.Close('}');
  Text(out, "switchOffDeviceHelp", module.switchOffDeviceHelp);
  Open(out, "tree", '[');
  for (const TreeNode& node : module.tree) Tree(out, node);
  out.Close(']');
  out.Key("menubar");
  Menu(out, module.menubar);
  out.Close('}');
}

template <class Out>
void HeaderJson(Out& out, const HeaderPlace& place) {
  out.Open('{');
  Text(out, "mode", place.mode);
  Text(out, "place", place.mapping);
  Text(out, "parameter", place.parameter);
  Text(out, "origin", place.origin);
  Text(out, "status", place.statusId);
  Text(out, "type", HeaderVarTypeName(place.headerVarType));
  if (place.hasControl) {
    Open(out, "control", '{');
    Text(out, "id", place.controlId);
    Text(out, "progId", place.progId);
    Text(out, "init", place.init);
    Number(out, "width", place.width);
    Number(out, "height", place.height);
    out.Close('}');
  }
  out.Close('}');
}

template <class Out>
void DeviceLayout(Out& out, const Device& device) {
  const std::string& directory = device.directory;
  out.Open('{');
  Number(out, "formatVersion", kJsonFormatVersion);
  Open(out, "device", '{');
  Text(out, "guiXmlFile", device.xmlFile);
  Text(out, "localizedFile", device.locFile);
  Text(out, "language", device.language);
  Number(out, "function", device.functionId);
  Bool(out, "online", device.online);
  out.Close('}');
  Open(out, "languages", '[');
  for (const auto& [id, name] : device.languages) {
    out.Open('{');
    Text(out, "id", id);
    Text(out, "name", name);
    out.Close('}');
  }
  out.Close(']');

  Open(out, "modules", '[');
  for (const Module& module : device.modules) ModuleJson(out, module, directory);
  out.Close(']');

  Open(out, "displays", '[');
  for (const Display* display : SortedBy(device.displays, [](const Display& d) { return std::tie(d.module, d.id); })) {
    DisplayJson(out, *display);
  }
  out.Close(']');

  Open(out, "parameters", '[');
  for (const Parameter* parameter :
       SortedBy(device.parameters, [](const Parameter& p) { return std::tie(p.id, p.parType); })) {
    ParameterJson(out, *parameter, directory);
  }
  out.Close(']');

  Open(out, "header", '[');
  for (const HeaderPlace* place :
       SortedBy(device.header, [](const HeaderPlace& h) { return std::tie(h.mode, h.mapping); })) {
    HeaderJson(out, *place);
  }
  out.Close(']');

  out.Key("menubar");
  Menu(out, device.menubar);
  Open(out, "toolbar", '{');
  Text(out, "icons", RelativePath(device.toolbarIcons, directory));
  Open(out, "items", '[');
  for (const ToolbarItem& item : device.toolbar) {
    out.Open('{');
    Text(out, "id", item.id);
    Text(out, "type", ToolbarTypeName(item.itemType));
    Text(out, "action", ActionTypeName(item.actionType));
    Text(out, "command", item.action);
    Number(out, "bitmap", item.bitmapIndex);
    Text(out, "label", item.label);
    out.Close('}');
  }
  out.Close(']');
  out.Close('}');
  Open(out, "logos", '{');
  for (const auto& [name, logos] :
       {std::pair{"vendor", &device.vendorLogos}, std::pair{"device", &device.deviceLogos}}) {
    Open(out, name, '[');
    for (const std::string& logo : *logos) out.Text(RelativePath(logo, directory));
    out.Close(']');
  }
  out.Close('}');
  Open(out, "helpFiles", '{');
  for (const auto& [name, file] : {std::pair{"dtm", &device.dtmHelp}, std::pair{"ui", &device.uiHelp}}) {
    Open(out, name, '{');
    Text(out, "path", RelativePath(file->path, directory));
    Text(out, "anchor", AnchorName(file->anchor));
    Bool(out, "found", file->found);
    out.Close('}');
  }
  out.Close('}');
  // A text named twice keeps its first place and its last value, as assigning by key would give; the
  // sort is stable, so the texts of one name lie together in the order they were read.
  Open(out, "builtinTexts", '{');
  const auto texts = SortedBy(device.builtinTexts, [](const auto& t) { return t.first; });
  for (std::size_t index = 0; index < texts.size(); ++index) {
    if (index + 1 < texts.size() && texts[index + 1]->first == texts[index]->first) continue;
    Text(out, texts[index]->first, texts[index]->second);
  }
  out.Close('}');
  out.Close('}');
}

// Builds the tree for diff. Members go straight into an object's storage: each key comes once, so the
// object need not search its keys for every member.
class TreeOut {
 public:
  void Open(char bracket) { m_open.push_back(&Put(bracket == '{' ? Json::object() : Json::array())); }
  void Close(char) { m_open.pop_back(); }
  void Key(std::string_view key) { m_key = key; }
  void Text(std::string_view value) { Put(Json(std::string(value))); }
  void Number(int64_t value) { Put(Json(value)); }
  void Bool(bool value) { Put(Json(value)); }
  Json Take() { return std::move(m_root); }

 private:
  // A container's address stays valid while it is open: its parent grows only after it is closed.
  Json& Put(Json&& value) {
    if (m_open.empty()) return m_root = std::move(value);
    Json& parent = *m_open.back();
    if (parent.is_object()) {
      auto& members = parent.get_ref<Json::object_t&>();
      members.emplace_back(std::move(m_key), std::move(value));
      return members.back().second;
    }
    auto& elements = parent.get_ref<Json::array_t&>();
    elements.push_back(std::move(value));
    return elements.back();
  }

  Json m_root;
  std::vector<Json*> m_open;
  std::string m_key;
};

// Writes the text that DeviceJson(device).dump(2) would give, without the tree: a large device's tree is
// half a gigabyte in millions of blocks, and building and freeing it cost more than writing it. The text
// goes out in large blocks, so a report of tens of megabytes is never held whole.
class TextOut {
 public:
  explicit TextOut(std::ostream& stream) : m_stream(stream), m_block(new char[kBlockSize]) {}
  ~TextOut() { Flush(); }

  void Open(char bracket) {
    Before();
    Put(bracket);
    m_empty.push_back(true);
  }
  // An empty container stays on its line ("[]", "{}"); a filled one closes on a line of its own.
  void Close(char bracket) {
    const bool empty = m_empty.back();
    m_empty.pop_back();
    if (!empty) NewLine();
    Put(bracket);
    if (m_empty.empty()) Put('\n');
  }
  void Key(std::string_view key) {
    Before();
    Quoted(key);
    Put(": ");
    m_afterKey = true;
  }
  void Text(std::string_view value) {
    Before();
    Quoted(value);
  }
  void Number(int64_t value) {
    Before();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    Put(std::string_view(digits, static_cast<std::size_t>(end - digits)));
  }
  void Bool(bool value) {
    Before();
    Put(value ? "true" : "false");
  }
  void Flush() {
    m_stream.write(m_block.get(), static_cast<std::streamsize>(m_used));
    m_used = 0;
  }

 private:
  static constexpr std::size_t kIndent = 2;
  static constexpr std::size_t kBlockSize = 1 << 16;

  void Put(char c) {
    if (m_used == kBlockSize) Flush();
    m_block[m_used++] = c;
  }
  void Put(std::string_view text) {
    if (m_used + text.size() > kBlockSize) {
      Flush();
      if (text.size() > kBlockSize) {
        m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        return;
      }
    }
    std::memcpy(m_block.get() + m_used, text.data(), text.size());
    m_used += text.size();
  }
  void NewLine() {
    static const std::string kSpaces = '\n' + std::string(kIndent * 64, ' ');
    const std::size_t width = kIndent * m_empty.size();
    if (width < kSpaces.size()) return Put(std::string_view(kSpaces).substr(0, width + 1));
    Put('\n');
    Put(std::string(width, ' '));
  }

  // A value after its key follows on the same line; anything else starts a new line, indented one step
  // per open container, and after the first member of its container a comma ends the line before.
  void Before() {
    if (m_afterKey) {
      m_afterKey = false;
      return;
    }
    if (m_empty.empty()) return;
    if (m_empty.back()) {
      m_empty.back() = false;
    } else {
      Put(',');
    }
    NewLine();
  }

  // Plain ASCII is escaped here, as the library escapes it; a text with any other byte goes through the
  // library's own serializer, which also decides what becomes of bytes that are not UTF-8.
  void Quoted(std::string_view text) {
    const auto special = [](unsigned char c) { return c < 0x20 || c == '"' || c == '\\' || c >= 0x80; };
    const auto first = std::find_if(text.begin(), text.end(), special);
    if (first == text.end()) {
      Put('"');
      Put(text);
      Put('"');
      return;
    }
    if (std::any_of(first, text.end(), [](unsigned char c) { return c >= 0x80; })) {
      Put(Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace));
      return;
    }
    Put('"');
    Put(std::string_view(text.data(), static_cast<std::size_t>(first - text.begin())));
    for (auto at = first; at != text.end(); ++at) {
      const char c = *at;
      switch (c) {
        case '"':
          Put("\\\"");
          break;
        case '\\':
          Put("\\\\");
          break;
        case '\b':
          Put("\\b");
          break;
        case '\f':
          Put("\\f");
          break;
        case '\n':
          Put("\\n");
          break;
        case '\r':
          Put("\\r");
          break;
        case '\t':
          Put("\\t");
          break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            static const char kHex[] = "0123456789abcdef";
            const char escaped[] = {'\\', 'u', '0', '0', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
            Put(std::string_view(escaped, sizeof escaped));
          } else {
            Put(c);
          }
      }
    }
    Put('"');
  }

  std::ostream& m_stream;
  std::unique_ptr<char[]> m_block;
  std::size_t m_used = 0;
  std::vector<bool> m_empty;  // per open container: nothing in it yet
  bool m_afterKey = false;
};

}  // namespace

Json DeviceJson(const Device& device) {
  TreeOut out;
  DeviceLayout(out, device);
  return out.Take();
}

void WriteJson(const Device& device, std::ostream& out) {
  TextOut text(out);
  DeviceLayout(text, device);
}

}  // namespace inspect
