// Initializes Xerces-C once per process and terminates it at unload.
#include "model/XercesInit.h"

#include <xercesc/util/PlatformUtils.hpp>

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
  } catch (...) {
    m_successful = false;
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

CXercesInitialization::CXercesInitialization() {
  std::lock_guard<std::mutex> guard(k42::XercesLifetimeLock());
  try {
    xercesc::XMLPlatformUtils::Initialize();
    m_successful = true;
  } catch (...) {
    m_successful = false;
  }
}

CXercesInitialization::~CXercesInitialization() {
  std::lock_guard<std::mutex> guard(k42::XercesLifetimeLock());
  try {
    xercesc::XMLPlatformUtils::Terminate();
  } catch (...) {}
}

// Constructed during static initialization of the module that contains the
// model (the component library, or a program linking the model directly).
CXercesInitialization s_XercesInitialization;
