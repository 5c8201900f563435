// Log, message-box and standard-error capture during a load, classification of its outcome,
// diagnostics with positions, and the progress bar.
#include "inspect/load_watch.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <regex>
#include <sstream>

#include <k42gui/DeviceCheck.h>
#include <k42gui/IGuiXmlModel.h>
#include <k42gui/Logger.h>

#include "inspect/automation.h"
#include "inspect/printable.h"

namespace inspect {
namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// A document whose root element the validator does not know had no usable schema: every element
// and attribute after it is reported once more. Those errors collapse into one line that says why.
// Returns whether it collapsed anything.
bool CollapseMissingSchema(const std::string& path, std::vector<Diagnostic>& found) {
  const auto ofFile = [&](const Diagnostic& d) { return d.file == path; };
  const auto first = std::find_if(found.begin(), found.end(), ofFile);
  if (first == found.end() || !StartsWith(first->message, "no declaration found for element")) return false;
  const k42gui::FileLook look = k42gui::LookAtFile(path);
  // Only the root element undeclared means a missing schema; an element the schema lacks further down does not.
  if (!look.read || first->message != "no declaration found for element '" + look.rootName + "'") return false;
  std::string message;
  if (look.schemaLocation.empty()) {
    message =
        "the document names no schema for its root element (xsi:schemaLocation), so nothing in it can be "
        "validated";
  } else {
    namespace fs = std::filesystem;
    const fs::path where = fs::path(path).parent_path() / look.schemaLocation;
    std::error_code error;
    message = fs::is_regular_file(where, error)
                  ? "schema '" + look.schemaLocation + "' does not declare the root element (" + first->message + ")"
                  : "schema not found: '" + look.schemaLocation + "' (from xsi:schemaLocation) is not a file at " +
                        fs::absolute(where, error).lexically_normal().string();
  }
  const auto count = std::count_if(found.begin(), found.end(), ofFile);
  if (count > 1) message += "; " + std::to_string(count - 1) + " validation errors that follow from it are not shown";
  Diagnostic schema = *first;
  schema.severity = "error";
  schema.message = message;
  // Nothing of this file stands before its first diagnostic, so the summary takes that place.
  const auto at = first - found.begin();
  found.erase(std::remove_if(first, found.end(), ofFile), found.end());
  found.insert(found.begin() + at, schema);
  return true;
}

// A file that is not well-formed gets one diagnostic, the first reason in the checker's words, where the
// parser put it; what the parser said about the file besides follows from it and is left out. Returns
// whether the file is not well-formed.
bool OnlyTheFatalError(const std::string& path, std::vector<Diagnostic>& found) {
  const k42gui::FileLook look = k42gui::LookAtFile(path);
  if (!look.read || look.wellFormed) return false;
  const auto ofFile = [&](const Diagnostic& d) { return d.file == path; };
  const auto first = std::find_if(found.begin(), found.end(), ofFile);
  const auto at = first - found.begin();
  found.erase(std::remove_if(found.begin(), found.end(), ofFile), found.end());
  const Diagnostic fatal{path, static_cast<long>(look.fatal.line), static_cast<long>(look.fatal.column), "fatal",
                         look.fatal.message};
  found.insert(found.begin() + std::min<std::ptrdiff_t>(at, static_cast<std::ptrdiff_t>(found.size())), fatal);
  return true;
}

}  // namespace

std::string FormatDiagnostic(const Diagnostic& d) {
  // The parser's messages quote the device's names and texts: printed escaped, one diagnostic per line.
  std::string line = d.file.empty() ? std::string("k42gui-inspect") : Printable(d.file);
  if (!d.file.empty() && d.line >= 0) line += ':' + std::to_string(d.line) + ':' + std::to_string(d.column);
  return line + ": " + d.severity + ": " + Printable(d.message);
}

LoadWatch::LoadWatch(std::string xmlPath, std::string locPath)
    : m_xmlPath(std::move(xmlPath)), m_locPath(std::move(locPath)) {
  m_previousActive = Logger::m_bActiveLog;
  Logger::m_bActiveLog = 1;
  Logger::SetSink(&LoadWatch::OnLog, this);
  sys::WatchMessageBoxes(&LoadWatch::OnMessageBox, this);
  // The component and its platform write some failures straight to standard error; they are
  // taken in here (m_capture) and reported with the rest.
  std::cerr.flush();
}

LoadWatch::~LoadWatch() {
  Finish();
  sys::WatchMessageBoxes(nullptr, nullptr);
  Logger::SetSink(nullptr, nullptr);
  Logger::m_bActiveLog = m_previousActive;
}

void LoadWatch::Finish() {
  std::cerr.flush();
  std::istringstream lines(m_capture.Finish());
  std::string line;
  while (std::getline(lines, line)) {
    // Boxes arrive through the handler, and the parse failures are in the log as well.
    if (line.find_first_not_of(" \t\r") == std::string::npos || StartsWith(line, "MessageBox [") ||
        StartsWith(line, "CDDParserXML: "))
      continue;
    m_stderr.push_back(line.substr(line.find_first_not_of(" \t")));
  }
}

