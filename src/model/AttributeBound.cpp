// Counts the attributes of each start tag in the bytes a parser reads and stops the read past the bound.
#include "model/AttributeBound.h"

#include <array>
#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <xercesc/framework/XMLRecognizer.hpp>
#include <xercesc/util/BinInputStream.hpp>

#include "model/LoadBounds.h"

namespace k42 {
namespace {

// A markup character in the EBCDIC code pages: most are the same in all of them, "!", "[" and "]" differ
// (037 and 1047 against 500), and each state asks only for the characters that can follow there.
bool IsEbcdic(uint32_t unit, char ascii) {
  switch (ascii) {
    case '<':
      return unit == 0x4C;
    case '>':
      return unit == 0x6E;
    case '"':
      return unit == 0x7F;
    case '\'':
      return unit == 0x7D;
    case '?':
      return unit == 0x6F;
    case '/':
      return unit == 0x61;
    case '-':
      return unit == 0x60;
    case '!':
      return unit == 0x5A || unit == 0x4F;
    case '[':
      return unit == 0xBA || unit == 0xAD || unit == 0x4A;
    case ']':
      return unit == 0xBB || unit == 0xBD || unit == 0x5A;
    default:
      return false;
  }
}

// Hands the bytes of another stream on, through a StartTagCounter.
class CountingStream : public xercesc::BinInputStream {
 public:
  explicit CountingStream(std::unique_ptr<xercesc::BinInputStream> stream) : m_stream(std::move(stream)) {}

  XMLFilePos curPos() const override { return m_stream->curPos(); }
  const XMLCh* getContentType() const override { return m_stream->getContentType(); }
  const XMLCh* getEncoding() const override { return m_stream->getEncoding(); }

  XMLSize_t readBytes(XMLByte* const toFill, const XMLSize_t maxToRead) override {
    if (m_counter.Refused()) throw TooManyAttributes();
    const XMLSize_t read = m_stream->readBytes(toFill, maxToRead);
    const size_t passed = m_counter.Feed(toFill, read);
    // Nothing handed on would read as the end of the file: then the refusal cannot wait for the next read.
    if (passed == 0 && m_counter.Refused()) throw TooManyAttributes();
    return passed;
  }

