// The HTML preview: one self-contained page that behaves like the display control, built from the device
// as data (one JSON blob) and a page script that draws one display at a time.
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include <k42gui/DeviceFiles.h>
#include <nlohmann/json.hpp>

#include "inspect/preview_assets.h"
#include "inspect/reports.h"

namespace inspect {
namespace {

using Json = nlohmann::json;  // keyed by a map: the page has thousands of parameters and displays

std::string Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool IsWebAddress(const std::string& path) { return path.starts_with("http://") || path.starts_with("https://"); }

std::string PictureType(const std::string& /*path*/, const std::string& bytes) { return k42gui::ImageMediaType(bytes); }

// Help files the browser shows itself: PDF told by its first bytes, HTML and plain text by their extension.
std::string HelpFileType(const std::string& path, const std::string& bytes) {
  if (bytes.starts_with("%PDF-")) return "application/pdf";
  std::string extension = path.substr(std::min(path.size(), path.find_last_of('.')));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".html" || extension == ".htm") return "text/html";
  if (extension == ".txt") return "text/plain";
  return "";
}

std::string Base64(const std::string& bytes) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t chunk = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) chunk |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) chunk |= static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[(chunk >> 18) & 63];
    out += kAlphabet[(chunk >> 12) & 63];
    out += i + 1 < bytes.size() ? kAlphabet[(chunk >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kAlphabet[chunk & 63] : '=';
  }
  return out;
}

// A text as the page's language switch needs it: one string when every language says the same, else
// one string per language in the order of the page's language list.
Json Texts(const std::vector<std::string>& each) {
  if (std::all_of(each.begin(), each.end(), [&each](const std::string& x) { return x == each.front(); })) {
    return each.front();
  }
  return each;
}

// The same for a field of a record that each language has.
template <class T>
Json Text(const std::vector<const T*>& each, std::string T::*field) {
  std::vector<std::string> texts;
  for (const T* x : each) texts.push_back(x->*field);
  return Texts(texts);
}

// The element i of a list in every language; a translation that lacks it falls back to the first.
template <class T, class List>
auto Nth(const std::vector<const T*>& each, List list, size_t i) {
  using Element = typename std::remove_cvref_t<decltype(list(*each.front()))>::value_type;
  std::vector<const Element*> out;
  for (const T* x : each) {
    const auto& items = list(*x);
    out.push_back(i < items.size() ? &items[i] : &list(*each.front())[i]);
  }
  return out;
}

class PageData {
 public:
  explicit PageData(const Device& device) : m_device(device) {
    m_each.push_back(&device);
    for (const Device& translation : device.translations) m_each.push_back(&translation);
  }

  Json Build() {
    Json data;
    data["title"] = Title();
    Json languages = Json::array();
    for (const Device* d : m_each) {
      std::string name = d->language;
      for (const auto& [code, local] : m_device.languages) {
        if (code == d->language) name = local;
      }
      languages.push_back({{"code", d->language}, {"name", name}});
    }
    data["languages"] = languages;
    data["online"] = m_device.online;
    data["texts"] = BuiltinTexts();
    data["modules"] = Modules();
    data["displays"] = Displays();
    data["parameters"] = Parameters();
    data["header"] = Header();
    data["menubar"] = Menubar([](const Device& d) -> const std::vector<MenuEntry>& { return d.menubar; });
    data["toolbar"] = Toolbar();
    data["logos"] = {{"vendor", Pictures(m_device.vendorLogos)}, {"device", Pictures(m_device.deviceLogos)}};
    data["help"] = {{"dtm", Help(&Device::dtmHelp)}, {"ui", Help(&Device::uiHelp)}};
    data["refused"] = Json::object();
    data["images"] = Embed(m_pictures, PictureType, "not a picture", data["refused"]);
    data["files"] =
        Embed(m_helpFiles, HelpFileType, "not a help file the page shows (PDF, HTML or text)", data["refused"]);
    return data;
  }

  std::string Title() const {
    // The device is named by the values of the header's manufacturer and device type, as the display
    // control's header shows them; a device without them is named by its file.
    std::string title;
    for (const char* place : {"MANUFACTURER", "DEVICE_TYPE"}) {
      for (const HeaderPlace& entry : m_device.header) {
        if (entry.mapping != place) continue;
        const Parameter* parameter = FindParameter(entry.parameter);
        if (parameter == nullptr || parameter->value.empty()) continue;
        title += (title.empty() ? "" : " ") + parameter->value;
        break;
      }
    }
    return title.empty() ? m_device.xmlFile : title;
  }

 private:
  const Parameter* FindParameter(const std::string& id) const {
    for (const Parameter& parameter : m_device.parameters) {
      if (parameter.id == id && !parameter.value.empty()) return &parameter;
    }
    return nullptr;
  }

