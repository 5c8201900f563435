// The server's message loop and its methods: the document store, the checks as the author types, and
// definition, references, rename, hover, completion and the symbol outline over both device files.
#include "inspect/lsp/server.h"

#include <algorithm>
#include <filesystem>
#include <functional>

#include <k42gui/DeviceFiles.h>

#include "inspect/lsp/document_symbols.h"
#include "inspect/lsp/framing.h"
#include "inspect/lsp/text_position.h"
#include "inspect/lsp/unsaved_check.h"

namespace lsp {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// JSON-RPC and protocol error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

// Thrown by a method for an error reply of its own.
struct RequestError {
  int code;
  std::string message;
};

// The suffix that names a GUI XML file's localized file, as the inspector's default pairs them.
constexpr std::string_view kLocSuffix = "_loc";

// The GUI XML file and the localized file of the device that path belongs to.
std::pair<std::string, std::string> PairOf(const std::string& path) {
  const fs::path file(path);
  const std::string stem = file.stem().string();
  const std::string extension = file.extension().string();
  if (stem.size() > kLocSuffix.size() && stem.ends_with(kLocSuffix)) {
    const std::string guiStem = stem.substr(0, stem.size() - kLocSuffix.size());
    return {(file.parent_path() / (guiStem + extension)).string(), path};
  }
  return {path, (file.parent_path() / (stem + std::string(kLocSuffix) + extension)).string()};
}

json RangeIn(const LineIndex& lines, size_t begin, size_t end) {
  const TextPosition from = lines.Position(begin), to = lines.Position(end);
  return {{"start", {{"line", from.line}, {"character", from.character}}},
          {"end", {{"line", to.line}, {"character", to.character}}}};
}

bool IsTokenByte(char c) {
  return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '"' && c != '\'' && c != '<' && c != '>' && c != '=';
}

std::string PathParam(const json& params) {
  const std::string path = UriToPath(params.at("textDocument").at("uri").get<std::string>());
  if (path.empty()) throw RequestError{kInvalidParams, "only file: URIs are served"};
  return path;
}

TextPosition PositionParam(const json& params) {
  const json& position = params.at("position");
  const auto line = position.at("line").get<int64_t>();
  const auto character = position.at("character").get<int64_t>();
  if (line < 0 || character < 0 || line > UINT32_MAX || character > UINT32_MAX)
    throw RequestError{kInvalidParams, "a position has a negative or too large line or character"};
  return {static_cast<unsigned>(line), static_cast<unsigned>(character)};
}

std::string Markdown(const std::string& kind, const std::string& identifier) {
  return "**" + kind + "** `" + identifier + "`";
}

std::string DescribeTexts(const std::vector<LanguageTexts>& languages) {
  if (languages.empty()) return "\n\nNo localized texts.";
  std::string lines = "\n";
  for (const LanguageTexts& texts : languages) {
    std::string line = "\n- **" + texts.language + "**: ";
    if (!texts.found) {
      lines += line + "no text";
      continue;
    }
    std::vector<std::string> parts;
    if (!texts.label.empty()) parts.push_back(texts.label);
    for (const auto& [key, label] : texts.variants) parts.push_back("*" + key + "*: " + label);
    if (!texts.tooltip.empty()) parts.push_back("tooltip: " + texts.tooltip);
    if (!texts.helpTopic.empty()) parts.push_back("help topic: " + texts.helpTopic);
    if (parts.empty()) parts.push_back("no label");
    for (size_t i = 0; i < parts.size(); ++i) line += (i == 0 ? "" : " — ") + parts[i];
    lines += line;
  }
  return lines;
}

}  // namespace

int Server::Run(std::istream& in, std::ostream& out) {
  m_out = &out;
  while (!m_exit) {
    Frame frame = ReadFrame(in);
    if (frame.status == FrameStatus::kEnd) break;
    if (frame.status == FrameStatus::kNoLength) {
      SendError(nullptr, kParseError, "a message without a Content-Length header");
    } else if (frame.status == FrameStatus::kTooLarge) {
      SendError(nullptr, kInvalidRequest,
                "a message larger than " + std::to_string(kMaxBody >> 20) + " MiB was skipped");
    } else {
      Handle(frame.body);
    }
  }
  return m_shutdown ? 0 : 1;
}

