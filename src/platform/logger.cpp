// The logger stand-in: formats lines and routes them to a sink, a log file or standard error.
#include <k42gui/Logger.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "platform/utf.h"
#include "platform/wide_format.h"

namespace {

struct LoggerState {
  std::mutex mutex;
  std::string filePath;  // empty: standard error
  Logger::Sink sink = nullptr;
  void* context = nullptr;
};

LoggerState& State() {
  static LoggerState state;
  return state;
}

// Reads K42GUI_LOG once at start-up (see Logger.h for the values).
int ActiveFlagFromEnvironment() {
  const char* value = std::getenv("K42GUI_LOG");
  if (!value || !*value || std::strcmp(value, "0") == 0) return 0;
  if (std::strcmp(value, "1") != 0) State().filePath = value;
  return 1;
}

void WriteLine(const std::string& path, const std::string& text) {
  if (!path.empty()) {
    if (std::FILE* file = std::fopen(path.c_str(), "ab")) {
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
      return;
    }
  }
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

int Logger::m_bActiveLog = ActiveFlagFromEnvironment();

void Logger::Log(const char16_t* format, ...) {
  if (!m_bActiveLog || !format) return;
  std::u16string line;
  va_list args;
  va_start(args, format);
  try {
    line = k42::FormatWide(format, args);
  } catch (...) {
    // Out of memory while formatting: a diagnostic line is not worth failing the caller.
    va_end(args);
    return;
  }
  va_end(args);

  LoggerState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  if (state.sink) {
    state.sink(line.c_str(), state.context);
    return;
  }
  try {
    std::string text = k42::utf::ToUtf8(line);
    if (text.empty() || text.back() != '\n') text += '\n';
    WriteLine(state.filePath, text);
  } catch (...) {}
}

void Logger::SetLogFile(const char* path) {
  LoggerState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.filePath = path ? path : "";
}

void Logger::SetSink(Sink sink, void* context) {
  LoggerState& state = State();
  std::lock_guard<std::mutex> lock(state.mutex);
  state.sink = sink;
  state.context = sink ? context : nullptr;
}
