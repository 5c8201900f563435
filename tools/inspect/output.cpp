// Writing a subcommand's result with every system error noticed: a stream buffer over a file descriptor.
#include "inspect/output.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <vector>

#include "inspect/system.h"

namespace inspect {
namespace {

// iostreams forget errno; this buffer keeps the first failure's so the message can say what happened.
class DescriptorBuffer : public std::streambuf {
 public:
  DescriptorBuffer(int fd, const std::function<void(uint64_t)>& written) : m_fd(fd), m_written(written) {
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
  }
  int Error() const { return m_error; }

 protected:
  int_type overflow(int_type c) override {
    if (!Drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() ? 0 : -1; }

 private:
  bool Drain() {
    const char* data = pbase();
    size_t left = static_cast<size_t>(pptr() - pbase());
    while (left > 0 && m_error == 0) {
      const long n = sys::Write(m_fd, data, left);
      if (n < 0) {
        if (errno != EINTR) m_error = errno;
        continue;
      }
      data += n;
      left -= static_cast<size_t>(n);
      m_total += static_cast<uint64_t>(n);
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    if (m_written && m_error == 0) m_written(m_total);
    return m_error == 0;
  }

  int m_fd;
  std::function<void(uint64_t)> m_written;
  std::vector<char> m_buffer = std::vector<char>(1 << 16);
  uint64_t m_total = 0;
  int m_error = 0;
};

int Fail(const std::string& what, int error) {
  std::cerr << "k42gui-inspect: " << what << ": " << std::strerror(error) << '\n';
  return kExitWriteError;
}

}  // namespace

int WriteOutput(const std::string& path, int exitCode, const std::function<void(std::ostream&)>& write,
                const std::function<void(uint64_t)>& written) {
  const bool toStdout = path.empty() || path == "-";
  const std::string name = toStdout ? std::string("standard output") : path;
  int fd = -1;
  if (toStdout) {
    std::cout.flush();  // whatever went through std::cout comes first
    fd = sys::StandardOutput();
  } else {
    fd = sys::CreateOutputFile(path);
    if (fd < 0) return Fail("cannot create " + name, errno);
  }
  DescriptorBuffer buffer(fd, written);
  std::ostream out(&buffer);
  write(out);
  out.flush();
  int error = buffer.Error();
  if (!toStdout && sys::Close(fd) != 0 && error == 0) error = errno;
  if (error != 0) return Fail("cannot write " + name, error);
  return exitCode;
}

}  // namespace inspect
