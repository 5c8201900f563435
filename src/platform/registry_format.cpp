// Parser and writer of the registry-export text format.
#include "platform/registry_format.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/utf.h"

namespace k42::registry {
namespace {

constexpr DWORD kRegSz = 1;
constexpr DWORD kRegBinary = 3;
constexpr DWORD kRegDword = 4;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses 1 to `maxDigits` hex digits making up the whole text.
std::optional<DWORD> ParseHexNumber(std::string_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  DWORD value = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = (value << 4) | DWORD(digit);
  }
  return value;
}

// The file as UTF-8 text: a UTF-16LE file (with its byte-order mark) is converted.
std::string DecodeFile(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    std::u16string wide;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      wide += char16_t(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return utf::ToUtf8(wide);
  }
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return std::string(bytes);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Reads a quoted text starting at text[pos] == '"'; on success pos is just after the closing quote.
std::optional<std::u16string> ParseQuoted(std::string_view text, size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string content;
  for (size_t i = pos + 1; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return utf::ToUtf16(content);
    }
    if (c == '\\' && i + 1 < text.size()) {
      char next = text[i + 1];
      if (next == '\\' || next == '"') {
        content += next;
        ++i;
        continue;
      }
    }
    content += c;
  }
  return std::nullopt;
}

std::optional<std::vector<BYTE>> ParseHexBytes(std::string_view list) {
  std::vector<BYTE> bytes;
  list = Trim(list);
  if (list.empty()) return bytes;
  for (;;) {
    size_t comma = list.find(',');
    std::optional<DWORD> byte = ParseHexNumber(Trim(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<BYTE>(*byte));
    if (comma == std::string_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

std::vector<BYTE> StringBytes(const std::u16string& text) {
  std::vector<BYTE> bytes;
  bytes.reserve((text.size() + 1) * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<BYTE>(unit & 0xFF));
    bytes.push_back(static_cast<BYTE>(unit >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

// The data after '=': a quoted text, dword:, hex: or hex(type):.
std::optional<Value> ParseData(std::string_view data) {
  Value value;
  if (StartsWith(data, "\"")) {
    size_t pos = 0;
    std::optional<std::u16string> text = ParseQuoted(data, pos);
    if (!text || !Trim(data.substr(pos)).empty()) return std::nullopt;
    value.type = kRegSz;
    value.data = StringBytes(*text);
    return value;
  }
  if (StartsWith(data, "dword:")) {
    std::optional<DWORD> number = ParseHexNumber(Trim(data.substr(6)), 8);
    if (!number) return std::nullopt;
    value.type = kRegDword;
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<BYTE>(*number >> shift));
    return value;
  }
  if (StartsWith(data, "hex:")) {
    value.type = kRegBinary;
    data.remove_prefix(4);
  } else if (StartsWith(data, "hex(")) {
    size_t close = data.find("):");
    std::optional<DWORD> type =
        close == std::string_view::npos ? std::nullopt : ParseHexNumber(data.substr(4, close - 4), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    data.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::vector<BYTE>> bytes = ParseHexBytes(data);
  if (!bytes) return std::nullopt;
  value.data = std::move(*bytes);
  return value;
}

// A section header "[ROOT\key\...]": the key it names, created with its parents;
// nullptr when malformed.
Key* ParseSection(Hive& hive, std::string_view line) {
  if (line.size() < 2 || line.back() != ']') return nullptr;
  std::u16string path = utf::ToUtf16(line.substr(1, line.size() - 2));
  std::vector<std::u16string> names;
  for (size_t start = 0;;) {
    size_t end = path.find(u'\\', start);
    names.push_back(path.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
    if (names.back().empty()) return nullptr;
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  int root = RootFromName(names.front());
  if (root < 0 || names.size() - 1 > kMaxKeyDepth) return nullptr;
  Key* key = &hive.roots[root];
  for (size_t i = 1; i < names.size(); ++i) key = &key->EnsureChild(names[i]);
  return key;
}

// --- writing ---

void AppendEscaped(std::string& out, std::u16string_view text) {
  for (char c : utf::ToUtf8(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
}

std::u16string_view AsText(const std::vector<BYTE>& data, std::u16string& storage) {
  storage.clear();
  for (size_t i = 0; i + 1 < data.size(); i += 2) storage += char16_t(data[i] | (data[i + 1] << 8));
  return storage;
}

// Whether a REG_SZ value survives the quoted form unchanged.
bool IsPlainText(const std::vector<BYTE>& data) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  std::u16string storage;
  std::u16string_view text = AsText(data, storage);
  if (text.back() != 0) return false;
  text.remove_suffix(1);
  for (char16_t unit : text)
    if (unit == 0 || unit == u'\r' || unit == u'\n') return false;
  bool replaced = false;
  utf::ToUtf8(text, &replaced);
  return !replaced;
}

void AppendValue(std::string& out, const Value& value) {
  if (value.name.empty()) {
    out += '@';
  } else {
    out += '"';
    AppendEscaped(out, value.name);
    out += '"';
  }
  out += '=';
  char buffer[16];
  if (value.type == kRegSz && IsPlainText(value.data)) {
    std::u16string storage;
    std::u16string_view text = AsText(value.data, storage);
    out += '"';
    AppendEscaped(out, text.substr(0, text.size() - 1));
    out += '"';
  } else if (value.type == kRegDword && value.data.size() == 4) {
    DWORD number =
        DWORD(value.data[0]) | DWORD(value.data[1]) << 8 | DWORD(value.data[2]) << 16 | DWORD(value.data[3]) << 24;
    std::snprintf(buffer, sizeof buffer, "%08x", unsigned(number));
    out += "dword:";
    out += buffer;
  } else {
    if (value.type == kRegBinary) {
      out += "hex:";
    } else {
      std::snprintf(buffer, sizeof buffer, "hex(%x):", unsigned(value.type));
      out += buffer;
    }
    for (size_t i = 0; i < value.data.size(); ++i) {
      std::snprintf(buffer, sizeof buffer, i ? ",%02x" : "%02x", unsigned(value.data[i]));
      out += buffer;
    }
  }
  out += '\n';
}

void AppendKey(std::string& out, const std::string& path, const Key& key, bool isRoot) {
  if (!key.Values().empty() || (!isRoot && !key.HasChildren())) {
    out += '[';
    out += path;
    out += "]\n";
    for (const Value& value : key.Values()) AppendValue(out, value);
    out += '\n';
  }
  for (const auto& [folded, child] : key.Children())
    AppendKey(out, path + '\\' + utf::ToUtf8(child->Name()), *child, false);
}

}  // namespace

Hive ParseExport(std::string_view fileBytes) {
  Hive hive;
  std::string text = DecodeFile(fileBytes);
  std::vector<std::string_view> lines = SplitLines(text);
  Key* current = nullptr;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = Trim(lines[i]);
    if (line.empty() || line.front() == ';' || line == kExportHeader || line == "REGEDIT4") continue;
    if (line.front() == '[') {
      current = ParseSection(hive, line);
      continue;
    }
    if (line.front() != '"' && line.front() != '@') continue;

    std::u16string name;
    size_t pos = 1;
    if (line.front() == '"') {
      pos = 0;
      std::optional<std::u16string> quoted = ParseQuoted(line, pos);
      if (!quoted) continue;
      name = std::move(*quoted);
    }
    if (pos >= line.size() || line[pos] != '=') continue;
    std::string data(line.substr(pos + 1));
    // Hex data may go on over following lines, each but the last ending in '\'.
    if (StartsWith(data, "hex")) {
      while (!data.empty() && data.back() == '\\' && i + 1 < lines.size()) {
        data.pop_back();
        data += Trim(lines[++i]);
      }
    }
    std::optional<Value> value = ParseData(data);
    if (!value || !current) continue;
    value->name = std::move(name);
    current->SetValue(std::move(*value));
  }
  return hive;
}

std::string WriteExport(const Hive& hive) {
  std::string out(kExportHeader);
  out += "\n\n";
  for (int root = 0; root < kRootCount; ++root) AppendKey(out, utf::ToUtf8(RootName(root)), hive.roots[root], true);
  return out;
}

}  // namespace k42::registry