  // Remembers a picture file the page shows; the page looks it up by this key.
  std::string Picture(const std::string& path) {
    if (!path.empty()) m_pictures.insert(path);
    return path;
  }
  Json Pictures(const std::vector<std::string>& paths) {
    Json list = Json::array();
    for (const std::string& path : paths) list.push_back(Picture(path));
    return list;
  }

  // A help file in every language (each language of the localized file names its own) with its anchor
  // kind. A web address is left to the browser; a file is embedded like a picture.
  Json Help(Device::HelpFile Device::*which) {
    std::vector<const Device::HelpFile*> each;
    for (const Device* d : m_each) {
      const Device::HelpFile& help = d->*which;
      each.push_back(&help);
      if (help.found && !IsWebAddress(help.path)) m_helpFiles.insert(help.path);
    }
    // Each language names its own file and how help topics address it.
    std::vector<std::string> anchors;
    for (const Device::HelpFile* help : each) anchors.push_back(AnchorName(help->anchor));
    return {{"path", Text(each, &Device::HelpFile::path)}, {"anchor", Texts(anchors)}};
  }

  // The variants of a conditional label in every language, matched by their key; a language that lacks a
  // key shows the first language's text.
  Json Variants(const std::vector<const std::vector<LabelVariant>*>& each) {
    Json list = Json::array();
    for (const LabelVariant& first : *each.front()) {
      std::vector<const LabelVariant*> variant;
      for (const auto* variants : each) {
        const auto found = std::find_if(variants->begin(), variants->end(),
                                        [&first](const LabelVariant& v) { return v.key == first.key; });
        variant.push_back(found != variants->end() ? &*found : &first);
      }
      list.push_back({{"key", first.key},
                      {"label", Text(variant, &LabelVariant::label)},
                      {"tooltip", Text(variant, &LabelVariant::tooltip)}});
    }
    return list;
  }
  template <class T>
  Json VariantsOf(const std::vector<const T*>& each) {
    std::vector<const std::vector<LabelVariant>*> lists;
    for (const T* x : each) lists.push_back(&x->variants);
    return Variants(lists);
  }

  Json BuiltinTexts() {
    Json texts = Json::object();
    for (size_t i = 0; i < m_device.builtinTexts.size(); ++i) {
      using Pair = std::pair<std::string, std::string>;
      const auto each = Nth(
          m_each, [](const Device& d) -> const std::vector<Pair>& { return d.builtinTexts; }, i);
      texts[m_device.builtinTexts[i].first] = Text(each, &Pair::second);
    }
    return texts;
  }

  Json Modules() {
    Json modules = Json::array();
    for (size_t i = 0; i < m_device.modules.size(); ++i) {
      const auto each = Nth(
          m_each, [](const Device& d) -> const std::vector<Module>& { return d.modules; }, i);
      const Module& module = *each.front();
      Json tree = Json::array();
      for (size_t n = 0; n < module.tree.size(); ++n) {
        tree.push_back(Node(Nth(
            each, [](const Module& m) -> const std::vector<TreeNode>& { return m.tree; }, n)));
      }
      modules.push_back({{"id", module.id},
                         {"name", Text(each, &Module::name)},
                         {"tab", module.tab},
                         {"integration", IntegrationName(module.integration)},
                         {"icon", Picture(module.icon)},
                         {"treeIcons", Picture(module.treeIcons)},
                         {"headerOffline", module.headerOffline},
                         {"headerOnline", module.headerOnline},
                         {"tree", tree},
                         {"menubar", ModuleMenubar(i)}});
    }
    return modules;
  }

  Json ModuleMenubar(size_t module) {
    std::vector<const std::vector<MenuEntry>*> bars;
    for (const Device* d : m_each) {
      bars.push_back(module < d->modules.size() ? &d->modules[module].menubar : &m_device.modules[module].menubar);
    }
    return MenuList(bars);
  }

  // Tree nodes in the compact form the page unfolds lazily: r reference, l label, d display, t type,
  // i icon, c children, x a menu already open higher up.
  Json Node(const std::vector<const TreeNode*>& each) {
    const TreeNode& node = *each.front();
    Json json = {{"r", node.reference}, {"l", Text(each, &TreeNode::label)}};
    if (!node.displayId.empty()) json["d"] = node.displayId;
    json["t"] = ItemTypeName(node.itemType);
    if (node.icon >= 0) json["i"] = node.icon;
    if (node.repeated) json["x"] = true;
    if (node.conditionalLabel) json["cl"] = true;
    if (!node.variants.empty()) json["v"] = VariantsOf(each);
    if (!node.children.empty()) {
      Json children = Json::array();
      for (size_t n = 0; n < node.children.size(); ++n) {
        children.push_back(Node(Nth(
            each, [](const TreeNode& t) -> const std::vector<TreeNode>& { return t.children; }, n)));
      }
      json["c"] = std::move(children);
    }
    return json;
  }

