// The test's editor: frames messages, runs the server on them and splits its output into messages again.
#include "lsp_client.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <random>

#include "../inspect_runner.h"
#include "support/test_paths.h"

namespace lsp_test {

namespace fs = std::filesystem;
using nlohmann::json;

DemoCopy::DemoCopy() {
  std::mt19937_64 random{std::random_device{}()};
  root = (fs::temp_directory_path() / ("k42lsp-" + std::to_string(random()))).string();
  const fs::path source(K42GUI_SOURCE_DIR);
  fs::create_directories(fs::path(root) / "examples");
  fs::copy(source / "schemas", fs::path(root) / "schemas", fs::copy_options::recursive);
  fs::copy(source / "examples/demo", fs::path(root) / "examples/demo", fs::copy_options::recursive);
  gui = root + "/examples/demo/demo.xml";
  loc = root + "/examples/demo/demo_loc.xml";
  guiUri = "file://" + gui;
  locUri = "file://" + loc;
  guiText = inspect_test::ReadFile(gui);
  locText = inspect_test::ReadFile(loc);
}

DemoCopy::~DemoCopy() {
  std::error_code ignored;
  fs::remove_all(root, ignored);
}

std::string Framed(const json& message) {
  const std::string body = message.dump();
  return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

json RequestMessage(int id, const std::string& method, json params) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}};
}

json NotificationMessage(const std::string& method, json params) {
  return {{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}};
}

json Initialize(int id) {
  return RequestMessage(id, "initialize", {{"processId", nullptr}, {"capabilities", json::object()}});
}

json DidOpen(const std::string& uri, const std::string& text) {
  return NotificationMessage("textDocument/didOpen",
                             {{"textDocument", {{"uri", uri}, {"languageId", "xml"}, {"version", 1}, {"text", text}}}});
}

json AtPosition(int id, const std::string& method, const std::string& uri, unsigned line, unsigned character) {
  return RequestMessage(id, method,
                        {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}});
}

std::string Ending() {
  return Framed(RequestMessage(999, "shutdown", nullptr)) + Framed(NotificationMessage("exit", nullptr));
}

const json* Served::Reply(int id) const {
  for (const json& message : messages) {
    if (message.contains("id") && message["id"] == id && !message.contains("method")) return &message;
  }
  return nullptr;
}

json Served::Diagnostics(const std::string& uri) const {
  json found;
  for (const json& message : messages) {
    if (message.value("method", "") == "textDocument/publishDiagnostics" && message["params"]["uri"] == uri)
      found = message["params"]["diagnostics"];
  }
  return found;
}

Served Serve(const std::string& input, const std::string& options) {
  const std::string in = k42test::WriteTempFile("lsp-input.txt", input);
  const std::string command = std::string(K42GUI_INSPECT_PATH) + " lsp " + options + " < " + inspect_test::Quote(in);
  Served served;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return served;
  std::string out;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  served.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  // Every message is "Content-Length: N\r\n\r\n" and N bytes of JSON.
  size_t at = 0;
  while (at < out.size()) {
    const size_t header = out.find("Content-Length: ", at);
    const size_t body = out.find("\r\n\r\n", at);
    if (header != at || body == std::string::npos) {
      served.messages.push_back({{"unframed", out.substr(at)}});
      break;
    }
    const size_t length = std::stoul(out.substr(header + 16, body - header - 16));
    served.messages.push_back(json::parse(out.substr(body + 4, length)));
    at = body + 4 + length;
  }
  return served;
}

Place Find(const std::string& text, const std::string& needle, size_t shift) {
  const size_t at = text.find(needle);
  if (at == std::string::npos) return {~0U, ~0U};
  Place place;
  size_t lineStart = 0;
  for (size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++place.line;
      lineStart = i + 1;
    }
  }
  // UTF-16 code units: one per character, two for a four-byte sequence.
  for (size_t i = lineStart; i < at + shift; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) != 0x80) place.character += byte >= 0xF0 ? 2 : 1;
  }
  return place;
}

}  // namespace lsp_test