void Server::Handle(const std::string& body) {
  json message = json::parse(body, nullptr, false);
  if (message.is_discarded()) {
    SendError(nullptr, kParseError, "the message is not JSON");
    return;
  }
  const json id = message.is_object() && message.contains("id") ? message["id"] : json();
  if (!message.is_object() || !message.contains("method") || !message["method"].is_string()) {
    // A reply to a request of ours (we send none) is passed over; anything else is no request at all.
    if (message.is_object() && message.contains("id") && (message.contains("result") || message.contains("error")))
      return;
    SendError(id, kInvalidRequest, "a request needs a method name");
    return;
  }
  if (!id.is_null() && !id.is_string() && !id.is_number_integer()) {
    SendError(nullptr, kInvalidRequest, "a request's id is a number or a string");
    return;
  }
  Dispatch(message);
}

void Server::Dispatch(const json& message) {
  const std::string method = message["method"].get<std::string>();
  const json params = message.contains("params") ? message["params"] : json::object();
  const bool isRequest = message.contains("id");
  const json id = isRequest ? message["id"] : json();
  try {
    if (!isRequest) {
      Notification(method, params);
      return;
    }
    if (!m_initialized && method != "initialize")
      throw RequestError{kServerNotInitialized, "the server is not initialized"};
    if (m_shutdown) throw RequestError{kInvalidRequest, "the server has been shut down"};
    Send({{"jsonrpc", "2.0"}, {"id", id}, {"result", Request(method, params)}});
  } catch (const RequestError& error) {
    if (isRequest) SendError(id, error.code, error.message);
  } catch (const json::exception& error) {
    // Missing or mistyped parameters.
    if (isRequest) SendError(id, kInvalidParams, std::string("invalid parameters: ") + error.what());
  } catch (const std::exception& error) {
    // Out of memory or the file system failing: this request fails, the server goes on.
    if (isRequest) SendError(id, kInternalError, error.what());
  }
}

json Server::Request(const std::string& method, const json& params) {
  if (method == "initialize") return Initialize(params);
  if (method == "shutdown") {
    m_shutdown = true;
    return nullptr;
  }
  if (method == "textDocument/definition") return Definition(params);
  if (method == "textDocument/hover") return Hover(params);
  if (method == "textDocument/completion") return Completion(params);
  if (method == "textDocument/references") return References(params);
  if (method == "textDocument/rename") return Rename(params);
  if (method == "textDocument/documentSymbol") return Symbols(params);
  throw RequestError{kMethodNotFound, "unknown method '" + method + "'"};
}

void Server::Notification(const std::string& method, const json& params) {
  if (method == "exit") {
    m_exit = true;
    return;
  }
  if (!m_initialized || m_shutdown) return;
  if (method == "textDocument/didOpen") {
    const json& document = params.at("textDocument");
    const std::string path = UriToPath(document.at("uri").get<std::string>());
    if (path.empty() || !MayCheck(path)) return;
    m_documents[path] = {document.at("uri").get<std::string>(), document.at("text").get<std::string>()};
    Recheck(path);
  } else if (method == "textDocument/didChange") {
    const std::string path = PathParam(params);
    const auto found = m_documents.find(path);
    if (found == m_documents.end()) return;
    // Full synchronization is asked for; a client that sends ranges anyway has them applied in order.
    std::string text = found->second.text;
    for (const json& change : params.at("contentChanges")) {
      if (!change.contains("range")) {
        text = change.at("text").get<std::string>();
        continue;
      }
      const LineIndex lines(text);
      const json& range = change.at("range");
      const size_t begin = lines.Offset(
          {range.at("start").at("line").get<unsigned>(), range.at("start").at("character").get<unsigned>()});
      const size_t end =
          lines.Offset({range.at("end").at("line").get<unsigned>(), range.at("end").at("character").get<unsigned>()});
      if (end < begin) throw RequestError{kInvalidParams, "a change ends before it starts"};
      text.replace(begin, end - begin, change.at("text").get<std::string>());
    }
    found->second.text = std::move(text);
    Recheck(path);
  } else if (method == "textDocument/didSave") {
    Recheck(PathParam(params));
  } else if (method == "textDocument/didClose") {
    const std::string path = PathParam(params);
    m_documents.erase(path);
    Recheck(path);  // the saved file is what counts now
  }
}