  Json Displays() {
    Json displays = Json::object();
    for (size_t i = 0; i < m_device.displays.size(); ++i) {
      const auto each = Nth(
          m_each, [](const Device& d) -> const std::vector<Display>& { return d.displays; }, i);
      const Display& display = *each.front();
      Json items = Json::array();
      for (size_t n = 0; n < display.items.size(); ++n) {
        const auto item = Nth(
            each, [](const Display& d) -> const std::vector<DisplayItem>& { return d.items; }, n);
        items.push_back(Item(item));
      }
      Json& json = displays[display.module + "/" + display.id];
      json = {{"label", Text(each, &Display::label)},
              {"found", display.found},
              {"type", DisplayTypeName(display.type)},
              {"rwro", display.rwro},
              {"items", items},
              {"nav",
               {{"first", display.first},
                {"previous", display.previous},
                {"next", display.next},
                {"last", display.last},
                {"home", display.home}}}};
      if (!display.validId.empty()) json["valid"] = display.validId;
    }
    return displays;
  }

  Json Item(const std::vector<const DisplayItem*>& each) {
    const DisplayItem& item = *each.front();
    Json json = {{"ref", item.reference},
                 {"label", Text(each, &DisplayItem::label)},
                 {"par", ParTypeName(item.parType)},
                 {"style", ControlStyleName(item.controlStyle)}};
    auto set = [&json](const char* key, const auto& value, const auto& none) {
      if (value != none) json[key] = value;
    };
    set("labelRef", item.labelRef, std::string());
    set("legend", item.legend, std::string());
    set("align", item.alignment, std::string());
    set("format", item.format, std::string());
    set("font", item.fontName, std::string());
    set("color", item.colorNormal, int64_t{-1});
    set("visited", item.colorVisited, int64_t{-1});
    set("height", item.height, int64_t{0});
    set("weight", item.weightOrWidth, int64_t{0});
    set("italic", item.italic, false);
    set("underline", item.underline, false);
    if (item.displayCondition != 0) json["condition"] = DisplayConditionName(item.displayCondition);
    if (item.conditionalLabel) json["conditionalLabel"] = true;
    if (!item.variants.empty()) json["variants"] = VariantsOf(each);
    return json;
  }

  // Parameters by "type:identifier", as the display items and header places name them.
  Json Parameters() {
    std::vector<std::map<std::string, const Parameter*>> byKey(m_each.size());
    for (size_t k = 0; k < m_each.size(); ++k) {
      for (const Parameter& p : m_each[k]->parameters) byKey[k].emplace(ParTypeName(p.parType) + ":" + p.id, &p);
    }
    Json parameters = Json::object();
    for (const Parameter& parameter : m_device.parameters) {
      const std::string key = ParTypeName(parameter.parType) + ":" + parameter.id;
      std::vector<const Parameter*> each;
      for (const auto& translation : byKey) {
        const auto found = translation.find(key);
        each.push_back(found != translation.end() ? found->second : &parameter);
      }
      Json choices = Json::array();
      for (size_t n = 0; n < parameter.enumItems.size(); ++n) {
        using Choice = Parameter::EnumItem;
        const auto choice = Nth(
            each, [](const Parameter& p) -> const std::vector<Choice>& { return p.enumItems; }, n);
        Json json = {{"label", Text(choice, &Choice::label)}, {"value", choice.front()->value}};
        if (!choice.front()->ddString.empty()) json["key"] = choice.front()->ddString;
        choices.push_back(std::move(json));
      }
      Json json = {{"label", Text(each, &Parameter::label)},
                   {"tooltip", Text(each, &Parameter::tooltip)},
                   {"value", parameter.value},
                   {"type", VarTypeName(parameter.varType)},
                   {"handling", HandlingName(parameter.handling)},
                   {"format", parameter.format}};
      if (!choices.empty()) json["choices"] = std::move(choices);
      // The anchor of the element's place in the device help, when the help is addressed by help topics.
      if (std::any_of(each.begin(), each.end(), [](const Parameter* p) { return !p->helpTopic.empty(); })) {
        json["helpTopic"] = Text(each, &Parameter::helpTopic);
      }
      if (parameter.conditionalLabel) json["conditionalLabel"] = true;
      if (!parameter.variants.empty()) json["variants"] = VariantsOf(each);
      if (parameter.conditionalFormat) json["conditionalFormat"] = true;
      if (parameter.displayCondition != 0) json["condition"] = DisplayConditionName(parameter.displayCondition);
      if (!parameter.imagePath.empty()) json["image"] = Picture(parameter.imagePath);
      parameters[key] = std::move(json);
    }
    return parameters;
  }

