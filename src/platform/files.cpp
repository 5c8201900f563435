// Opens files for reading: non-blocking, then the opened descriptor is checked to be a regular file.
#include "platform/files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/text.h"

namespace k42 {

ReadableFile::ReadableFile(ReadableFile&& other) noexcept { *this = std::move(other); }

ReadableFile& ReadableFile::operator=(ReadableFile&& other) noexcept {
  if (this != &other) {
    Close();
    m_failure = std::exchange(other.m_failure, OpenFailure::kMissing);
    m_kind = std::exchange(other.m_kind, "");
    m_size = std::exchange(other.m_size, 0);
    m_handle = std::exchange(other.m_handle, -1);
  }
  return *this;
}

ReadableFile::~ReadableFile() { Close(); }

std::string ReadableFile::Reason() const {
  switch (m_failure) {
    case OpenFailure::kNone:
      return {};
    case OpenFailure::kMissing:
      return "no such file";
    case OpenFailure::kNotRegular:
      return std::string("not a regular file (") + m_kind + ")";
    case OpenFailure::kTooLarge:
      return "larger than " + std::to_string(m_size) + " bytes";
    case OpenFailure::kUnreadable:
      break;
  }
  return "cannot be read";
}

std::string ReadableFile::Describe(std::string_view path) const {
  return IsOpen() ? std::string() : Reason() + ": " + std::string(path);
}

std::u16string ReadableFile::Describe(std::u16string_view path) const {
  // Only the reason is converted: the path keeps its code units exactly.
  return IsOpen() ? std::u16string() : FromNarrow(Reason()) + u": " + std::u16string(path);
}

bool ReadableFile::ReadAll(std::string& bytes) {
  bytes.clear();
  if (!IsOpen()) return false;
  bytes.resize(static_cast<size_t>(m_size));
  size_t done = 0;
  while (done < bytes.size()) {
    const int64_t n = Read(bytes.data() + done, bytes.size() - done);
    if (n < 0) return false;
    if (n == 0) break;  // shrunk since it was opened
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return true;
}

#ifdef _WIN32

ReadableFile ReadableFile::Open(std::u16string_view path, uint64_t maxSize) {
  ReadableFile file;
  const std::wstring wide(path.begin(), path.end());
  // No FILE_FLAG_BACKUP_SEMANTICS: a directory then fails to open instead of opening.
  HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      file.m_failure = OpenFailure::kNotRegular;
      file.m_kind = "a directory";
    } else {
      file.m_failure = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? OpenFailure::kMissing
                                                                                      : OpenFailure::kUnreadable;
    }
    return file;
  }
  file.m_handle = reinterpret_cast<intptr_t>(handle);
  const DWORD type = GetFileType(handle);
  if (type != FILE_TYPE_DISK) {
    file.Close();
    file.m_failure = OpenFailure::kNotRegular;
    file.m_kind = type == FILE_TYPE_PIPE ? "a named pipe" : "a device";
    return file;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle, &size)) {
    file.Close();
    file.m_failure = OpenFailure::kUnreadable;
    return file;
  }
  file.m_size = static_cast<uint64_t>(size.QuadPart);
  if (file.m_size > maxSize) {
    file.Close();
    file.m_failure = OpenFailure::kTooLarge;
    file.m_size = maxSize;
    return file;
  }
  file.m_failure = OpenFailure::kNone;
  return file;
}

ReadableFile ReadableFile::Open(std::string_view path, uint64_t maxSize) { return Open(FromNarrow(path), maxSize); }

int64_t ReadableFile::Read(void* buffer, size_t size) {
  if (m_handle == -1) return -1;
  DWORD read = 0;
  const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!ReadFile(reinterpret_cast<HANDLE>(m_handle), buffer, chunk, &read, nullptr)) return -1;
  return static_cast<int64_t>(read);
}

void ReadableFile::Close() {
  if (m_handle != -1) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
  m_handle = -1;
}

std::u16string AbsolutePath(std::u16string_view path) {
  const std::wstring wide(path.begin(), path.end());
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::u16string(path);
  std::wstring full(needed, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return std::u16string(path);
  return std::u16string(full.begin(), full.begin() + written);
}

#else

namespace {

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISSOCK(mode)) return "a socket";
  return "a device";
}

}  // namespace

ReadableFile ReadableFile::Open(std::string_view path, uint64_t maxSize) {
  ReadableFile file;
  const std::string name(path);
  // Non-blocking, so that a named pipe without a writer opens at once instead of waiting for one; not as the
  // controlling terminal, should the path name a terminal.
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    file.m_failure = errno == ENOENT || errno == ENOTDIR ? OpenFailure::kMissing : OpenFailure::kUnreadable;
    return file;
  }
  file.m_handle = fd;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    file.Close();
    file.m_failure = OpenFailure::kUnreadable;
    return file;
  }
  if (!S_ISREG(status.st_mode)) {
    file.Close();
    file.m_failure = OpenFailure::kNotRegular;
    file.m_kind = KindOf(status.st_mode);
    return file;
  }
  if (static_cast<uint64_t>(status.st_size) > maxSize) {
    file.Close();
    file.m_failure = OpenFailure::kTooLarge;
    file.m_size = maxSize;
    return file;
  }
  // Reads of a regular file block only on the disk; the flag is dropped so that they never report EAGAIN.
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  file.m_size = static_cast<uint64_t>(status.st_size);
  file.m_failure = OpenFailure::kNone;
  return file;
}

ReadableFile ReadableFile::Open(std::u16string_view path, uint64_t maxSize) { return Open(ToNarrow(path), maxSize); }

int64_t ReadableFile::Read(void* buffer, size_t size) {
  if (m_handle < 0) return -1;
  for (;;) {
    const ssize_t n = ::read(static_cast<int>(m_handle), buffer, size > SSIZE_MAX ? SSIZE_MAX : size);
    if (n >= 0) return n;
    if (errno != EINTR) return -1;
  }
}

void ReadableFile::Close() {
  if (m_handle >= 0) ::close(static_cast<int>(m_handle));
  m_handle = -1;
}

std::u16string AbsolutePath(std::u16string_view path) {
  const std::string name = ToNarrow(path);
  if (char* resolved = ::realpath(name.c_str(), nullptr)) {
    std::u16string result = FromNarrow(resolved);
    std::free(resolved);
    return result;
  }
  if (!name.empty() && name[0] == '/') return std::u16string(path);
  char* here = ::getcwd(nullptr, 0);
  if (here == nullptr) return std::u16string(path);
  std::u16string result = FromNarrow(here) + u"/" + std::u16string(path);
  std::free(here);
  return result;
}

#endif

}  // namespace k42