 private:
  std::unique_ptr<xercesc::BinInputStream> m_stream;
  StartTagCounter m_counter;
};

}  // namespace

size_t StartTagCounter::Feed(const uint8_t* bytes, size_t count) {
  size_t next = 0;
  if (m_encoding == Encoding::kUnknown) {
    while (next < count && m_probed < sizeof(m_probe)) m_probe[m_probed++] = bytes[next++];
    if (m_probed < sizeof(m_probe)) return count;  // a text this short holds no start tag past the bound
    Probe();
  }
  if (m_encoding == Encoding::kSingleByte) return FeedSingleBytes(bytes, next, count);
  const size_t unitSize = UnitSize();
  for (size_t i = next; i < count; ++i) {
    m_partial[m_partialSize++] = bytes[i];
    if (m_partialSize < unitSize) continue;
    uint32_t unit = 0;
    const bool little = m_encoding == Encoding::kUtf16Little || m_encoding == Encoding::kUcs4Little;
    for (size_t k = 0; k < unitSize; ++k) unit = (unit << 8) | m_partial[little ? unitSize - 1 - k : k];
    m_partialSize = 0;
    if (!Step(unit)) {
      m_refused = true;
      const size_t start = i + 1 - unitSize;  // where the character began, if in this read
      return i + 1 >= unitSize ? start : 0;
    }
  }
  return count;
}

size_t StartTagCounter::FeedSingleBytes(const uint8_t* bytes, size_t begin, size_t count) {
  // Without SSE2, and for the last bytes of a read, text, names and values are followed here, a table
  // look-up per byte.
  static constexpr auto kTagStops = [] {
    std::array<bool, 256> stops{};
    for (const char c : {'"', '\'', '<', '>'}) stops[static_cast<uint8_t>(c)] = true;
    return stops;
  }();
  size_t i = begin;
  while (i < count) {
#if defined(__SSE2__)
    const bool skimmed = m_state == State::kText || m_state == State::kStartTag || m_state == State::kEndTag ||
                         m_state == State::kDoubleQuoted || m_state == State::kSingleQuoted;
    if (skimmed && count - i >= 16) {
      if (!SkimBlocks(bytes, i, count)) {
        m_refused = true;
        return i;
      }
      continue;
    }
#endif
    switch (m_state) {
      case State::kText:
        while (i < count && bytes[i] != '<') ++i;
        if (i == count) return count;
        m_state = State::kOpen;
        ++i;
        continue;
      case State::kStartTag:
        while (i < count && !kTagStops[bytes[i]]) ++i;
        if (i == count) return count;
        break;
      case State::kEndTag:
        while (i < count && bytes[i] != '>') ++i;
        if (i == count) return count;
        m_state = State::kText;
        ++i;
        continue;
      case State::kDoubleQuoted:
      case State::kSingleQuoted: {
        const uint8_t quote = m_state == State::kDoubleQuoted ? '"' : '\'';
        while (i < count && bytes[i] != quote) ++i;
        if (i == count) return count;
        m_state = State::kStartTag;
        if (++m_attributes > kMaxElementAttributes) {
          m_refused = true;
          return i;
        }
        ++i;
        continue;
      }
      default:
        break;
    }
    if (!Step(bytes[i])) {
      m_refused = true;
      return i;
    }
    ++i;
  }
  return count;
}

#if defined(__SSE2__)
bool StartTagCounter::SkimBlocks(const uint8_t* bytes, size_t& at, size_t count) {
  const __m128i lt = _mm_set1_epi8('<'), gt = _mm_set1_epi8('>');
  const __m128i dq = _mm_set1_epi8('"'), sq = _mm_set1_epi8('\'');
  // Kept in registers: the members are written back where the blocks stop.
  State state = m_state;
  unsigned attributes = m_attributes;
  bool fine = true;
  size_t i = at;
  for (; count - i >= 16; i += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    const __m128i marks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, lt), _mm_cmpeq_epi8(block, gt)),
                                       _mm_or_si128(_mm_cmpeq_epi8(block, dq), _mm_cmpeq_epi8(block, sq)));
    // Each set bit is a markup character, taken in the order of the text.
    for (unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(marks)); mask != 0; mask &= mask - 1) {
      const size_t mark = i + static_cast<unsigned>(__builtin_ctz(mask));
      const uint8_t c = bytes[mark];
      bool opens = false;
      switch (state) {
        case State::kText:
          opens = c == '<';
          break;
        case State::kStartTag:
          if (c == '"')
            state = State::kDoubleQuoted;
          else if (c == '\'')
            state = State::kSingleQuoted;
          else if (c == '>')
            state = State::kText;
          else
            opens = true;  // "<": an error the library recovers from by taking it for the next tag
          break;
        case State::kEndTag:
          if (c == '>') state = State::kText;
          break;
        case State::kDoubleQuoted:
        case State::kSingleQuoted:
          if (c == (state == State::kDoubleQuoted ? '"' : '\'')) {
            state = State::kStartTag;
            if (++attributes > kMaxElementAttributes) {
              fine = false;
              i = mark;
              goto stop;
            }
          }
          break;
        default:
          break;  // not reached: the blocks stop before any other state
      }
      if (!opens) continue;
      // The character after "<" tells the markup. A start tag's name holds no markup character, and one
      // that follows at once (a quote, ">", "<") is the mask's next bit or the next block's first.
      const uint8_t next = mark + 1 < count ? bytes[mark + 1] : 0;  // a NUL too is left to Step
      if (next == '/') {
        state = State::kEndTag;
      } else if (next == 0 || next == '!' || next == '?') {
        state = State::kOpen;  // Step takes it on from the next character (in the next read, at the end)
        i = mark + 1;
        goto stop;
      } else {
        attributes = 0;
        state = State::kStartTag;
      }
    }
  }
stop:
  at = i;
  m_state = state;
  m_attributes = attributes;
  return fine;
}
#endif

void StartTagCounter::Probe() {
  using xercesc::XMLRecognizer;
  switch (XMLRecognizer::basicEncodingProbe(m_probe, m_probed)) {
    case XMLRecognizer::UTF_16B:
      m_encoding = Encoding::kUtf16Big;
      break;
    case XMLRecognizer::UTF_16L:
      m_encoding = Encoding::kUtf16Little;
      break;
    case XMLRecognizer::UCS_4B:
      m_encoding = Encoding::kUcs4Big;
      break;
    case XMLRecognizer::UCS_4L:
      m_encoding = Encoding::kUcs4Little;
      break;
    case XMLRecognizer::EBCDIC:
      m_encoding = Encoding::kEbcdic;
      break;
    default:
      m_encoding = Encoding::kSingleByte;
      break;  // UTF-8 and the encodings that share ASCII's markup
  }
  // The probed bytes are text like any other: a bound cannot be passed in so few of them.
  const size_t probed = m_probed;
  m_probed = 0;
  Feed(m_probe, probed);
}

