// Fuzzes the language server: each input is a session of messages from an editor, run by a server that
// may check (and write hidden copies beside) only the files of its own input directory.
//
// An input is either the raw bytes of the server's standard input (when it starts with "Content-Length"),
// for the framing, or message bodies separated by blank lines, framed here so that mutations of a body keep
// its frame; in those, "$DIR" stands for the input directory, where the demo device lies as device.xml and
// device_loc.xml.
#include <filesystem>
#include <sstream>
#include <string>

#include <k42gui/winuser.h>

#include "fuzz_input.h"
#include "inspect/lsp/server.h"

namespace {

int SilentBox(HWND, LPCWSTR, LPCWSTR, UINT, void*) { return IDOK; }

std::string WithDirectory(std::string text) {
  static const std::string directory = k42fuzz::DeviceDirectory().substr(0, k42fuzz::DeviceDirectory().size() - 1);
  for (size_t at = text.find("$DIR"); at != std::string::npos; at = text.find("$DIR", at + directory.size()))
    text.replace(at, 4, directory);
  return text;
}

std::string Framed(const std::string& input) {
  std::string framed;
  for (size_t at = 0; at < input.size();) {
    size_t end = input.find("\n\n", at);
    if (end == std::string::npos) end = input.size();
    const std::string body = input.substr(at, end - at);
    framed += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    at = end + 2;
  }
  return framed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  K42SetMessageBoxHandler(&SilentBox, nullptr);
  static const bool device = [] {
    const std::filesystem::path demo = std::filesystem::path(K42GUI_SOURCE_DIR) / "examples/demo";
    for (const char* file : {"demo.xml", "demo_loc.xml"}) {
      std::filesystem::copy_file(demo / file, k42fuzz::DeviceDirectory() + "device" + std::string(file + 4),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    return true;
  }();
  (void)device;

  const std::string input(reinterpret_cast<const char*>(data), size);
  std::istringstream in(input.rfind("Content-Length", 0) == 0 ? input : Framed(WithDirectory(input)));
  std::ostringstream out;
  lsp::ServerOptions options;
  options.confinedTo = k42fuzz::DeviceDirectory();
  lsp::Server server(options);
  server.Run(in, out);
  return 0;
}
