// Structural comparison of two device trees: identified records are matched by identifier,
// sequences (menus, display items, menu bars) are aligned so that an inserted entry is one
// change and not a shift of everything after it.
#include "inspect/diff.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace inspect {
namespace {

// How the elements of an array are matched and named; the last three stand for objects whose members
// need the same care.
enum class ArrayKind {
  kPlain,
  kLanguages,
  kModules,
  kDisplays,
  kParameters,
  kHeader,
  kVariants,
  kTree,
  kMenu,
  kItems,
  kToolbar,
  kEnumItems,
  kTop,
  kToolbarObject,
  kDeviceObject
};

bool Keyed(ArrayKind kind) {
  return kind == ArrayKind::kLanguages || kind == ArrayKind::kModules || kind == ArrayKind::kDisplays ||
         kind == ArrayKind::kParameters || kind == ArrayKind::kHeader || kind == ArrayKind::kVariants;
}

std::string Text(const Json& object, const char* key) {
  const auto it = object.find(key);
  if (it == object.end()) return {};
  return it->is_string() ? it->get<std::string>() : it->dump();
}

// The identifier of a record in a keyed array.
std::string IdentityKey(ArrayKind kind, const Json& element) {
  switch (kind) {
    case ArrayKind::kDisplays:
      return Text(element, "module") + '\n' + Text(element, "id");
    case ArrayKind::kParameters:
      return Text(element, "kind") + '\n' + Text(element, "id");
    case ArrayKind::kHeader:
      return Text(element, "mode") + '\n' + Text(element, "place");
    case ArrayKind::kVariants:
      return Text(element, "key");
    default:
      return Text(element, "id");
  }
}

// What has to agree for two entries of a sequence to count as the same entry, changed or not.
// Texts of the current language stay out of it, so a translated label is a change, not a new entry.
std::string SequenceKey(ArrayKind kind, const Json& element) {
  switch (kind) {
    case ArrayKind::kTree:
      return Text(element, "reference");
    case ArrayKind::kMenu:
      return Text(element, "type") + '\n' + Text(element, "action") + '\n' + Text(element, "command") + '\n' +
             Text(element, "menuId") + '\n' + Text(element, "variableId");
    case ArrayKind::kItems: {
      const std::string reference = Text(element, "reference");
      return Text(element, "parameterType") + '\n' + (reference.empty() ? Text(element, "labelRef") : reference);
    }
    case ArrayKind::kToolbar:
      return Text(element, "id") + '\n' + Text(element, "type") + '\n' + Text(element, "command");
    case ArrayKind::kEnumItems:
      return Text(element, "value") + '\n' + Text(element, "ddString");
    default:
      return {};  // by position
  }
}

// Pairs of matched positions (before, after); -1 on one side for a removed or added element.
using Alignment = std::vector<std::pair<long, long>>;

// Longest common subsequence of the keys, after cutting off the common head and tail. Sequences
// too long for that (a menu of thousands of entries rewritten in the middle) are paired by position.
Alignment Align(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  constexpr size_t kMaxCells = 4'000'000;
  Alignment pairs;
  size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  for (size_t i = 0; i < head; ++i) pairs.emplace_back(i, i);
  const size_t n = a.size() - head - tail, m = b.size() - head - tail;
  if (n * m > kMaxCells) {
    for (size_t i = 0; i < std::max(n, m); ++i) {
      pairs.emplace_back(i < n ? static_cast<long>(head + i) : -1, i < m ? static_cast<long>(head + i) : -1);
    }
  } else {
    // length[i][j]: common subsequence of a[head+i..] and b[head+j..].
    std::vector<std::vector<unsigned>> length(n + 1, std::vector<unsigned>(m + 1, 0));
    for (size_t i = n; i-- > 0;) {
      for (size_t j = m; j-- > 0;) {
        length[i][j] =
            a[head + i] == b[head + j] ? length[i + 1][j + 1] + 1 : std::max(length[i + 1][j], length[i][j + 1]);
      }
    }
    size_t i = 0, j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && a[head + i] == b[head + j]) {
        pairs.emplace_back(head + i++, head + j++);
      } else if (j == m || (i < n && length[i + 1][j] >= length[i][j + 1])) {
        pairs.emplace_back(head + i++, -1);
      } else {
        pairs.emplace_back(-1, head + j++);
      }
    }
  }
  for (size_t k = 0; k < tail; ++k) pairs.emplace_back(a.size() - tail + k, b.size() - tail + k);
  return pairs;
}

