// The JSON report: everything the inspector read, in a stable order and free of where the device lies.
#include "inspect/json_report.h"

#include <algorithm>
#include <functional>
#include <memory>
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

// An empty array with room for `size` elements: the large devices have thousands of entries per list, and
// growing them one push at a time copies every element tree again and again.
Json ArrayOf(std::size_t size) {
  Json array = Json::array();
  array.get_ref<Json::array_t&>().reserve(size);
  return array;
}

// Fills an object member by member straight into its storage. A brace list builds a temporary array per
// member and the object then searches its keys for each one; on a large device those temporaries cost
// more than the report itself. Every caller adds each key once, so no search is needed.
class Object {
 public:
  explicit Object(std::size_t size) : m_json(Json::object()) { Members().reserve(size); }
  template <typename T>
  Object& Add(const char* key, T&& value) {
    Members().emplace_back(key, std::forward<T>(value));
    return *this;
  }
  Json Take() { return std::move(m_json); }

 private:
  Json::object_t& Members() { return m_json.get_ref<Json::object_t&>(); }
  Json m_json;
};

Json TreeJson(const TreeNode& node) {
  Object json(6 + (node.repeated ? 1 : 0) + (node.children.empty() ? 0 : 1));
  json.Add("reference", node.reference)
      .Add("label", node.label)
      .Add("type", ItemTypeName(node.itemType))
      .Add("display", node.displayId)
      .Add("icon", node.icon)
      .Add("conditionalLabel", node.conditionalLabel);
  if (node.repeated) json.Add("repeated", true);
  if (!node.children.empty()) {
    Json children = ArrayOf(node.children.size());
    for (const TreeNode& child : node.children) children.push_back(TreeJson(child));
    json.Add("children", std::move(children));
  }
  return json.Take();
}

Json MenuJson(const std::vector<MenuEntry>& entries) {
  Json list = ArrayOf(entries.size());
  for (const MenuEntry& entry : entries) {
    Object json(7);
    json.Add("label", entry.label)
        .Add("type", MenuTypeName(entry.menuType))
        .Add("action", ActionTypeName(entry.actionType))
        .Add("command", entry.action);
    if (!entry.menuId.empty() || !entry.variableId.empty()) {
      json.Add("menuId", entry.menuId).Add("variableId", entry.variableId);
    }
    if (entry.menuType == 0) json.Add("children", MenuJson(entry.children));
    list.push_back(json.Take());
  }
  return list;
}

Json ItemJson(const DisplayItem& item) {
  Object font(5);
  font.Add("name", item.fontName)
      .Add("height", item.height)
      .Add("weightOrWidth", item.weightOrWidth)
      .Add("italic", item.italic)
      .Add("underline", item.underline);
  Object json(12);
  return json.Add("parameterType", ParTypeName(item.parType))
      .Add("control", ControlStyleName(item.controlStyle))
      .Add("reference", item.reference)
      .Add("labelRef", item.labelRef)
      .Add("label", item.label)
      .Add("legend", item.legend)
      .Add("displayCondition", DisplayConditionName(item.displayCondition))
      .Add("alignment", item.alignment)
      .Add("format", item.format)
      .Add("font", font.Take())
      .Add("colorNormal", item.colorNormal)
      .Add("colorVisited", item.colorVisited)
      .Take();
}

// Where the sections of the tree go: `take` receives a whole member, `list` an array member whose
// elements it asks for one by one (the long lists of a large device need not exist all at once).
struct Sections {
  std::function<void(const char*, Json&&)> take;
  std::function<void(const char*, std::size_t, const std::function<Json(std::size_t)>&)> list;
};

