// Opening a file for reading so that what is checked is exactly what is then read.
//
// Every file the component, the checker and the inspector read (device files, schemas and their
// includes, images, help files, the registry file) goes through ReadableFile::Open: the path is
// resolved by the system as it opens it (so "x/..", links and the like lead where the system says),
// the open never waits (a named pipe is opened non-blocking), and the opened descriptor must be a
// regular file. The descriptor is then read: nothing opens the path a second time.
//
//   k42::ReadableFile file = k42::ReadableFile::Open(path, k42::kWholeFileLimit);
//   if (!file) { log(file.Describe(path)); return; }   // "not a regular file (a named pipe): …"
//   std::string bytes;
//   if (!file.ReadAll(bytes)) { … }
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace k42 {

// Why a path could not be opened for reading.
enum class OpenFailure {
  kNone,        // opened
  kMissing,     // no such file (or a directory on the way is missing)
  kNotRegular,  // a directory, named pipe, device or socket
  kTooLarge,    // larger than the limit given to Open
  kUnreadable,  // exists, but cannot be opened (permissions, too many open files, ...)
};

// No limit on the size of a file that is streamed rather than read whole.
constexpr uint64_t kNoSizeLimit = UINT64_MAX;
// The largest file read whole into memory (images, help files checked by the tools, the registry file).
constexpr uint64_t kWholeFileLimit = uint64_t{64} << 20;

class ReadableFile {
 public:
  ReadableFile() = default;
  ReadableFile(ReadableFile&& other) noexcept;
  ReadableFile& operator=(ReadableFile&& other) noexcept;
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;
  ~ReadableFile();

  // Opens path for reading. path is UTF-8 (the ANSI code page of the stand-ins) or UTF-16. A file larger
  // than maxSize bytes is refused with kTooLarge.
  static ReadableFile Open(std::string_view path, uint64_t maxSize = kNoSizeLimit);
  static ReadableFile Open(std::u16string_view path, uint64_t maxSize = kNoSizeLimit);

  bool IsOpen() const { return m_failure == OpenFailure::kNone; }
  explicit operator bool() const { return IsOpen(); }
  OpenFailure Failure() const { return m_failure; }
  // Why it was not opened: "not a regular file (a named pipe)", "no such file", "larger than N bytes",
  // "cannot be read"; empty when it was opened.
  std::string Reason() const;
  // The reason and the path in one line: "not a regular file (a named pipe): PATH".
  std::string Describe(std::string_view path) const;
  std::u16string Describe(std::u16string_view path) const;

  // The size when it was opened.
  uint64_t Size() const { return m_size; }
  // Reads up to size bytes: the count read, 0 at the end, -1 on a read error.
  int64_t Read(void* buffer, size_t size);
  // Reads from the current position to the end into bytes (at most the size when opened, so a file that
  // grows meanwhile is not read without bound). False on a read error or when the file was not opened.
  bool ReadAll(std::string& bytes);

 private:
  void Close();

  OpenFailure m_failure = OpenFailure::kMissing;
  const char* m_kind = "";
  uint64_t m_size = 0;
  intptr_t m_handle = -1;  // a descriptor, or a HANDLE on Windows
};

// The absolute form of path as opened, for messages and for resolving relative references against it:
// the system's canonical path where it can tell, else path made absolute against the current directory.
std::u16string AbsolutePath(std::u16string_view path);

}  // namespace k42