bool Bare(const std::string& text) {
  if (text.empty()) return false;
  return std::all_of(text.begin(), text.end(), [](unsigned char c) {
    return c >= 0x80 || std::isalnum(c) || c == '_' || c == '-' || c == '.' || c == '/' || c == '#' || c == '%';
  });
}

std::string Dump(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

class Comparer {
 public:
  Comparer(std::vector<Change>& changes, const Comparison& comparison) : m_changes(changes), m_comparison(comparison) {}

  void Devices(const Json& before, const Json& after) { Objects(before, after, {}, ArrayKind::kTop); }

 private:
  static std::string Segment(const std::string& key) {
    if (key == "menubar") return "menu bar";
    if (key == "builtinTexts") return "built-in texts";
    if (key == "helpFiles") return "help files";
    return key;
  }

  // The member under key, or null when there is none; never a copy, as the trees can be large.
  static const Json& At(const Json& object, const std::string& key) {
    static const Json kAbsent;
    if (!object.is_object()) return kAbsent;
    const auto it = object.find(key);
    return it == object.end() ? kAbsent : *it;
  }

  // The keys of both objects, those of before first, in their order.
  static std::vector<std::string> Union(const Json& before, const Json& after) {
    std::vector<std::string> keys;
    std::set<std::string> seen;
    for (const Json* object : {&before, &after}) {
      if (!object->is_object()) continue;
      for (const auto& item : object->items()) {
        if (seen.insert(item.key()).second) keys.push_back(item.key());
      }
    }
    return keys;
  }

  // The kind of the array or object under key in an object that came from an array of kind owner.
  static ArrayKind KindOf(ArrayKind owner, const std::string& key) {
    switch (owner) {
      case ArrayKind::kTop:
        if (key == "languages") return ArrayKind::kLanguages;
        if (key == "modules") return ArrayKind::kModules;
        if (key == "displays") return ArrayKind::kDisplays;
        if (key == "parameters") return ArrayKind::kParameters;
        if (key == "header") return ArrayKind::kHeader;
        if (key == "menubar") return ArrayKind::kMenu;
        if (key == "toolbar") return ArrayKind::kToolbarObject;
        if (key == "device") return ArrayKind::kDeviceObject;
        break;
      case ArrayKind::kModules:
        if (key == "tree") return ArrayKind::kTree;
        if (key == "menubar") return ArrayKind::kMenu;
        break;
      case ArrayKind::kTree:
      case ArrayKind::kMenu:
        if (key == "children") return owner;
        break;
      case ArrayKind::kDisplays:
        if (key == "items") return ArrayKind::kItems;
        break;
      case ArrayKind::kParameters:
        if (key == "enumItems") return ArrayKind::kEnumItems;
        if (key == "variants") return ArrayKind::kVariants;
        break;
      case ArrayKind::kToolbarObject:
        if (key == "items") return ArrayKind::kToolbar;
        break;
      default:
        break;
    }
    return ArrayKind::kPlain;
  }

  // Whether the member key holds a text of the localized file, which a language changes.
  bool IsText(ArrayKind owner, const std::string& key) const {
    if (owner == ArrayKind::kTop) return false;
    if (m_area == "builtinTexts") return true;
    if (m_area == "helpFiles") return key == "path";  // each language may name its own help file
    if (key == "label" || key == "tooltip" || key == "helpTopic") return true;
    // Module names and enumeration legends come from the localized file; language names and the
    // legends of display items from the GUI XML file.
    return (key == "name" && m_area == "modules") || (key == "legend" && m_area == "parameters");
  }

  // A help topic names a place in the help file, which languages share; it is no text to translate.
  bool IsTranslated(ArrayKind owner, const std::string& key) const { return IsText(owner, key) && key != "helpTopic"; }

  // The text a display item's label adds to the item's legend, which the GUI XML file gives for all
  // languages ("Primary value " + the variable's label).
  static Json WithoutLegend(const Json& item, const Json& label) {
    const std::string legend = Text(item, "legend");
    if (legend.empty() || !label.is_string()) return label;
    const std::string& text = label.get_ref<const std::string&>();
    return text.starts_with(legend + ' ') ? Json(text.substr(legend.size() + 1)) : label;
  }

  // A text seen in both languages: listed when the new language leaves it as the old one has it,
  // or has none where the old one has one.
  void Translation(const std::vector<std::string>& path, const Json& a, const Json& b) {
    if (!a.is_string() || a.get_ref<const std::string&>().empty()) return;  // nothing to translate
    if (b.is_null()) return;                                                // not on the new side at all
    const bool missing = !b.is_string() || b.get_ref<const std::string&>().empty();
    if (!missing && a != b) return;  // translated
    Note(path, missing ? "missing" : "untranslated", a, b, true);
    m_changes.back().language = m_comparison.newLanguage;
    m_changes.back().oldLanguage = m_comparison.oldLanguage;
  }

  void Objects(const Json& a, const Json& b, const std::vector<std::string>& path, ArrayKind owner) {
    for (const std::string& key : Union(a, b)) {
      if (owner == ArrayKind::kTop) {
        if (key == "formatVersion") continue;
        m_area = key;
      }
      // The files and the language the devices were loaded with are the arguments, not the device.
      if (owner == ArrayKind::kDeviceObject && (key == "guiXmlFile" || key == "localizedFile" || key == "language")) {
        continue;
      }
      const Json& x = At(a, key);
      const Json& y = At(b, key);
      const bool text = IsText(owner, key);
      if (m_comparison.languages && IsTranslated(owner, key)) {
        std::vector<std::string> sub = path;
        sub.push_back(Segment(key));
        if (owner == ArrayKind::kItems && key == "label") {
          Translation(sub, WithoutLegend(a, x), WithoutLegend(b, y));
        } else {
          Translation(sub, x, y);
        }
        continue;
      }
      // Between languages equal records still hold texts to look at.
      if (x == y && !(m_comparison.languages && x.is_structured())) continue;
      const ArrayKind kind = KindOf(owner, key);
      std::vector<std::string> sub = path;
      if (x.is_array() && y.is_array()) {
        // Named elements say what they are ("display disBasic", "item 3 (varPVUnit)"); tree and menu
        // entries continue the segment of their list ("tree menuSetupRoot/menuBasic").
        const bool nested = kind == owner && key == "children";
        if (kind == ArrayKind::kPlain || (!nested && (kind == ArrayKind::kTree || kind == ArrayKind::kMenu))) {
          sub.push_back(Segment(key));
        }
        Arrays(x, y, sub, kind, nested, Segment(key));
        continue;
      }
      sub.push_back(Segment(key));
      if (x.is_object() && y.is_object()) {
        Objects(x, y, sub, kind);
      } else if (x.is_null()) {
        Note(sub, "added", x, y);
      } else if (y.is_null()) {
        Note(sub, "removed", x, y);
      } else {
        Note(sub, "changed", x, y, text);
      }
    }
  }

  // The readable name of one element, without telling equal siblings apart.
  static std::string ElementName(ArrayKind kind, const Json& e, size_t index) {
    switch (kind) {
      case ArrayKind::kLanguages:
        return "language " + Text(e, "id");
      case ArrayKind::kModules:
        return "module " + Text(e, "id");
      case ArrayKind::kDisplays:
        return "display " + Text(e, "id");
      case ArrayKind::kParameters:
        return Text(e, "kind") + " " + Text(e, "id");
      case ArrayKind::kHeader:
        return "header " + Text(e, "mode") + " " + Text(e, "place");
      case ArrayKind::kVariants:
        return "variant " + Text(e, "key");
      case ArrayKind::kEnumItems: {
        const std::string condition = Text(e, "ddString");
        return "enum " + Text(e, "value") + (condition.empty() ? "" : " " + condition);
      }
      case ArrayKind::kItems:
      case ArrayKind::kToolbar: {
        std::string name;
        for (const char* key : {"reference", "labelRef", "id", "command", "control", "type"}) {
          name = Text(e, key);
          if (!name.empty()) break;
        }
        return "item " + std::to_string(index + 1) + (name.empty() ? "" : " (" + name + ")");
      }
      case ArrayKind::kTree:
        return Text(e, "reference");
      case ArrayKind::kMenu:
        for (const char* key : {"menuId", "command", "label", "type"}) {
          std::string name = Text(e, key);
          if (!name.empty()) return name;
        }
        return "?";
      default:
        return "#" + std::to_string(index + 1);
    }
  }

  // The names of all elements of list; a tree or menu entry whose name an earlier sibling has
  // gets its occurrence ("varTag#2").
  static std::vector<std::string> ElementNames(ArrayKind kind, const Json& list) {
    std::vector<std::string> names;
    std::map<std::string, size_t> occurrences;
    for (size_t i = 0; i < list.size(); ++i) {
      std::string name = ElementName(kind, list[i], i);
      if (kind == ArrayKind::kTree || kind == ArrayKind::kMenu) {
        const size_t occurrence = ++occurrences[name];
        if (occurrence > 1) name += "#" + std::to_string(occurrence);
      }
      names.push_back(std::move(name));
    }
    return names;
  }

  // Tree and menu entries form one segment: "tree menuSetupRoot/menuBasic/varPVUnit".
  static std::vector<std::string> ElementPath(std::vector<std::string> path, ArrayKind kind, bool nested,
                                              const std::string& name) {
    if ((kind == ArrayKind::kTree || kind == ArrayKind::kMenu) && !path.empty()) {
      path.back() += (nested ? "/" : " ") + name;
      return path;
    }
    path.push_back(name);
    return path;
  }

  void Arrays(const Json& a, const Json& b, const std::vector<std::string>& path, ArrayKind kind, bool nested,
              const std::string& listName = {}) {
    const std::vector<std::string> namesA = ElementNames(kind, a), namesB = ElementNames(kind, b);
    Alignment pairs;
    if (Keyed(kind)) {
      std::map<std::string, long> inAfter;
      for (size_t j = 0; j < b.size(); ++j) inAfter.emplace(IdentityKey(kind, b[j]), static_cast<long>(j));
      std::vector<bool> matched(b.size(), false);
      for (size_t i = 0; i < a.size(); ++i) {
        const auto it = inAfter.find(IdentityKey(kind, a[i]));
        const long j = it == inAfter.end() || matched[it->second] ? -1 : it->second;
        if (j >= 0) matched[j] = true;
        pairs.emplace_back(static_cast<long>(i), j);
      }
      for (size_t j = 0; j < b.size(); ++j) {
        if (!matched[j]) pairs.emplace_back(-1, static_cast<long>(j));
      }
      std::vector<std::string> orderPath = path;
      orderPath.push_back(listName + " order");
      NoteOrder(orderPath, pairs, namesA, namesB);
    } else {
      std::vector<std::string> keysA, keysB;
      for (const Json& e : a) keysA.push_back(SequenceKey(kind, e));
      for (const Json& e : b) keysB.push_back(SequenceKey(kind, e));
      pairs = Align(keysA, keysB);
    }
    for (const auto& [i, j] : pairs) {
      // A matched entry keeps the name it had, even when its label changed.
      auto sub = [&] { return ElementPath(path, kind, nested, i >= 0 ? namesA[i] : namesB[j]); };
      if (i < 0) {
        Note(sub(), Added(kind, b[j]), nullptr, b[j]);
      } else if (j < 0) {
        Note(sub(), Removed(kind, a[i]), a[i], nullptr);
      } else if (a[i].is_object() && b[j].is_object()) {
        if (a[i] == b[j] && !m_comparison.languages) continue;
        // A record still used whose declaration went (or came) differs in every member; that is one change.
        if (const char* declaration = Declaration(kind, a[i], b[j])) {
          Note(sub(), declaration, a[i], b[j]);
        } else {
          Objects(a[i], b[j], sub(), kind);
        }
      } else if (a[i] != b[j]) {
        Note(sub(), "changed", a[i], b[j]);
      }
    }
  }

  // Records matched by identifier whose order changed: the order is what the host shows (tab order).
  void NoteOrder(const std::vector<std::string>& path, const Alignment& pairs, const std::vector<std::string>& namesA,
                 const std::vector<std::string>& namesB) {
    std::vector<std::pair<long, long>> matched;
    for (const auto& [i, j] : pairs) {
      if (i >= 0 && j >= 0) matched.emplace_back(i, j);
    }
    if (std::is_sorted(matched.begin(), matched.end(),
                       [](const auto& x, const auto& y) { return x.second < y.second; })) {
      return;
    }
    Json orderA = Json::array(), orderB = Json::array();
    for (const auto& [i, j] : matched) orderA.push_back(namesA[i]);
    std::sort(matched.begin(), matched.end(), [](const auto& x, const auto& y) { return x.second < y.second; });
    for (const auto& [i, j] : matched) orderB.push_back(namesB[j]);
    Note(path, "changed", orderA, orderB);
  }

  // Parameters and displays are declared once and used from trees and displays; the other side's
  // declarations tell a new use from a new declaration, and an unused one from a removed one.
  static const char* UsageArea(ArrayKind kind) {
    if (kind == ArrayKind::kParameters) return "parameters";
    if (kind == ArrayKind::kDisplays) return "displays";
    return nullptr;
  }

  const char* Added(ArrayKind kind, const Json& record) const {
    const char* area = UsageArea(kind);
    const Comparison& c = m_comparison;
    if (area == nullptr || !c.beforeDeclares || !c.afterDeclares || !c.afterDeclares(area, record)) return "added";
    return c.beforeDeclares(area, record) ? "newlyUsed" : "declared";
  }

  const char* Removed(ArrayKind kind, const Json& record) const {
    const char* area = UsageArea(kind);
    const Comparison& c = m_comparison;
    if (area == nullptr || !c.beforeDeclares || !c.afterDeclares || !c.beforeDeclares(area, record)) return "removed";
    return c.afterDeclares(area, record) ? "noLongerUsed" : "removed";
  }

  // "undeclared" or "declared" for a record both sides use but only one declares; null otherwise.
  const char* Declaration(ArrayKind kind, const Json& a, const Json& b) const {
    const char* area = UsageArea(kind);
    const Comparison& c = m_comparison;
    if (area == nullptr || !c.beforeDeclares || !c.afterDeclares || a == b) return nullptr;
    const bool before = c.beforeDeclares(area, a), after = c.afterDeclares(area, b);
    if (before == after) return nullptr;
    return before ? "undeclared" : "declared";
  }

  void Note(const std::vector<std::string>& path, const char* kind, const Json& a, const Json& b, bool text = false) {
    std::string joined;
    for (const std::string& segment : path) joined += (joined.empty() ? "" : ": ") + segment;
    Change change;
    change.area = m_area;
    change.path = std::move(joined);
    change.kind = kind;
    change.before = a;
    change.after = b;
    change.text = text;
    m_changes.push_back(std::move(change));
  }

  std::vector<Change>& m_changes;
  const Comparison& m_comparison;
  std::string m_area;
};

}  // namespace

