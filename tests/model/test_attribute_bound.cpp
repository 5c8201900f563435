// The attribute counter follows the markup in each encoding the XML library reads, however the reads split it.
#include <gtest/gtest.h>

#include <string>

#include "model/AttributeBound.h"
#include "model/LoadBounds.h"

namespace {

// count attributes, double- and single-quoted in turn.
std::string Attributes(unsigned count) {
  std::string text;
  for (unsigned i = 0; i < count; ++i) text += " a" + std::to_string(i) + (i % 2 == 0 ? "=\"\"" : "=''");
  return text;
}

enum class Form { kUtf8, kUtf16Big, kUtf16Little, kUcs4Little, kEbcdic };

// The character of ASCII c in EBCDIC code page 037.
uint8_t Ebcdic(char c) {
  if (c >= 'a' && c <= 'i') return 0x81 + (c - 'a');
  if (c >= 'j' && c <= 'r') return 0x91 + (c - 'j');
  if (c >= 's' && c <= 'z') return 0xA2 + (c - 's');
  if (c >= 'A' && c <= 'I') return 0xC1 + (c - 'A');
  if (c >= 'J' && c <= 'R') return 0xD1 + (c - 'J');
  if (c >= 'S' && c <= 'Z') return 0xE2 + (c - 'S');
  if (c >= '0' && c <= '9') return 0xF0 + (c - '0');
  const std::string ascii = " <>?!-/=\"'[]";
  const uint8_t codes[] = {0x40, 0x4C, 0x6E, 0x6F, 0x5A, 0x60, 0x61, 0x7E, 0x7F, 0x7D, 0xBA, 0xBB};
  return codes[ascii.find(c)];
}

// ASCII text in form (UTF-16 big-endian with its byte order mark, the others told by "<?xml").
std::string Encode(const std::string& text, Form form) {
  std::string bytes = form == Form::kUtf16Big ? "\xFE\xFF" : "";
  for (const char c : text) {
    switch (form) {
      case Form::kUtf8:
        bytes += c;
        break;
      case Form::kUtf16Big:
        bytes += {'\0', c};
        break;
      case Form::kUtf16Little:
        bytes += {c, '\0'};
        break;
      case Form::kUcs4Little:
        bytes += {c, '\0', '\0', '\0'};
        break;
      case Form::kEbcdic:
        bytes += static_cast<char>(Ebcdic(c));
        break;
    }
  }
  return bytes;
}

const uint8_t* Bytes(const std::string& text) { return reinterpret_cast<const uint8_t*>(text.data()); }

TEST(AttributeCounter, PassesTextAndTheBoundAndStopsPastItInEveryEncodingAndSplit) {
  const unsigned bound = k42::kMaxElementAttributes;
  // Markup that looks like attributes but is text (in a comment, an instruction, a CDATA section) is passed
  // over, and so is an element at the bound; the element after them has one attribute too many.
  const std::string fake = "<c" + Attributes(2 * bound) + ">";
  const std::string allowed = "<?xml version='1'?><!-- " + fake + " --><?pi" + Attributes(2 * bound) + "?><r" +
                              Attributes(bound) + "><![CDATA[" + fake + "]]></r>";
  const std::string refused = allowed + "<e" + Attributes(bound + 1) + "/>";
  const size_t lastQuote = refused.find_last_of("\"'");  // closes the value of the attribute past the bound

  for (const Form form : {Form::kUtf8, Form::kUtf16Big, Form::kUtf16Little, Form::kUcs4Little, Form::kEbcdic}) {
    SCOPED_TRACE(static_cast<int>(form));
    const std::string fine = Encode(allowed, form);
    k42::StartTagCounter passes;
    EXPECT_EQ(passes.Feed(Bytes(fine), fine.size()), fine.size());
    EXPECT_FALSE(passes.Refused());

    // In one read, the bytes before the closing quote are handed on.
    const std::string bytes = Encode(refused, form);
    const size_t quoteOffset = Encode(refused.substr(0, lastQuote), form).size();
    k42::StartTagCounter whole;
    EXPECT_EQ(whole.Feed(Bytes(bytes), bytes.size()), quoteOffset);
    EXPECT_TRUE(whole.Refused());

    // Read byte by byte, the refusal comes with the quote's last byte.
    k42::StartTagCounter split;
    size_t refusedAt = bytes.size();
    for (size_t i = 0; i < bytes.size() && refusedAt == bytes.size(); ++i) {
      split.Feed(Bytes(bytes) + i, 1);
      if (split.Refused()) refusedAt = i;
    }
    EXPECT_EQ(refusedAt + 1, Encode(refused.substr(0, lastQuote + 1), form).size());
  }
}

// An ASCII-compatible text is followed in blocks of bytes: a markup character is taken the same wherever it
// falls in a block or a read, and a quote, "<" or ">" where it changes nothing stays so.
TEST(AttributeCounter, RefusesAtTheSameByteWhereverBlocksAndReadsFallInASingleByteText) {
  const std::string markup =
      "<r a=\"'<>\" b='\"<>'>x ' \" > y<!-- <c \"'> --><![CDATA[ <d '\"> ]]><?p <e \"'> ?>"
      "<!x '><</r '><>< f='1'></r><";
  for (size_t pad = 0; pad < 16; ++pad) {
    SCOPED_TRACE(pad);
    const std::string text = "<?xml version='1'?>" + std::string(pad, ' ') + markup + "e" +
                             Attributes(k42::kMaxElementAttributes + 1) + "/>";
    const size_t quote = text.find_last_of("\"'");  // past the bound, in a read long enough for blocks
    const size_t head = pad + markup.size() + 40;
    for (size_t split = 0; split <= quote + 1; split = split == head ? quote - 16 : split + 1) {
      k42::StartTagCounter counter;
      const size_t first = counter.Feed(Bytes(text), split);
      if (split > quote) {
        EXPECT_EQ(first, quote) << split;
      } else {
        EXPECT_FALSE(counter.Refused()) << split;
        EXPECT_EQ(counter.Feed(Bytes(text) + split, text.size() - split), quote - split) << split;
      }
      EXPECT_TRUE(counter.Refused()) << split;
    }
  }
}

}  // namespace