  Json Header() {
    Json header = Json::array();
    for (const HeaderPlace& entry : m_device.header) {
      Json json = {{"mode", entry.mode},
                   {"place", entry.mapping},
                   {"par", entry.origin},
                   {"ref", entry.parameter},
                   {"kind", HeaderVarTypeName(entry.headerVarType)}};
      if (!entry.statusId.empty()) json["status"] = entry.statusId;
      if (entry.hasControl) {
        json["control"] = {
            {"id", entry.controlId}, {"progId", entry.progId}, {"width", entry.width}, {"height", entry.height}};
      }
      header.push_back(std::move(json));
    }
    return header;
  }

  template <class List>
  Json Menubar(List list) {
    std::vector<const std::vector<MenuEntry>*> bars;
    for (const Device* d : m_each) bars.push_back(&list(*d));
    return MenuList(bars);
  }

  Json MenuList(const std::vector<const std::vector<MenuEntry>*>& bars) {
    Json list = Json::array();
    for (size_t n = 0; n < bars.front()->size(); ++n) {
      std::vector<const MenuEntry*> each;
      for (const auto* bar : bars) each.push_back(n < bar->size() ? &(*bar)[n] : &(*bars.front())[n]);
      const MenuEntry& entry = *each.front();
      Json json = {{"label", Text(each, &MenuEntry::label)},
                   {"type", MenuTypeName(entry.menuType)},
                   {"action", ActionTypeName(entry.actionType)},
                   {"target", entry.action}};
      if (!entry.variableId.empty()) json["variable"] = entry.variableId;
      if (entry.menuType == 0) {  // a popup: its contents
        std::vector<const std::vector<MenuEntry>*> children;
        for (const MenuEntry* e : each) children.push_back(&e->children);
        json["items"] = MenuList(children);
      }
      list.push_back(std::move(json));
    }
    return list;
  }

  Json Toolbar() {
    Json items = Json::array();
    for (const ToolbarItem& item : m_device.toolbar) {
      items.push_back({{"label", item.label},
                       {"type", ToolbarTypeName(item.itemType)},
                       {"action", ActionTypeName(item.actionType)},
                       {"target", item.action},
                       {"id", item.id},
                       {"bitmap", item.bitmapIndex}});
    }
    return {{"strip", Picture(m_device.toolbarIcons)}, {"items", items}};
  }

  // Every picture and help file the page shows, embedded. The page is sent to reviewers, so it takes in
  // only the device's own files: a file outside the device's directory (after links and ".." are
  // resolved), one that is not a regular file (a named pipe, a device, a directory), one over the size
  // bound or one of a kind the page cannot show is not read into the page but listed in refused with the
  // reason, and the page shows that reason where the file would be. A missing file is null and the page
  // says it is missing.
  Json Embed(const std::set<std::string>& paths, std::string (*mediaType)(const std::string&, const std::string&),
             const char* notShown, Json& refused) const {
    Json embedded = Json::object();
    const std::vector<std::string> allowed{m_device.directory};
    for (const std::string& path : paths) {
      const k42gui::DeviceFile file = k42gui::ReadDeviceFile(path, allowed);
      std::string type;
      if (file.problem == k42gui::DeviceFileProblem::kNone) {
        type = mediaType(path, file.bytes);
        if (type.empty()) refused[path] = notShown;
      } else if (file.problem != k42gui::DeviceFileProblem::kMissing) {
        refused[path] = file.message;
      }
      embedded[path] = type.empty() ? Json() : Json("data:" + type + ";base64," + Base64(file.bytes));
    }
    return embedded;
  }

  const Device& m_device;
  std::vector<const Device*> m_each;
  std::set<std::string> m_pictures;
  std::set<std::string> m_helpFiles;
};

// The data blob lives in a script element: a '<' inside it could close the element ("</script>") or open
// a comment, so every one is written as its JSON escape. Outside strings JSON has no '<'.
std::string ScriptSafe(const std::string& json) {
  std::string out;
  out.reserve(json.size());
  for (char c : json) {
    if (c == '<') {
      out += "\\u003c";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

void WriteHtml(const Device& device, std::ostream& out) {
  PageData data(device);
  const std::string blob = ScriptSafe(data.Build().dump(-1, ' ', false, Json::error_handler_t::replace));
  out << "<!DOCTYPE html>\n<html lang=\"" << Escape(device.language) << "\">\n<head>\n<meta charset=\"utf-8\">\n"
      << "<title>" << Escape(data.Title()) << "</title>\n<style>\n"
      << kPreviewStyle << "</style>\n</head>\n<body>\n"
      << "<noscript>The preview needs JavaScript.</noscript>\n"
      << "<script type=\"application/json\" id=\"device-data\">" << blob << "</script>\n<script>\n"
      << kPreviewScript << "</script>\n</body>\n</html>\n";
}

}  // namespace inspect