std::vector<Change> CompareDevices(const Json& before, const Json& after, const Comparison& comparison) {
  std::vector<Change> changes;
  Comparer(changes, comparison).Devices(before, after);
  return changes;
}

std::vector<Change> MergeTextChanges(std::vector<Change> changes) {
  std::vector<Change> merged;
  std::map<std::string, size_t> first;  // the text change and its language: its place in merged
  for (Change& change : changes) {
    if (change.text) {
      const std::string key =
          change.kind + '\n' + change.language + '\n' + Dump(change.before) + '\n' + Dump(change.after);
      const auto [at, isFirst] = first.try_emplace(key, merged.size());
      if (!isFirst) {
        merged[at->second].alsoAt.push_back(std::move(change.path));
        continue;
      }
    }
    merged.push_back(std::move(change));
  }
  return merged;
}

namespace {

// What a record reached on one side only, or a text between languages, is called in a line.
std::string KindWords(const std::string& kind) {
  if (kind == "newlyUsed") return "newly used";
  if (kind == "noLongerUsed") return "no longer used";
  if (kind == "undeclared") return "no longer declared, still used";
  return kind;
}

bool Adds(const std::string& kind) { return kind == "added" || kind == "declared" || kind == "newlyUsed"; }
bool Drops(const std::string& kind) { return kind == "removed" || kind == "noLongerUsed"; }

}  // namespace

