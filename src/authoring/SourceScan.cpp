// Reads of a device file with positions: the file is read once into memory, the parser's locator gives the
// end of each start tag, and the text gives the "<" and the attributes inside it.
#include "authoring/SourceScan.h"

#include <algorithm>
#include <memory>

#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "model/LoadBounds.h"
#include "model/ParserSettings.h"
#include "model/SafeResolver.h"
#include "platform/files.h"
#include "platform/utf.h"

namespace k42 {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Walks a file's text forward, counting lines and columns as the parser does: CR, LF and CRLF each end a
// line (in an XML 1.1 document also NEL, CR NEL and LINE SEPARATOR), and a column is one character, two
// for one outside the Basic Multilingual Plane (the parser counts UTF-16 code units).
class TextCursor {
 public:
  TextCursor(std::string_view text, bool xml11) : m_text(text), m_xml11(xml11) {}

  size_t Offset() const { return m_offset; }
  Position At() const { return {m_line, m_column}; }

  // Moves to offset (or stays, when that lies behind). Every step moves forward, so a walk over positions
  // in document order costs the length of the file in all.
  void MoveTo(size_t offset) {
    while (m_offset < offset && m_offset < m_text.size()) Step();
  }

  // Moves to the first place at or after line and column; the end of the text when there is none.
  void MoveTo(Position position) {
    while (m_offset < m_text.size() &&
           (m_line < position.line || (m_line == position.line && m_column < position.column))) {
      Step();
    }
  }

 private:
  bool Sees(std::string_view bytes) const { return m_text.substr(m_offset, bytes.size()) == bytes; }

  void Step() {
    const size_t lineEnd = LineEnd();
    if (lineEnd != 0) {
      m_offset += lineEnd;
      ++m_line;
      m_column = 1;
      return;
    }
    const auto lead = static_cast<unsigned char>(m_text[m_offset]);
    ++m_offset;
    while (m_offset < m_text.size() && IsContinuation(static_cast<unsigned char>(m_text[m_offset]))) ++m_offset;
    m_column += lead >= 0xF0 ? 2 : 1;
  }

  // The length of the line end at the cursor, 0 when there is none.
  size_t LineEnd() const {
    static constexpr std::string_view kNel = "\xC2\x85", kLineSeparator = "\xE2\x80\xA8";
    const char c = m_text[m_offset];
    if (c == '\n') return 1;
    if (c == '\r') {
      if (m_offset + 1 < m_text.size() && m_text[m_offset + 1] == '\n') return 2;
      if (m_xml11 && m_text.substr(m_offset + 1, kNel.size()) == kNel) return 1 + kNel.size();
      return 1;
    }
    if (m_xml11 && Sees(kNel)) return kNel.size();
    if (m_xml11 && Sees(kLineSeparator)) return kLineSeparator.size();
    return 0;
  }

  std::string_view m_text;
  bool m_xml11;
  size_t m_offset = 0;
  unsigned m_line = 1;
  unsigned m_column = 1;
};

// Whether the text opens with an XML declaration of version 1.1, whose line ends the parser counts too.
bool IsXml11(std::string_view text) {
  if (text.substr(0, 5) != "<?xml") return false;
  const std::string_view declaration = text.substr(0, text.find("?>"));
  return declaration.find("version=\"1.1\"") != std::string_view::npos ||
         declaration.find("version='1.1'") != std::string_view::npos;
}

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == ':' ||
         c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Thrown from a callback to end the parse at a refusal that is already recorded.
struct Stopped {};

// Records problems instead of throwing; the parser stops by itself after a fatal error.
class ProblemCollector : public xercesc::DefaultHandler {
 public:
  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& e) override { Record(e, false); }
  void fatalError(const xercesc::SAXParseException& e) override { Record(e, true); }

  // Records a refusal of the component's load bounds at position and ends the parse.
  [[noreturn]] void Refuse(Position position, const LoadRefused& refusal) {
    ScanProblem problem;
    problem.position = position;
    problem.fatal = true;
    problem.message = refusal.what();
    m_problems.push_back(std::move(problem));
    throw Stopped();
  }

  std::vector<ScanProblem> m_problems;