void LoadWatch::OnLog(const char16_t* line, void* context) {
  static_cast<LoadWatch*>(context)->m_lines.push_back(Utf8(line != nullptr ? line : u""));
}

void LoadWatch::OnMessageBox(const std::u16string& caption, const std::u16string& text, void* context) {
  static_cast<LoadWatch*>(context)->m_boxes.push_back(Utf8(caption) + ": " + Utf8(text));
}

LoadOutcome LoadWatch::Outcome(bool initializeSucceeded) const {
  if (initializeSucceeded) return LoadOutcome::kLoaded;
  // The GUI XML file was read when a section failed or when the reading of
  // the localized file began (it logs the path it reads).
  if (Contains(m_lines, "ParseDocument(parser.getDocument()) failed!") ||
      Contains(m_lines, "Parsing file : " + m_locPath)) {
    return LoadOutcome::kLoadedWithErrors;
  }
  return LoadOutcome::kNotLoaded;
}

std::vector<Diagnostic> LoadWatch::Diagnostics() const {
  std::vector<Diagnostic> found;
  static const std::regex domError(R"(^ XMLERROR:  (-?\d+)\((-?\d+)\) : ([\s\S]*?)\n?$)");
  static const std::regex saxProblem(
      R"(^(Fatal XMLError|XMLError|XMLWarning) at file \(([\s\S]*)\) line,col \((-?\d+), (-?\d+)\)=([\s\S]*?)\n?$)");
  static const std::regex notRegular(R"(^Not a regular file, not read : ([\s\S]*?)\n?$)");
  static const std::regex parserThrew(R"(^CDDParserXML: (XMLException|DOM_DOMException|\.\.\. Exception)$)");
  bool locReported = false;
  for (const std::string& line : m_lines) {
    std::smatch match;
    if (std::regex_match(line, match, domError)) {
      found.push_back({m_xmlPath, std::stol(match[1]), std::stol(match[2]), "error", match[3]});
    } else if (std::regex_match(line, match, saxProblem)) {
      const std::string kind = match[1];
      // A localized file that cannot be opened comes without a file name of its own.
      const std::string file = match[2].length() == 0 && kind == "Fatal XMLError" ? m_locPath : match[2].str();
      found.push_back({file, std::stol(match[3]), std::stol(match[4]),
                       kind == "XMLWarning" ? "warning"
                       : kind == "XMLError" ? "error"
                                            : "fatal",
                       match[5]});
      locReported = true;
    } else if (std::regex_match(line, match, notRegular)) {
      found.push_back({match[1], -1, -1, "error", "not a regular file, not read"});
      locReported = locReported || match[1] == m_locPath;
    } else if (std::regex_match(line, match, parserThrew)) {
      found.push_back({m_xmlPath, -1, -1, "error", "the XML parser gave up (" + match[1].str() + ")"});
    } else if (line.find("ParseDocument(parser.getDocument()) failed!") != std::string::npos) {
      found.push_back({m_xmlPath, -1, -1, "error",
                       "a section of the file could not be read, so the localized file was not read either"});
    } else if (line.find("ParseLocFile() failed!") != std::string::npos && !locReported) {
      found.push_back({m_locPath, -1, -1, "error", "the localized file could not be read"});
      locReported = true;
    }
  }
  std::vector<std::string> files;
  for (const Diagnostic& d : found) {
    if (!d.file.empty() && std::find(files.begin(), files.end(), d.file) == files.end()) files.push_back(d.file);
  }
  bool collapsed = false;
  for (const std::string& file : files) collapsed = CollapseMissingSchema(file, found) || collapsed;
  if (collapsed) {
    // The reader's own word for the missing schema file, without a file of its own: said better above.
    found.erase(std::remove_if(found.begin(), found.end(),
                               [](const Diagnostic& d) {
                                 return d.file.empty() &&
                                        StartsWith(d.message, "unable to open primary document entity");
                               }),
                found.end());
  }
  for (const std::string& box : m_boxes) {
    if (box.find("FATAL ERROR found parsing") == std::string::npos) {
      found.push_back({"", -1, -1, "error", "message box " + box});
      continue;
    }
    // The box gives no position: the first look does, and it replaces what the parser reported besides.
    if (!OnlyTheFatalError(m_xmlPath, found)) {
      found.erase(std::remove_if(found.begin(), found.end(), [&](const Diagnostic& d) { return d.file == m_xmlPath; }),
                  found.end());
      found.insert(found.begin(), Diagnostic{m_xmlPath, -1, -1, "fatal", "the file could not be parsed"});
    }
  }
  // The localized file's reader reports its fatal error itself, after the schema's errors it met first, under
  // the path the component built.
  std::vector<std::string> fatalFiles;
  for (const Diagnostic& d : found) {
    if (d.severity == "fatal" && !d.file.empty() && d.file != m_xmlPath &&
        std::find(fatalFiles.begin(), fatalFiles.end(), d.file) == fatalFiles.end())
      fatalFiles.push_back(d.file);
  }
  for (const std::string& file : fatalFiles) OnlyTheFatalError(file, found);
  for (const std::string& line : m_stderr) found.push_back({"", -1, -1, "note", "component: " + line});
  return found;
}