std::string ChangeLine(const Change& change) {
  std::string line = change.language.empty() ? "" : "[" + change.language + "] ";
  line += change.path;
  auto scalar = [](const Json& value) { return !value.is_object() && !value.is_array(); };
  if (change.kind == "changed") {
    const Json& a = change.before;
    const Json& b = change.after;
    const bool bare = (!a.is_string() || Bare(a.get<std::string>())) && (!b.is_string() || Bare(b.get<std::string>()));
    auto render = [bare](const Json& value) {
      if (value.is_array()) {
        std::string list;
        for (const Json& entry : value)
          list += (list.empty() ? "" : ", ") + (entry.is_string() ? entry.get<std::string>() : Dump(entry));
        return "[" + list + "]";
      }
      return bare && value.is_string() ? value.get<std::string>() : Dump(value);
    };
    line += " " + render(a) + " -> " + render(b);
  } else if (change.kind == "untranslated") {
    line += " untranslated " + Dump(change.before);
  } else if (change.kind == "missing") {
    line += " missing (" + change.oldLanguage + ": " + Dump(change.before) + ")";
  } else {
    const Json& value = Adds(change.kind) ? change.after : change.before;
    line += " " + KindWords(change.kind);
    if (scalar(value))
      line += " " + (value.is_string() && Bare(value.get<std::string>()) ? value.get<std::string>() : Dump(value));
  }
  if (!change.alsoAt.empty()) {
    std::string places;
    for (const std::string& place : change.alsoAt) places += (places.empty() ? "" : "; ") + place;
    line += " (also at " + places + ")";
  }
  return line;
}

Json ChangeJson(const Change& change) {
  Json json{{"path", change.path}, {"kind", change.kind}};
  if (!Adds(change.kind)) json["old"] = change.before;
  if (!Drops(change.kind)) json["new"] = change.after;
  if (!change.language.empty()) json["language"] = change.language;
  if (!change.oldLanguage.empty()) json["oldLanguage"] = change.oldLanguage;
  if (!change.alsoAt.empty()) json["alsoAt"] = change.alsoAt;
  return json;
}

}  // namespace inspect
