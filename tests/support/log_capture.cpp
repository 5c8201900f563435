// Test helper: a logger sink that keeps the lines it receives.
#include "support/log_capture.h"

#include <k42gui/Logger.h>

#include "platform/text.h"

namespace k42test {

LogCapture::LogCapture() : m_previousActive(Logger::m_bActiveLog) {
  Logger::SetSink(&LogCapture::Receive, this);
  Logger::m_bActiveLog = 1;
}

LogCapture::~LogCapture() {
  Logger::SetSink(nullptr, nullptr);
  Logger::m_bActiveLog = m_previousActive;
}

void LogCapture::Receive(const char16_t* line, void* context) {
  auto* self = static_cast<LogCapture*>(context);
  std::lock_guard<std::mutex> lock(self->m_mutex);
  self->m_lines.emplace_back(line);
}

std::vector<std::u16string> LogCapture::Lines() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_lines;
}

std::vector<std::string> LogCapture::Utf8Lines() const {
  std::vector<std::string> result;
  for (const std::u16string& line : Lines()) result.push_back(k42::ToNarrow(line));
  return result;
}

void LogCapture::Clear() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_lines.clear();
}

}  // namespace k42test
