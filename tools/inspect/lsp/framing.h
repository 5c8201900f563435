// The framing of the language server protocol: header lines, a blank line, then a body of Content-Length bytes.
#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>

namespace lsp {

// The largest body read: far above any device file an editor sends; a larger one is skipped unread.
constexpr size_t kMaxBody = size_t{64} << 20;

enum class FrameStatus {
  kMessage,   // body holds one message
  kEnd,       // the input ended (possibly inside a frame)
  kNoLength,  // the headers had no usable Content-Length; nothing was read as a body
  kTooLarge,  // the body was longer than kMaxBody and was skipped
};

struct Frame {
  FrameStatus status = FrameStatus::kEnd;
  std::string body;
};

Frame ReadFrame(std::istream& in);
void WriteFrame(std::ostream& out, const std::string& body);

}  // namespace lsp