 private:
  void Record(const xercesc::SAXParseException& e, bool fatal) {
    ScanProblem problem;
    problem.position = {static_cast<unsigned>(e.getLineNumber()), static_cast<unsigned>(e.getColumnNumber())};
    problem.fatal = fatal;
    problem.message = e.getMessage() != nullptr ? utf::ToUtf8(e.getMessage()) : std::string();
    problem.systemId = e.getSystemId() != nullptr ? utf::ToUtf8(e.getSystemId()) : std::string();
    m_problems.push_back(std::move(problem));
  }
};

// Where the name and the value of one attribute are written inside a start tag.
struct AttributeText {
  std::string_view name;
  size_t nameOffset;
  size_t valueOffset;
};

// The attributes written in the start tag text[start, end), in order, read in one pass.
std::vector<AttributeText> AttributesOfTag(std::string_view text, size_t start, size_t end) {
  std::vector<AttributeText> found;
  size_t at = start + 1;
  while (at < end && IsNameChar(text[at])) ++at;  // the element's name
  for (;;) {
    while (at < end && IsSpace(text[at])) ++at;
    const size_t nameStart = at;
    while (at < end && IsNameChar(text[at])) ++at;
    if (at == nameStart) break;  // "/>", ">" or something the parser has refused already
    const size_t nameEnd = at;
    while (at < end && text[at] != '"' && text[at] != '\'') ++at;
    if (at >= end) break;
    const size_t valueStart = at + 1;
    const size_t close = text.find(text[at], valueStart);
    found.push_back({text.substr(nameStart, nameEnd - nameStart), nameStart, valueStart});
    if (close == std::string_view::npos || close >= end) break;
    at = close + 1;
  }
  return found;
}

// Keeps each element with the positions of its start tag and attributes, and stops the read at the bounds
// of the component's load (document type declarations, nesting depth, attributes per element).
class ElementCollector : public ProblemCollector {
 public:
  ElementCollector(std::string_view text, ScannedFile& scan)
      : m_text(text), m_scan(scan), m_locatorCursor(text, IsXml11(text)), m_cursor(text, IsXml11(text)) {}

  void setDocumentLocator(const xercesc::Locator* locator) override { m_locator = locator; }

  void startDTD(const XMLCh*, const XMLCh*, const XMLCh*) override {
    const size_t end = LocatorOffset();
    const size_t start = end == 0 ? std::string_view::npos : m_text.rfind("<!", end - 1);
    Refuse(PositionOf(start), DoctypeRefused());
  }

  void startElement(const XMLCh* uri, const XMLCh*, const XMLCh* qname,
                    const xercesc::Attributes& attributes) override {
    // The locator stands just after the start tag; its "<" is the last one before that.
    const size_t end = LocatorOffset();
    const size_t start = end == 0 ? std::string_view::npos : m_text.rfind('<', end - 1);
    ScannedElement element;
    element.name = qname;
    if (uri != nullptr) element.space = uri;
    element.parent = m_open.empty() ? -1 : m_open.back();
    element.position = PositionOf(start);
    if (m_open.size() >= kMaxElementDepth) Refuse(element.position, TooDeep());
    if (attributes.getLength() > kMaxElementAttributes) Refuse(element.position, TooManyAttributes());
    const std::vector<AttributeText> written =
        start == std::string_view::npos ? std::vector<AttributeText>() : AttributesOfTag(m_text, start, end);
    size_t next = 0;  // the parser reports the attributes in the order they are written
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i) {
      ScannedAttribute attribute;
      attribute.name = attributes.getQName(i);
      attribute.value = attributes.getValue(i);
      const std::string name = utf::ToUtf8(attribute.name);
      for (size_t tried = 0; tried < written.size(); ++tried, next = (next + 1) % written.size()) {
        if (written[next].name != name) continue;
        if (written[next].nameOffset < m_cursor.Offset()) break;  // positions are only found going forward
        attribute.position = PositionOf(written[next].nameOffset);
        attribute.valuePosition = PositionOf(written[next].valueOffset);
        next = (next + 1) % written.size();
        break;
      }
      element.attributes.push_back(std::move(attribute));
    }
    m_open.push_back(static_cast<int>(m_scan.elements.size()));
    m_scan.elements.push_back(std::move(element));
  }

  void endElement(const XMLCh*, const XMLCh*, const XMLCh*) override {
    if (!m_open.empty()) m_open.pop_back();
  }

  void fatalError(const xercesc::SAXParseException& e) override {
    if (m_openAtFatal < 0 && !m_open.empty()) m_openAtFatal = m_open.back();
    ProblemCollector::fatalError(e);
  }

  // The innermost element still open at the first fatal error, or -1.
  int OpenAtFatal() const { return m_openAtFatal; }

  void characters(const XMLCh* chars, const XMLSize_t length) override {
    if (!m_open.empty()) m_scan.elements[m_open.back()].text.append(chars, length);
  }

 private:
  // The offset in the text of the locator's line and column (0 without a locator).
  size_t LocatorOffset() {
    if (m_locator == nullptr) return 0;
    m_locatorCursor.MoveTo(Position{static_cast<unsigned>(m_locator->getLineNumber()),
                                    static_cast<unsigned>(m_locator->getColumnNumber())});
    return m_locatorCursor.Offset();
  }

  // The line and column of offset, which lies after every offset asked for before; npos: the file as a whole.
  Position PositionOf(size_t offset) {
    if (offset == std::string_view::npos || offset < m_cursor.Offset()) return Position{};
    m_cursor.MoveTo(offset);
    return m_cursor.At();
  }

  std::string_view m_text;
  ScannedFile& m_scan;
  const xercesc::Locator* m_locator = nullptr;
  TextCursor m_locatorCursor;  // follows the locator, at the end of the latest start tag
  TextCursor m_cursor;         // follows the positions handed out, at the latest of them
  std::vector<int> m_open;
  int m_openAtFatal = -1;
};

