// The language server: answers an editor's requests about the device files it has open, over one input
// and one output stream of framed JSON-RPC messages, on the calling thread.
#pragma once

#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "inspect/lsp/device_view.h"

namespace lsp {

struct ServerOptions {
  std::string language = "en";  // the language the checker reads texts in (initializationOptions may change it)
  long functionId = 1;
  // When not empty (`--root`): the only directory (with what lies below it) whose files the server takes
  // as documents and checks, and so the only place it writes its hidden copies of unsaved buffers. Files
  // elsewhere are still read for definitions, hovers and completions.
  std::string confinedTo;
};

class Server {
 public:
  explicit Server(ServerOptions options) : m_options(std::move(options)) {}

  // Serves until "exit" or the end of the input; the exit code: 0 after a shutdown request, else 1.
  int Run(std::istream& in, std::ostream& out);

 private:
  struct Document {
    std::string uri;
    std::string text;
  };
  // The place a position request names: its file, the device's view, the offset and what lies there.
  struct Place {
    std::string path;
    Side side = Side::kGuiXml;
    std::shared_ptr<const DeviceView> view;
    size_t offset = 0;
    std::optional<Symbol> symbol;
  };

  void Handle(const std::string& body);
  void Dispatch(const nlohmann::json& message);
  nlohmann::json Request(const std::string& method, const nlohmann::json& params);
  void Notification(const std::string& method, const nlohmann::json& params);
  void Send(const nlohmann::json& message);
  void SendError(const nlohmann::json& id, int code, const std::string& message);

  nlohmann::json Initialize(const nlohmann::json& params);
  nlohmann::json Definition(const nlohmann::json& params);
  nlohmann::json Hover(const nlohmann::json& params);
  nlohmann::json Completion(const nlohmann::json& params);
  nlohmann::json References(const nlohmann::json& params);
  nlohmann::json Rename(const nlohmann::json& params);
  nlohmann::json Symbols(const nlohmann::json& params);
  // The place of a request's textDocument and position.
  Place PlaceOf(const nlohmann::json& params) const;
  // A byte range in one of a device's files.
  struct Span {
    Side side;
    size_t begin, end;
  };
  // Where either file names the declaration the place's symbol finds (with it, when withDeclaration).
  std::vector<Span> PlacesNaming(const Place& place, bool withDeclaration) const;
  // The spans as the protocol's locations (uri and range).
  nlohmann::json Located(const DeviceView& view, const std::vector<Span>& spans) const;

  // The device the file at path belongs to, with the open buffers' texts; side says which file path is.
  // Outlines are made again only when a file's text changed since the last request about its device.
  std::shared_ptr<const DeviceView> ViewOf(const std::string& path, Side& side) const;
  std::string TextOf(const std::string& path) const;
  std::string UriOf(const std::string& path) const;
  // Checks the device of path as the buffers hold it and publishes the findings of each of its files.
  void Recheck(const std::string& path);
  // Whether path lies where the options let the server check (and so write beside) files.
  bool MayCheck(const std::string& path) const;
  nlohmann::json Range(const std::string& path, size_t begin, size_t end) const;

  ServerOptions m_options;
  std::ostream* m_out = nullptr;
  bool m_initialized = false;
  bool m_shutdown = false;
  bool m_exit = false;
  std::map<std::string, Document> m_documents;                               // open documents by path
  mutable std::map<std::string, std::shared_ptr<const DeviceView>> m_views;  // by GUI XML path: the last view
  std::map<std::string, std::set<std::string>> m_published;  // by GUI XML path: the files given diagnostics
};

}  // namespace lsp