size_t StartTagCounter::UnitSize() const {
  switch (m_encoding) {
    case Encoding::kUtf16Big:
    case Encoding::kUtf16Little:
      return 2;
    case Encoding::kUcs4Big:
    case Encoding::kUcs4Little:
      return 4;
    default:
      return 1;
  }
}

bool StartTagCounter::Is(uint32_t unit, char ascii) const {
  return m_encoding == Encoding::kEbcdic ? IsEbcdic(unit, ascii) : unit == static_cast<uint32_t>(ascii);
}

bool StartTagCounter::Step(uint32_t unit) {
  switch (m_state) {
    case State::kText:
      if (Is(unit, '<')) m_state = State::kOpen;
      break;
    case State::kOpen:
      if (Is(unit, '!')) {
        m_state = State::kBang;
      } else if (Is(unit, '?')) {
        m_state = State::kInstruction;
      } else if (Is(unit, '/')) {
        m_state = State::kEndTag;
      } else {
        m_attributes = 0;
        m_state = State::kStartTag;
        return Step(unit);
      }
      break;
    case State::kStartTag:
      // A "<" in a start tag is an error the library recovers from by taking it for the next tag.
      if (Is(unit, '"'))
        m_state = State::kDoubleQuoted;
      else if (Is(unit, '\''))
        m_state = State::kSingleQuoted;
      else if (Is(unit, '>'))
        m_state = State::kText;
      else if (Is(unit, '<'))
        m_state = State::kOpen;
      break;
    case State::kDoubleQuoted:
    case State::kSingleQuoted:
      if (Is(unit, m_state == State::kDoubleQuoted ? '"' : '\'')) {
        m_state = State::kStartTag;
        if (++m_attributes > kMaxElementAttributes) return false;
      }
      break;
    case State::kEndTag:
      if (Is(unit, '>')) m_state = State::kText;
      break;
    case State::kInstruction:
    case State::kInstructionQuestion:
      if (Is(unit, '?'))
        m_state = State::kInstructionQuestion;
      else if (m_state == State::kInstructionQuestion && Is(unit, '>'))
        m_state = State::kText;
      else
        m_state = State::kInstruction;
      break;
    case State::kBang:
      if (Is(unit, '-'))
        m_state = State::kBangDash;
      else if (Is(unit, '['))
        m_state = State::kCData;
      else
        m_state = Is(unit, '>') ? State::kText : State::kDeclaration;
      break;
    case State::kBangDash:
      m_state = Is(unit, '-') ? State::kComment : State::kDeclaration;
      break;
    case State::kComment:
    case State::kCommentDash:
    case State::kCommentDashes:
      if (Is(unit, '-'))
        m_state = m_state == State::kComment ? State::kCommentDash : State::kCommentDashes;
      else if (m_state == State::kCommentDashes && Is(unit, '>'))
        m_state = State::kText;
      else
        m_state = State::kComment;
      break;
    case State::kCData:
    case State::kCDataBracket:
    case State::kCDataBrackets:
      if (Is(unit, ']'))
        m_state = m_state == State::kCData ? State::kCDataBracket : State::kCDataBrackets;
      else if (m_state == State::kCDataBrackets && Is(unit, '>'))
        m_state = State::kText;
      else
        m_state = State::kCData;
      break;
    case State::kDeclaration:
      // A document type declaration is refused by the parser itself; its inner declarations end at ">" too.
      if (Is(unit, '>')) m_state = State::kText;
      break;
  }
  return true;
}

AttributeBoundedSource::AttributeBoundedSource(const xercesc::InputSource& source)
    : xercesc::InputSource(source.getMemoryManager()), m_source(source) {
  setSystemId(source.getSystemId());
  setPublicId(source.getPublicId());
  setEncoding(source.getEncoding());
  setIssueFatalErrorIfNotFound(source.getIssueFatalErrorIfNotFound());
}

AttributeBoundedSource::AttributeBoundedSource(std::unique_ptr<xercesc::InputSource> adopted)
    : AttributeBoundedSource(*adopted) {
  m_adopted = std::move(adopted);
}

xercesc::BinInputStream* AttributeBoundedSource::makeStream() const {
  std::unique_ptr<xercesc::BinInputStream> stream(m_source.makeStream());
  if (stream == nullptr) return nullptr;
  return new CountingStream(std::move(stream));
}

}  // namespace k42