// Whether the text is to be read as UTF-8: no byte order mark of UTF-16 and no other encoding declared.
bool ReadAsUtf8(std::string_view text) {
  if (text.substr(0, 2) == "\xFE\xFF" || text.substr(0, 2) == "\xFF\xFE") return false;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.substr(0, 5) != "<?xml") return true;
  const std::string_view declaration = text.substr(0, text.find("?>"));
  const size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return true;
  const size_t quote = declaration.find_first_of("\"'", at);
  if (quote == std::string_view::npos) return true;
  const size_t close = declaration.find(declaration[quote], quote + 1);
  std::string name(declaration.substr(quote + 1, close == std::string_view::npos ? 0 : close - quote - 1));
  for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return name == "UTF-8" || name == "UTF8";
}

// The offset of the first byte that does not begin a well-formed UTF-8 sequence, or npos.
size_t FirstInvalidUtf8(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    const auto lead = static_cast<unsigned char>(text[at]);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead < 0x80) {
      ++at;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return at;
    }
    if (at + length > text.size()) return at;
    for (size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(text[at + i]);
      if (i == 1 ? (next < low || next > high) : !IsContinuation(next)) return at;
    }
    at += length;
  }
  return std::string_view::npos;
}

std::string Hex(unsigned char byte) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 15];
}

std::string At(Position position) {
  return "line " + std::to_string(position.line) + ", column " + std::to_string(position.column);
}

// Says the first fatal problem in the author's words where the parser's are about its own state: the first
// byte that is not UTF-8 (the parser reports where its buffer started), and an element left open by where
// it was opened (the parser reports where it gave up).
void InAuthorsWords(ScannedFile& scan, int openAtFatal) {
  const auto fatal = std::find_if(scan.problems.begin(), scan.problems.end(),
                                  [](const ScanProblem& problem) { return problem.fatal; });
  if (fatal == scan.problems.end()) return;
  const size_t invalid = ReadAsUtf8(scan.text) ? FirstInvalidUtf8(scan.text) : std::string_view::npos;
  if (invalid != std::string_view::npos) {
    TextCursor cursor(scan.text, IsXml11(scan.text));
    cursor.MoveTo(invalid);
    fatal->position = cursor.At();
    fatal->message = "not UTF-8: byte " + Hex(static_cast<unsigned char>(scan.text[invalid])) + " on " +
                     At(fatal->position) + "; save the file as UTF-8 or declare its encoding";
    fatal->systemId.clear();
    return;
  }
  const bool unclosed = fatal->message.rfind("expected end of tag", 0) == 0 ||
                        fatal->message.rfind("input ended before all started tags were ended", 0) == 0;
  if (!unclosed || openAtFatal < 0) return;
  const ScannedElement& open = scan.elements[openAtFatal];
  const Position noticed = fatal->position;
  fatal->position = open.position;
  fatal->message = "element '" + utf::ToUtf8(open.name) + "' opened on " + At(open.position) +
                   " is not closed (the parser noticed on " + At(noticed) + ": " + fatal->message + ")";
}

