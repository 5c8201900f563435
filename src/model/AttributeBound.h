// Refuses a start tag with too many attributes while its bytes are read, before the XML library scans it.
//
// The library reads every attribute of a start tag before it reports the element, and its work for each
// attribute grows with the number read before (80,000 attributes on one element took 32 s), so a check
// in startElement would come after the quadratic part. The bytes are checked instead, as they pass from
// the file to the parser: one look at each byte, so the check itself is linear.
//
//   std::unique_ptr<k42::OpenedFileSource> file(k42::OpenForParser(path, reason));
//   parser.parse(k42::AttributeBoundedSource(*file));   // throws LoadRefused at the 1001st attribute
//
// BoundedDomParser and BoundedSaxReader read the document and every schema through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include <xercesc/sax/InputSource.hpp>

namespace k42 {

// Follows the markup of an XML text as its bytes arrive and counts the quoted values (one per attribute)
// of each start tag. Comments, CDATA sections, processing instructions, end tags and declarations are
// passed over. The character encoding family (ASCII-compatible, UTF-16, UCS-4 or EBCDIC, each in its
// byte order) is told from the first bytes as the library tells it; only the markup characters matter.
class StartTagCounter {
 public:
  // Looks at the next count bytes. Returns count, or, when a start tag gets more than kMaxElementAttributes
  // attributes, the offset of the character that went past the bound (the bytes before it are fine).
  size_t Feed(const uint8_t* bytes, size_t count);
  bool Refused() const { return m_refused; }

 private:
  enum class Encoding { kUnknown, kSingleByte, kUtf16Big, kUtf16Little, kUcs4Big, kUcs4Little, kEbcdic };
  enum class State {
    kText,
    kOpen,  // after "<"
    kStartTag,
    kDoubleQuoted,
    kSingleQuoted,
    kEndTag,
    kInstruction,
    kInstructionQuestion,
    kBang,  // after "<!"
    kBangDash,
    kComment,
    kCommentDash,
    kCommentDashes,
    kCData,
    kCDataBracket,
    kCDataBrackets,
    kDeclaration,
  };

  void Probe();
  // Follows an ASCII-compatible text from bytes[begin]; returns as Feed does. Most of a file is text, names
  // and quoted values, where only "<", ">", '"' and "'" can change the state: where the target has SSE2,
  // 16 bytes at a time are compared with those four and only the bytes found are looked at (SkimBlocks),
  // so that a byte costs a fraction of a nanosecond; the rarer markup goes through Step a byte at a time.
  size_t FeedSingleBytes(const uint8_t* bytes, size_t begin, size_t count);
  // Follows whole 16-byte blocks from bytes[at] while the state is text, a start or end tag or a quoted
  // value; leaves at where it stopped (fewer than 16 bytes left, or after "<!", "<?" or a final "<").
  // False when a start tag goes past the bound, at then being the closing quote.
  bool SkimBlocks(const uint8_t* bytes, size_t& at, size_t count);
  // Moves the state on by one character; false when it takes a start tag past the bound.
  bool Step(uint32_t unit);
  bool Is(uint32_t unit, char ascii) const;
  size_t UnitSize() const;

  Encoding m_encoding = Encoding::kUnknown;
  State m_state = State::kText;
  unsigned m_attributes = 0;
  bool m_refused = false;
  // The first bytes, kept until there are enough to tell the encoding.
  uint8_t m_probe[32] = {};
  size_t m_probed = 0;
  // The bytes of a character that a read split.
  uint8_t m_partial[4] = {};
  size_t m_partialSize = 0;
};

// An input source that reads another one through a StartTagCounter: the read that would hand the parser a
// start tag past the bound ends before it, and the next read throws TooManyAttributes(). (The first read
// never throws: the library does not clean up after an exception from it.) A source that is not adopted
// must outlive this one.
class AttributeBoundedSource : public xercesc::InputSource {
 public:
  explicit AttributeBoundedSource(const xercesc::InputSource& source);
  // Takes adopted over (as the library takes what an entity resolver returns).
  explicit AttributeBoundedSource(std::unique_ptr<xercesc::InputSource> adopted);
  xercesc::BinInputStream* makeStream() const override;

 private:
  std::unique_ptr<xercesc::InputSource> m_adopted;
  const xercesc::InputSource& m_source;
};

}  // namespace k42
