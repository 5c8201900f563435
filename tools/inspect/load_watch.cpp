// Log and message-box capture during a load, classification of its outcome,
// parse diagnostics with positions, and the progress bar.
#include "inspect/load_watch.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <regex>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/SAXParser.hpp>
#include <xercesc/sax/HandlerBase.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <k42gui/IGuiXmlModel.h>
#include <k42gui/Logger.h>

#include "inspect/automation.h"

namespace inspect {
namespace {

bool Contains(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

// Finds the first well-formedness error of a file, for a position the
// component's fatal-error box does not give. Only the document itself is
// read: no grammar, no external entity.
class FirstFatal : public xercesc::HandlerBase {
 public:
  void fatalError(const xercesc::SAXParseException& e) override {
    if (found) return;
    found = true;
    line = static_cast<long>(e.getLineNumber());
    column = static_cast<long>(e.getColumnNumber());
    message = Utf8(e.getMessage() != nullptr ? std::u16string(e.getMessage()) : std::u16string());
    throw e;
  }
  bool found = false;
  long line = 0, column = 0;
  std::string message;
};

class NoEntities : public xercesc::EntityResolver {
 public:
  xercesc::InputSource* resolveEntity(const XMLCh*, const XMLCh*) override {
    static const XMLByte kNothing[] = {0};
    return new xercesc::MemBufInputSource(kNothing, 0, u"", false);
  }
};

std::optional<Diagnostic> FindFatal(const std::string& path) {
  xercesc::XMLPlatformUtils::Initialize();
  std::optional<Diagnostic> result;
  {
    xercesc::SAXParser parser;
    FirstFatal handler;
    NoEntities entities;
    parser.setValidationScheme(xercesc::SAXParser::Val_Never);
    parser.setDoNamespaces(true);
    parser.setLoadExternalDTD(false);
    parser.setDisableDefaultEntityResolution(true);
    parser.setEntityResolver(&entities);
    parser.setErrorHandler(&handler);
    try {
      parser.parse(path.c_str());
    } catch (...) {}
    if (handler.found) result = Diagnostic{path, handler.line, handler.column, "fatal", handler.message};
  }
  xercesc::XMLPlatformUtils::Terminate();
  return result;
}

}  // namespace

LoadWatch::LoadWatch(std::string xmlPath, std::string locPath)
    : m_xmlPath(std::move(xmlPath)), m_locPath(std::move(locPath)) {
  m_previousActive = Logger::m_bActiveLog;
  Logger::m_bActiveLog = 1;
  Logger::SetSink(&LoadWatch::OnLog, this);
  K42SetMessageBoxHandler(&LoadWatch::OnMessageBox, this);
}

LoadWatch::~LoadWatch() {
  K42SetMessageBoxHandler(nullptr, nullptr);
  Logger::SetSink(nullptr, nullptr);
  Logger::m_bActiveLog = m_previousActive;
}

void LoadWatch::OnLog(LPCWSTR line, void* context) {
  static_cast<LoadWatch*>(context)->m_lines.push_back(Utf8(line != nullptr ? line : u""));
}

int LoadWatch::OnMessageBox(HWND, LPCWSTR text, LPCWSTR caption, UINT, void* context) {
  auto* watch = static_cast<LoadWatch*>(context);
  watch->m_boxes.push_back(Utf8(caption != nullptr ? caption : u"") + ": " + Utf8(text != nullptr ? text : u""));
  return IDOK;
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
  for (const std::string& line : m_lines) {
    std::smatch match;
    if (std::regex_match(line, match, domError)) {
      found.push_back({m_xmlPath, std::stol(match[1]), std::stol(match[2]), "error", match[3]});
    } else if (std::regex_match(line, match, saxProblem)) {
      const std::string kind = match[1];
      found.push_back({match[2], std::stol(match[3]), std::stol(match[4]),
                       kind == "XMLWarning" ? "warning"
                       : kind == "XMLError" ? "error"
                                            : "fatal",
                       match[5]});
    }
  }
  const bool fatalBox = Contains(m_boxes, "FATAL ERROR found parsing");
  if (fatalBox) {
    if (auto fatal = FindFatal(m_xmlPath))
      found.insert(found.begin(), *fatal);
    else
      found.insert(found.begin(), Diagnostic{m_xmlPath, 0, 0, "fatal", "the file could not be parsed"});
  }
  return found;
}

namespace {
const char16_t kProgressClass[] = u"K42InspectProgress";
}

ProgressBar::ProgressBar(bool enabled) {
  if (!enabled || !isatty(STDERR_FILENO)) return;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &ProgressBar::Procedure;
  windowClass.lpszClassName = kProgressClass;
  RegisterClassW(&windowClass);
  m_window = CreateWindowExW(0, kProgressClass, u"progress", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, this);
}

ProgressBar::~ProgressBar() {
  if (m_window == nullptr) return;
  DestroyWindow(m_window);
  UnregisterClassW(kProgressClass, nullptr);
  if (m_drawn) std::fputs("\n", stderr);
}

LRESULT CALLBACK ProgressBar::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return TRUE;
  }
  auto* bar = reinterpret_cast<ProgressBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (bar == nullptr) return DefWindowProcW(window, message, wParam, lParam);
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

void ProgressBar::Draw() const {
  constexpr int kWidth = 30;
  const long span = m_high > m_low ? m_high - m_low : 1;
  const int filled = static_cast<int>((m_position - m_low) * kWidth / span);
  std::string bar(static_cast<size_t>(filled), '#');
  bar.resize(kWidth, '.');
  std::fprintf(stderr, "\rloading [%s] %ld/%ld", bar.c_str(), m_position - m_low, span);
  std::fflush(stderr);
  const_cast<ProgressBar*>(this)->m_drawn = true;
}

}  // namespace inspect