json Server::Initialize(const json& params) {
  if (m_initialized) throw RequestError{kInvalidRequest, "the server is already initialized"};
  if (params.contains("initializationOptions") && params["initializationOptions"].is_object()) {
    const json& options = params["initializationOptions"];
    if (options.contains("language")) m_options.language = options["language"].get<std::string>();
    if (options.contains("functionId")) m_options.functionId = options["functionId"].get<int32_t>();
  }
  m_initialized = true;
  return {{"capabilities",
           {{"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", {{"includeText", false}}}}},
            {"definitionProvider", true},
            {"hoverProvider", true},
            {"referencesProvider", true},
            {"renameProvider", true},
            {"documentSymbolProvider", true},
            {"completionProvider", {{"triggerCharacters", json::array({"\"", "'"})}}}}},
          {"serverInfo", {{"name", "k42gui-inspect lsp"}, {"version", K42GUI_VERSION}}}};
}

std::string Server::TextOf(const std::string& path) const {
  const auto found = m_documents.find(path);
  if (found != m_documents.end()) return found->second.text;
  return k42gui::ReadRegularFile(path, kMaxBody).bytes;  // empty when missing or not a regular file
}

std::string Server::UriOf(const std::string& path) const {
  const auto found = m_documents.find(path);
  return found != m_documents.end() ? found->second.uri : PathToUri(path);
}

std::shared_ptr<const DeviceView> Server::ViewOf(const std::string& path, Side& side) const {
  auto view = std::make_shared<DeviceView>();
  std::tie(view->guiPath, view->locPath) = PairOf(path);
  side = path == view->guiPath ? Side::kGuiXml : Side::kLocalized;
  view->guiText = TextOf(view->guiPath);
  view->locText = TextOf(view->locPath);
  // Reading the texts again is cheap beside outlining them: an unchanged device keeps its outlines.
  std::shared_ptr<const DeviceView>& last = m_views[view->guiPath];
  if (last != nullptr && last->locPath == view->locPath && last->guiText == view->guiText &&
      last->locText == view->locText)
    return last;
  view->gui = ReadOutline(view->guiText);
  view->loc = ReadOutline(view->locText);
  last = view;
  return last;
}

json Server::Range(const std::string& path, size_t begin, size_t end) const {
  const std::string text = TextOf(path);
  return RangeIn(LineIndex(text), begin, end);
}

bool Server::MayCheck(const std::string& path) const {
  if (m_options.confinedTo.empty()) return true;
  // Compared by path elements after ".." and "." are resolved in the text, so that "dir/../x" is not in dir.
  fs::path root = fs::path(m_options.confinedTo).lexically_normal();
  if (!root.has_filename()) root = root.parent_path();  // written with a final separator
  const fs::path file = fs::path(path).lexically_normal();
  const auto [inRoot, inFile] = std::mismatch(root.begin(), root.end(), file.begin(), file.end());
  return inRoot == root.end() && inFile != file.end();
}