namespace {
const char16_t kProgressClass[] = u"K42InspectProgress";
constexpr auto kTickInterval = std::chrono::milliseconds(200);
}  // namespace

ProgressBar::ProgressBar(bool enabled) {
  if (!enabled) return;
  m_fd = sys::DuplicateTerminal();
  if (m_fd < 0) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &ProgressBar::Procedure;
  windowClass.lpszClassName = sys::Wide(kProgressClass);
  RegisterClassW(&windowClass);
  m_window = CreateWindowExW(0, sys::Wide(kProgressClass), sys::Wide(u"progress"), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             nullptr, this);
  m_ticker = std::thread(&ProgressBar::Tick, this);
}

ProgressBar::~ProgressBar() {
  Finish();
  if (m_window != nullptr) {
    DestroyWindow(m_window);
    UnregisterClassW(sys::Wide(kProgressClass), nullptr);
  }
  if (m_fd >= 0) sys::Close(m_fd);
}

void ProgressBar::Phase(const std::string& name) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_fd < 0 || m_stopping) return;
  if (m_measured) {
    // The component's last step (the localized file) sends no message: loading ends here.
    m_position = m_high;
    Draw();
  }
  m_measured = false;
  m_phase = name;
  m_bytes = 0;
  m_phaseStart = std::chrono::steady_clock::now();
  Draw();
}

void ProgressBar::Written(uint64_t bytes) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bytes = bytes;
}

void ProgressBar::Say(const std::string& text) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_fd < 0 || m_stopping) {
    std::cerr << text << std::flush;
    return;
  }
  Emit("\r\033[K" + text);
  if (m_drawn) Draw();
}

void ProgressBar::Finish() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_fd < 0 || m_stopping) return;
    m_done = true;
    if (m_drawn) Draw();
    m_stopping = true;
  }
  m_wake.notify_all();
  if (m_ticker.joinable()) m_ticker.join();
  if (m_drawn) Emit("\r\033[K");
}

void ProgressBar::Tick() {
  std::unique_lock<std::mutex> lock(m_mutex);
  while (!m_wake.wait_for(lock, kTickInterval, [this] { return m_stopping; })) {
    if (!m_measured) Draw();
  }
}

LRESULT CALLBACK ProgressBar::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return TRUE;
  }
  auto* bar = reinterpret_cast<ProgressBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (bar == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  std::lock_guard<std::mutex> lock(bar->m_mutex);
  switch (message) {
    case PBM_EH_SETRANGE:
      bar->m_low = LOWORD(lParam);
      bar->m_high = HIWORD(lParam);
      bar->m_position = bar->m_low;
      bar->Draw();
      return 0;
    case PBM_EH_SETSTEP:
      bar->m_step = static_cast<long>(wParam);
      return 0;
    case PBM_EH_STEPIT:
      bar->m_position = std::min(bar->m_high, bar->m_position + bar->m_step);
      bar->Draw();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void ProgressBar::Draw() {
  constexpr int kWidth = 30;
  std::string bar(kWidth, '.');
  char detail[64];
  if (m_done) {
    bar.assign(kWidth, '#');
    std::snprintf(detail, sizeof detail, "done");
  } else if (m_measured) {
    const long span = m_high > m_low ? m_high - m_low : 1;
    const long done = std::clamp(m_position - m_low, 0L, span);
    std::fill_n(bar.begin(), done * kWidth / span, '#');
    std::snprintf(detail, sizeof detail, "%ld/%ld", done, span);
  } else {
    // No known length: a block sweeps to and fro while the clock runs.
    constexpr int kBlock = 4;
    const int travel = kWidth - kBlock;
    const int at = m_frame % (2 * travel);
    std::fill_n(bar.begin() + (at < travel ? at : 2 * travel - at), kBlock, '#');
    ++m_frame;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_phaseStart).count();
    if (m_bytes > 0)
      std::snprintf(detail, sizeof detail, "%.1f s, %.1f MB", seconds, static_cast<double>(m_bytes) / 1e6);
    else
      std::snprintf(detail, sizeof detail, "%.1f s", seconds);
  }
  Emit("\r\033[K" + m_phase + " [" + bar + "] " + detail);
  m_drawn = true;
}

void ProgressBar::Emit(const std::string& text) const {
  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const long n = sys::Write(m_fd, data, left);
    if (n <= 0) return;  // a terminal that refuses the bar is not worth a failure
    data += n;
    left -= static_cast<size_t>(n);
  }
}

}  // namespace inspect
