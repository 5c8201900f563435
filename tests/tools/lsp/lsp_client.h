// Drives `k42gui-inspect lsp` as an editor does: framed messages in through a pipe, framed replies back.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace lsp_test {

// A copy of the demo device in a fresh directory tree, laid out as in the source tree (the schemas two
// levels above), so that the server's hidden copies and the test's edits never touch the sources.
struct DemoCopy {
  DemoCopy();
  ~DemoCopy();
  std::string root, gui, loc;  // paths
  std::string guiUri, locUri;
  std::string guiText, locText;  // as saved
};

std::string Framed(const nlohmann::json& message);
nlohmann::json RequestMessage(int id, const std::string& method, nlohmann::json params);
nlohmann::json NotificationMessage(const std::string& method, nlohmann::json params);
nlohmann::json Initialize(int id);
nlohmann::json DidOpen(const std::string& uri, const std::string& text);
nlohmann::json AtPosition(int id, const std::string& method, const std::string& uri, unsigned line, unsigned character);
// shutdown (id 999) and exit.
std::string Ending();

struct Served {
  int exitCode = -1;
  std::vector<nlohmann::json> messages;
  const nlohmann::json* Reply(int id) const;  // nullptr when there is none
  // The last diagnostics published for uri (null when none were).
  nlohmann::json Diagnostics(const std::string& uri) const;
};

// Runs the server (with options, e.g. "--root DIR") with input on its standard input and reads every message
// it writes.
Served Serve(const std::string& input, const std::string& options = "");

// The 0-based line of the first line holding needle, and the UTF-16 column of needle (plus shift) in it.
struct Place {
  unsigned line = 0, character = 0;
};
Place Find(const std::string& text, const std::string& needle, size_t shift = 0);

}  // namespace lsp_test