// Hands the top-level members of the device's tree over one by one, in the tree's order, so that the
// report can write and free each before the next is built.
void EachSection(const Device& device, const Sections& sections) {
  const auto& take = sections.take;
  auto path = [&](const std::string& file) { return RelativePath(file, device.directory); };
  take("formatVersion", Json(kJsonFormatVersion));
  take("device", {{"guiXmlFile", device.xmlFile},
                  {"localizedFile", device.locFile},
                  {"language", device.language},
                  {"function", device.functionId},
                  {"online", device.online}});
  Json languages = ArrayOf(device.languages.size());
  for (const auto& [id, name] : device.languages) languages.push_back({{"id", id}, {"name", name}});
  take("languages", std::move(languages));

  Json modules = ArrayOf(device.modules.size());
  for (const Module& module : device.modules) {
    Json tree = ArrayOf(module.tree.size());
    for (const TreeNode& node : module.tree) tree.push_back(TreeJson(node));
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
           {"tree", std::move(tree)},
           {"menubar", MenuJson(module.menubar)}};
    modules.push_back(std::move(m));
  }
  take("modules", std::move(modules));

  const auto displays = SortedBy(device.displays, [](const Display& d) { return std::tie(d.module, d.id); });
  sections.list("displays", displays.size(), [&](std::size_t index) {
    const Display& display = *displays[index];
    Json items = ArrayOf(display.items.size());
    for (const DisplayItem& item : display.items) items.push_back(ItemJson(item));
    Object buttons(5);
    buttons.Add("first", display.first)
        .Add("previous", display.previous)
        .Add("next", display.next)
        .Add("last", display.last)
        .Add("home", display.home);
    Object d(9);
    d.Add("module", display.module)
        .Add("id", display.id)
        .Add("found", display.found)
        .Add("label", display.label)
        .Add("type", DisplayTypeName(display.type))
        .Add("validityId", display.validId)
        .Add("rwroConditional", display.rwro)
        .Add("buttons", buttons.Take())
        .Add("items", std::move(items));
    return d.Take();
  });

  const auto parameters = SortedBy(device.parameters, [](const Parameter& p) { return std::tie(p.id, p.parType); });
  sections.list("parameters", parameters.size(), [&](std::size_t index) {
    const Parameter& p = *parameters[index];
    Object j(14 + !p.value.empty() + !p.imagePath.empty() + !p.enumItems.empty() + !p.variants.empty());
    j.Add("id", p.id)
        .Add("kind", ParTypeName(p.parType))
        .Add("label", p.label)
        .Add("conditionalLabel", p.conditionalLabel)
        .Add("tooltip", p.tooltip)
        .Add("helpTopic", p.helpTopic)
        .Add("type", VarTypeName(p.varType))
        .Add("handling", HandlingName(p.handling))
        .Add("sizeInBit", p.sizeInBit)
        .Add("storage", p.storage)
        .Add("format", p.format)
        .Add("alignment", p.alignment)
        .Add("displayCondition", DisplayConditionName(p.displayCondition))
        .Add("conditionalFormat", p.conditionalFormat);
    if (!p.value.empty()) j.Add("value", p.value);
    if (!p.imagePath.empty()) j.Add("image", path(p.imagePath));
    if (!p.enumItems.empty()) {
      Json items = ArrayOf(p.enumItems.size());
      for (const auto& item : p.enumItems) {
        Object e(4);
        items.push_back(e.Add("value", item.value)
                            .Add("label", item.label)
                            .Add("legend", item.legend)
                            .Add("ddString", item.ddString)
                            .Take());
      }
      j.Add("enumItems", std::move(items));
    }
    if (!p.variants.empty()) {
      Json variants = ArrayOf(p.variants.size());
      for (const auto& v : p.variants) {
        Object e(3);
        variants.push_back(e.Add("key", v.key).Add("label", v.label).Add("tooltip", v.tooltip).Take());
      }
      j.Add("variants", std::move(variants));
    }
    return j.Take();
  });

  Json header = ArrayOf(device.header.size());
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
    header.push_back(std::move(h));
  }
  take("header", std::move(header));

  take("menubar", MenuJson(device.menubar));
  Json toolbar = {{"icons", path(device.toolbarIcons)}, {"items", Json::array()}};
  for (const ToolbarItem& item : device.toolbar) {
    toolbar["items"].push_back({{"id", item.id},
                                {"type", ToolbarTypeName(item.itemType)},
                                {"action", ActionTypeName(item.actionType)},
                                {"command", item.action},
                                {"bitmap", item.bitmapIndex},
                                {"label", item.label}});
  }
  take("toolbar", std::move(toolbar));
  Json logos = {{"vendor", Json::array()}, {"device", Json::array()}};
  for (const std::string& logo : device.vendorLogos) logos["vendor"].push_back(path(logo));
  for (const std::string& logo : device.deviceLogos) logos["device"].push_back(path(logo));
  take("logos", std::move(logos));
  auto help = [&](const Device::HelpFile& file) {
    return Json{{"path", path(file.path)}, {"anchor", AnchorName(file.anchor)}, {"found", file.found}};
  };
  take("helpFiles", {{"dtm", help(device.dtmHelp)}, {"ui", help(device.uiHelp)}});
  // Assigned by key, not appended: a text named twice keeps its first place and its last value.
  Json texts = Json::object();
  for (const auto* text : SortedBy(device.builtinTexts, [](const auto& t) { return t.first; })) {
    texts[text->first] = text->second;
  }
  take("builtinTexts", std::move(texts));
}

}  // namespace

