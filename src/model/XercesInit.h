// Starting Xerces-C: the process-wide use and every other one, each under the lifetime lock.
#pragma once

#include <mutex>
#include <string>

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
  // The library's message when it could not be started, else empty.
  const std::string& Failure() const { return m_failure; }

 private:
  bool m_successful = false;
  std::string m_failure;
};
}  // namespace k42

// Holds whether the library's process initialization succeeded. One instance lives for the whole process: it
// starts the library (the same way as every other use) when the component is loaded and ends that use when
// the component is unloaded.
class CXercesInitialization {
 public:
  bool Successful() const { return m_use.Successful(); }

 private:
  k42::XercesUse m_use;
};

extern CXercesInitialization s_XercesInitialization;