void Server::Recheck(const std::string& path) {
  if (!MayCheck(path)) return;
  UnsavedDevice device;
  std::tie(device.guiPath, device.locPath) = PairOf(path);
  device.language = m_options.language;
  device.functionId = m_options.functionId;
  for (auto [file, text] : {std::pair{device.guiPath, &device.guiText}, std::pair{device.locPath, &device.locText}}) {
    const auto found = m_documents.find(file);
    if (found != m_documents.end() && found->second.text != k42gui::ReadRegularFile(file, kMaxBody).bytes)
      *text = found->second.text;
  }
  UnsavedCheck check = CheckUnsaved(device);
  std::set<std::string>& published = m_published[device.guiPath];
  std::set<std::string> files = published;
  files.insert(device.guiPath);
  if (!device.locPath.empty()) files.insert(device.locPath);
  for (const auto& [file, findings] : check.findings) files.insert(file);
  published.clear();
  for (const std::string& file : files) {
    const std::string text = TextOf(file);
    const LineIndex lines(text);
    json diagnostics = json::array();
    if (!check.note.empty() &&
        ((file == device.guiPath && device.guiText) || (file == device.locPath && device.locText))) {
      diagnostics.push_back(
          {{"range", RangeIn(lines, 0, 0)}, {"severity", 3}, {"source", "k42gui"}, {"message", check.note}});
    }
    const auto found = check.findings.find(file);
    for (const k42gui::Finding& finding :
         found == check.findings.end() ? std::vector<k42gui::Finding>() : found->second) {
      size_t begin = 0, end = 0;
      if (finding.line > 0) {
        begin = lines.Offset({finding.line - 1, finding.column > 0 ? finding.column - 1 : 0});
        end = begin;
        while (end < text.size() && IsTokenByte(text[end])) ++end;
        if (end == begin && end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
      }
      diagnostics.push_back({{"range", RangeIn(lines, begin, end)},
                             {"severity", finding.severity == k42gui::Severity::kError ? 1 : 2},
                             {"source", "k42gui"},
                             {"code", finding.rule},
                             {"message", finding.message}});
    }
    if (!diagnostics.empty()) published.insert(file);
    Send({{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", UriOf(file)}, {"diagnostics", diagnostics}}}});
  }
}

Server::Place Server::PlaceOf(const json& params) const {
  Place place;
  place.path = PathParam(params);
  place.view = ViewOf(place.path, place.side);
  place.offset = OffsetAt(place.view->Text(place.side), PositionParam(params));
  place.symbol = SymbolAt(*place.view, place.side, place.offset);
  return place;
}

json Server::Definition(const json& params) {
  const Place place = PlaceOf(params);
  const DeviceView& view = *place.view;
  const std::optional<Symbol>& symbol = place.symbol;
  if (!symbol) return nullptr;
  if (symbol->isFile) {
    const fs::path file = fs::path(view.guiPath).parent_path() / symbol->identifier;
    std::error_code error;
    if (symbol->identifier.empty() || !fs::is_regular_file(file, error)) return nullptr;
    return {{"uri", PathToUri(file.string())}, {"range", Range("", 0, 0)}};
  }
  const std::vector<Declared> declared = DeclarationsOf(view, *symbol, symbol->identifier);
  if (symbol->identifier.empty() || declared.empty()) return nullptr;
  return {{"uri", UriOf(view.guiPath)}, {"range", Range(view.guiPath, declared[0].valueBegin, declared[0].valueEnd)}};
}

json Server::Hover(const json& params) {
  const Place place = PlaceOf(params);
  const DeviceView& view = *place.view;
  const std::optional<Symbol>& symbol = place.symbol;
  if (!symbol || symbol->isFile) return nullptr;
  std::string value;
  if (!symbol->keywords.empty() && symbol->declaredBy.empty()) {
    value = "**keyword**, one of:";
    for (size_t i = 0; i < symbol->keywords.size(); ++i) value += (i == 0 ? " `" : ", `") + symbol->keywords[i] + "`";
  } else if (symbol->declaredBy.empty()) {
    value = Markdown(symbol->what, symbol->identifier);
  } else {
    const std::vector<Declared> declared = DeclarationsOf(view, *symbol, symbol->identifier);
    if (declared.empty()) {
      value = Markdown(symbol->what, symbol->identifier) + " is not declared";
    } else {
      value = Markdown(declared[0].kind, symbol->identifier) + DescribeTexts(TextsOf(view, declared[0]));
    }
  }
  return {{"contents", {{"kind", "markdown"}, {"value", value}}},
          {"range", Range(place.path, symbol->valueBegin, symbol->valueEnd)}};
}

json Server::Completion(const json& params) {
  const Place place = PlaceOf(params);
  const DeviceView& view = *place.view;
  const std::string& text = view.Text(place.side);
  const size_t offset = place.offset;
  const std::optional<Symbol>& symbol = place.symbol;
  json items = json::array();
  if (!symbol || symbol->isFile || symbol->isDeclaration) return {{"isIncomplete", false}, {"items", items}};
  // The typed part of the value is replaced, when it lies on the cursor's line.
  const TextPosition from = PositionAt(text, symbol->valueBegin), to = PositionAt(text, offset);
  const bool edit = from.line == to.line;
  const json range = RangeIn(LineIndex(text), symbol->valueBegin, offset);
  const auto add = [&](const std::string& label, const std::string& detail, int kind) {
    json item = {{"label", label}, {"detail", detail}, {"kind", kind}};
    if (edit) item["textEdit"] = {{"range", range}, {"newText", label}};
    items.push_back(std::move(item));
  };
  constexpr int kKeywordKind = 14, kReferenceKind = 18;
  for (const std::string& keyword : symbol->keywords) add(keyword, "keyword", kKeywordKind);
  std::set<std::string> seen;
  for (const Declared& declared : DeclarationsOf(view, *symbol, "")) {
    if (!declared.identifier.empty() && seen.insert(declared.identifier).second)
      add(declared.identifier, declared.kind, kReferenceKind);
  }
  return {{"isIncomplete", false}, {"items", items}};
}

std::vector<Server::Span> Server::PlacesNaming(const Place& place, bool withDeclaration) const {
  const DeviceView& view = *place.view;
  const std::optional<Symbol>& symbol = place.symbol;
  std::vector<Span> places;
  if (!symbol || symbol->isFile || symbol->declaredBy.empty() || symbol->identifier.empty()) return places;
  const std::vector<Declared> target = DeclarationsOf(view, *symbol, symbol->identifier);
  if (target.empty()) return places;
  // Every value of the identifier in either file that finds the same declaration: references in the GUI
  // XML file, texts in the localized file, and (when asked for) the declaration itself, not a later one
  // that it hides.
  for (const Side side : {Side::kGuiXml, Side::kLocalized}) {
    for (const OutlineElement& element : view.OutlineOf(side).elements) {
      for (const OutlineAttribute& attribute : element.attributes) {
        if (attribute.value != symbol->identifier) continue;
        const std::optional<Symbol> here = SymbolAt(view, side, attribute.valueBegin);
        if (!here || here->isFile || here->declaredBy.empty()) continue;
        if (here->isDeclaration && (!withDeclaration || here->valueBegin != target[0].valueBegin)) continue;
        const std::vector<Declared> found = DeclarationsOf(view, *here, here->identifier);
        if (found.empty() || found[0].element != target[0].element) continue;
        places.push_back({side, here->valueBegin, here->valueEnd});
      }
    }
  }
  return places;
}

json Server::Located(const DeviceView& view, const std::vector<Span>& spans) const {
  const LineIndex gui(view.guiText), loc(view.locText);
  json locations = json::array();
  for (const Span& span : spans) {
    const bool inGui = span.side == Side::kGuiXml;
    locations.push_back({{"uri", UriOf(inGui ? view.guiPath : view.locPath)},
                         {"range", RangeIn(inGui ? gui : loc, span.begin, span.end)}});
  }
  return locations;
}

json Server::References(const json& params) {
  const Place place = PlaceOf(params);
  const bool withDeclaration = params.contains("context") && params["context"].value("includeDeclaration", false);
  return Located(*place.view, PlacesNaming(place, withDeclaration));
}

json Server::Rename(const json& params) {
  const Place place = PlaceOf(params);
  const std::string name = params.at("newName").get<std::string>();
  // The name is written into attribute values as it stands.
  if (name.empty() || name.find_first_of(" \t\r\n<>&\"'") != std::string::npos)
    throw RequestError{kInvalidParams, "'" + name + "' cannot be an identifier: no blanks, quotes, <, > or &"};
  const std::vector<Span> places = PlacesNaming(place, true);
  if (places.empty()) throw RequestError{kInvalidRequest, "nothing declared here to rename"};
  const std::vector<Declared> taken = DeclarationsOf(*place.view, *place.symbol, name);
  if (!taken.empty() && name != place.symbol->identifier)
    throw RequestError{kInvalidRequest, "a " + taken[0].kind + " '" + name + "' is declared already"};
  json changes = json::object();
  for (const json& location : Located(*place.view, places))
    changes[location["uri"].get<std::string>()].push_back({{"range", location["range"]}, {"newText", name}});
  return {{"changes", changes}};
}

json Server::Symbols(const json& params) {
  const std::string path = PathParam(params);
  Side side = Side::kGuiXml;
  const std::shared_ptr<const DeviceView> shared = ViewOf(path, side);
  const DeviceView& view = *shared;
  const LineIndex lines(view.Text(side));
  const std::function<json(const DocumentSymbol&)> toJson = [&](const DocumentSymbol& symbol) {
    json children = json::array();
    for (const DocumentSymbol& child : symbol.children) children.push_back(toJson(child));
    return json{{"name", symbol.name},
                {"detail", symbol.detail},
                {"kind", symbol.kind},
                {"range", RangeIn(lines, symbol.begin, symbol.end)},
                {"selectionRange", RangeIn(lines, symbol.nameBegin, symbol.nameEnd)},
                {"children", children}};
  };
  json symbols = json::array();
  for (const DocumentSymbol& symbol : DocumentSymbols(view, side)) symbols.push_back(toJson(symbol));
  return symbols;
}

void Server::Send(const json& message) {
  // Texts of a file that is not UTF-8 are passed on with replacement characters rather than failing.
  WriteFrame(*m_out, message.dump(-1, ' ', false, json::error_handler_t::replace));
}

void Server::SendError(const json& id, int code, const std::string& message) {
  Send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

}  // namespace lsp
