// Starting and ending uses of Xerces-C: the process-wide one and every other, under one lock.
#include "model/XercesInit.h"

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "platform/text.h"

namespace k42 {
std::mutex& XercesLifetimeLock() {
  static std::mutex lock;
  return lock;
}

XercesUse::XercesUse() {
  std::lock_guard<std::mutex> guard(XercesLifetimeLock());
  try {
    xercesc::XMLPlatformUtils::Initialize();
    m_successful = true;
  } catch (const xercesc::XMLException& e) {
    m_failure = e.getMessage() != nullptr ? k42::ToNarrow(e.getMessage()) : std::string("unknown failure");
  } catch (...) {
    m_failure = "unknown failure";
  }
}

XercesUse::~XercesUse() {
  if (!m_successful) return;
  std::lock_guard<std::mutex> guard(XercesLifetimeLock());
  try {
    xercesc::XMLPlatformUtils::Terminate();
  } catch (...) {}
}
}  // namespace k42

// Constructed during static initialization of the module that contains the
// model (the component library, or a program linking the model directly).
CXercesInitialization s_XercesInitialization;