Json DeviceJson(const Device& device) {
  Json json = Json::object();
  const auto take = [&](const char* key, Json&& value) { json[key] = std::move(value); };
  EachSection(device, {take, [&](const char* key, std::size_t size, const std::function<Json(std::size_t)>& element) {
                         Json list = ArrayOf(size);
                         for (std::size_t index = 0; index < size; ++index) list.push_back(element(index));
                         take(key, std::move(list));
                       }});
  return json;
}

// Collects the serializer's many small pieces and hands them to the stream in large blocks, so a
// section of tens of megabytes is neither held whole in memory nor written a few bytes at a time.
class BlockWriter : public nlohmann::detail::output_adapter_protocol<char> {
 public:
  explicit BlockWriter(std::ostream& out) : m_out(out) { m_block.reserve(kBlockSize); }
  void write_character(char c) override {
    m_block.push_back(c);
    if (m_block.size() >= kBlockSize) Flush();
  }
  void write_characters(const char* text, std::size_t length) override {
    m_block.append(text, length);
    if (m_block.size() >= kBlockSize) Flush();
  }
  void Flush() {
    m_out.write(m_block.data(), static_cast<std::streamsize>(m_block.size()));
    m_block.clear();
  }

 private:
  static constexpr std::size_t kBlockSize = 1 << 16;
  std::ostream& m_out;
  std::string m_block;
};

// Writes exactly what DeviceJson(device).dump(2) would, one section at a time: the whole tree of a large
// device is half a gigabyte in millions of blocks, and building it all before writing, then freeing it
// all, costs as much as building it. The serializer is the library's own, so strings are escaped alike.
void WriteJson(const Device& device, std::ostream& out) {
  constexpr unsigned kIndent = 2;
  const auto writer = std::make_shared<BlockWriter>(out);
  nlohmann::detail::serializer<Json> serializer(writer, ' ', Json::error_handler_t::replace);
  writer->write_character('{');
  const char* separator = "\n";
  const auto key = [&](const char* name) {
    const std::string head = std::string(separator) + std::string(kIndent, ' ') + '"' + name + "\": ";
    writer->write_characters(head.data(), head.size());
    separator = ",\n";
  };
  const auto take = [&](const char* name, Json&& value) {
    key(name);
    serializer.dump(value, true, false, kIndent, kIndent);
  };
  // Laid out as the serializer lays out a non-empty array one level down.
  const auto list = [&](const char* name, std::size_t size, const std::function<Json(std::size_t)>& element) {
    if (size == 0) return take(name, Json::array());
    key(name);
    const std::string indent(2 * kIndent, ' ');
    for (std::size_t index = 0; index < size; ++index) {
      writer->write_characters(index == 0 ? "[\n" : ",\n", 2);
      writer->write_characters(indent.data(), indent.size());
      serializer.dump(element(index), true, false, kIndent, 2 * kIndent);
    }
    writer->write_characters("\n", 1);
    writer->write_characters(indent.data(), kIndent);
    writer->write_character(']');
  };
  EachSection(device, {take, list});
  writer->write_characters("\n}\n", 3);
  writer->Flush();
}

}  // namespace inspect
