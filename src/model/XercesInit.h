// Process-wide initialization of the Xerces-C library.
#pragma once

#include <mutex>

// Holds whether the library's process initialization succeeded. One
// instance lives for the whole process: it initializes the library when the
// component is loaded and terminates it when the component is unloaded.
class CXercesInitialization {
 public:
  CXercesInitialization();
  ~CXercesInitialization();
  CXercesInitialization(const CXercesInitialization&) = delete;
  CXercesInitialization& operator=(const CXercesInitialization&) = delete;

  bool Successful() const { return m_successful; }

 private:
  bool m_successful = false;
};

extern CXercesInitialization s_XercesInitialization;

namespace k42 {
// The library counts Initialize/Terminate calls but is not thread-safe about
// them: every call of either goes through this lock.
std::mutex& XercesLifetimeLock();

// The one way to start the library outside the component's own load: initializes it for as long as the
// object lives, under the lifetime lock (the library counts its initializations).
class XercesUse {
 public:
  XercesUse();
  ~XercesUse();
  XercesUse(const XercesUse&) = delete;
  XercesUse& operator=(const XercesUse&) = delete;

  bool Successful() const { return m_successful; }

 private:
  bool m_successful = false;
};
}  // namespace k42