// Runs one read of the scanned file's text with handler, local and bounded as the component's readers are.
void Read(const ScannedFile& scan, xercesc::DefaultHandler& handler, ProblemCollector& problems,
          void (*configure)(xercesc::SAX2XMLReader&)) {
  xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(scan.text.data()), scan.text.size(),
                                    scan.systemId.c_str());
  std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
  // The resolver that sees the kind of each request is a member of the implementation class only.
  auto* resolvable = dynamic_cast<xercesc::SAX2XMLReaderImpl*>(reader.get());
  if (resolvable == nullptr) return;
  configure(*reader);
  SafeEntityResolver resolver([&problems](const std::u16string& reason) {
    ScanProblem problem;
    problem.message = utf::ToUtf8(reason);
    problems.m_problems.push_back(std::move(problem));
  });
  auto security = MakeSecurityManager();
  resolvable->setXMLEntityResolver(&resolver);
  reader->setFeature(xercesc::XMLUni::fgXercesDisableDefaultEntityResolution, true);
  reader->setProperty(xercesc::XMLUni::fgXercesSecurityManager, security.get());
  reader->setContentHandler(&handler);
  reader->setLexicalHandler(&handler);
  reader->setErrorHandler(&problems);
  try {
    reader->parse(source);
  } catch (const Stopped&) {
    // recorded where it was thrown
  } catch (const xercesc::XMLException& e) {
    ScanProblem problem;
    problem.fatal = true;
    problem.message = e.getMessage() != nullptr ? utf::ToUtf8(e.getMessage()) : "the file could not be read";
    problems.m_problems.push_back(std::move(problem));
  } catch (...) {
    ScanProblem problem;
    problem.fatal = true;
    problem.message = "the file could not be read";
    problems.m_problems.push_back(std::move(problem));
  }
}

void NoValidation(xercesc::SAX2XMLReader& reader) {
  reader.setFeature(xercesc::XMLUni::fgSAX2CoreValidation, false);
  reader.setFeature(xercesc::XMLUni::fgSAX2CoreNameSpaces, true);
  reader.setFeature(xercesc::XMLUni::fgXercesSchema, false);
  reader.setFeature(xercesc::XMLUni::fgXercesLoadSchema, false);
}

}  // namespace

const ScannedAttribute* ScannedElement::Attribute(std::u16string_view attributeName) const {
  for (const ScannedAttribute& attribute : attributes) {
    if (attribute.name == attributeName) return &attribute;
  }
  return nullptr;
}

int ScannedFile::Enclosing(int index, std::u16string_view elementName) const {
  for (; index >= 0; index = elements[index].parent) {
    if (elements[index].name == elementName) return index;
  }
  return -1;
}

ScannedFile ScanElements(const std::string& path) {
  ScannedFile scan;
  // Opened once, and only a regular file: what is read is what was judged, and nothing waits on a pipe.
  ReadableFile file = ReadableFile::Open(path, kMaxScannedFile);
  scan.failure = file.Failure();
  scan.reason = file.Reason();
  if (!file || !file.ReadAll(scan.text)) {
    if (file) scan.failure = OpenFailure::kUnreadable;
    scan.text.clear();
    return scan;
  }
  scan.opened = true;
  scan.systemId = AbsolutePath(utf::ToUtf16(path));
  ElementCollector collector(scan.text, scan);
  Read(scan, collector, collector, NoValidation);
  scan.problems = std::move(collector.m_problems);
  InAuthorsWords(scan, collector.OpenAtFatal());
  return scan;
}

std::vector<ScanProblem> Validate(const ScannedFile& scan, DeviceFile kind) {
  ProblemCollector collector;
  if (!scan.opened) return {};
  Read(scan, collector, collector,
       kind == DeviceFile::kGuiXml ? static_cast<void (*)(xercesc::SAX2XMLReader&)>(ApplyGuiXmlSettings)
                                   : ApplyLocalizedFileSettings);
  return std::move(collector.m_problems);
}

}  // namespace k42
