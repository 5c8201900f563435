// Reading and writing framed messages, bounded so that no input makes the server hold more than one body.
#include "inspect/lsp/framing.h"

#include <algorithm>
#include <cctype>

namespace lsp {
namespace {

// A header line is short; a longer one is read to its end and dropped, so memory stays bounded.
constexpr size_t kMaxHeaderLine = 4096;
constexpr unsigned long long kSkipCap = 1ULL << 60;

// Reads one line without its line end; false at the end of the input.
bool ReadLine(std::istream& in, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = in.get()) != std::char_traits<char>::eof()) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kMaxHeaderLine) line += static_cast<char>(c);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

Frame ReadFrame(std::istream& in) {
  Frame frame;
  std::string line;
  bool sawHeader = false;
  bool haveLength = false;
  unsigned long long length = 0;
  for (;;) {
    if (!ReadLine(in, line)) return frame;  // kEnd
    if (line.empty()) {
      if (!sawHeader) continue;  // stray blank lines between messages
      break;
    }
    sawHeader = true;
    static const std::string kLength = "Content-Length:";
    if (StartsWithNoCase(line, kLength)) {
      const std::string digits = line.substr(kLength.size());
      size_t at = digits.find_first_not_of(" \t");
      haveLength = at != std::string::npos && std::isdigit(static_cast<unsigned char>(digits[at])) != 0;
      length = 0;
      for (; haveLength && at < digits.size() && std::isdigit(static_cast<unsigned char>(digits[at])); ++at) {
        // Capped far above kMaxBody: a longer number only means "too large" and is skipped as far as it goes.
        length = std::min<unsigned long long>(length * 10 + static_cast<unsigned>(digits[at] - '0'), kSkipCap);
      }
    }
  }
  if (!haveLength) {
    frame.status = FrameStatus::kNoLength;
    return frame;
  }
  if (length > kMaxBody) {
    in.ignore(static_cast<std::streamsize>(length));  // skipped unread, so the next message is found again
    frame.status = FrameStatus::kTooLarge;
    return frame;
  }
  frame.body.resize(length);
  in.read(frame.body.data(), static_cast<std::streamsize>(length));
  if (static_cast<unsigned long long>(in.gcount()) != length) {
    frame.body.clear();
    return frame;  // kEnd
  }
  frame.status = FrameStatus::kMessage;
  return frame;
}

void WriteFrame(std::ostream& out, const std::string& body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n" << body;
  out.flush();
}

}  // namespace lsp
