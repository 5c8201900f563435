// Streaming reads of a device file with positions: the parser's locator gives the end of each start
// tag, and the file's own text gives the "<" and the attributes inside it.
#include "authoring/SourceScan.h"

#include <fstream>
#include <iterator>
#include <memory>

#include <xercesc/sax/Locator.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/sax2/Attributes.hpp>
#include <xercesc/sax2/DefaultHandler.hpp>
#include <xercesc/sax2/SAX2XMLReader.hpp>
#include <xercesc/sax2/XMLReaderFactory.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "model/OpenedFileSource.h"
#include "model/ParserSettings.h"
#include "model/SafeResolver.h"
#include "platform/utf.h"

namespace k42 {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The raw text of a file with its line starts, to turn byte offsets into lines and columns and back.
class SourceText {
 public:
  explicit SourceText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    m_text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    m_lineStarts.push_back(0);
    for (size_t i = 0; i < m_text.size(); ++i) {
      if (m_text[i] == '\n') m_lineStarts.push_back(i + 1);
    }
  }

  // The byte offset of a 1-based line and column (characters), clamped to the file.
  size_t Offset(unsigned line, unsigned column) const {
    if (line == 0 || line > m_lineStarts.size()) return m_text.size();
    size_t offset = m_lineStarts[line - 1];
    for (unsigned c = 1; c < column && offset < m_text.size(); ++c) {
      ++offset;
      while (offset < m_text.size() && IsContinuation(static_cast<unsigned char>(m_text[offset]))) ++offset;
    }
    return offset;
  }

  Position At(size_t offset) const {
    size_t line = 0;
    size_t low = 0, high = m_lineStarts.size();
    while (low < high) {  // the last line start not after offset
      const size_t middle = (low + high) / 2;
      if (m_lineStarts[middle] <= offset) {
        line = middle;
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    unsigned column = 1;
    for (size_t i = m_lineStarts[line]; i < offset && i < m_text.size(); ++i) {
      if (!IsContinuation(static_cast<unsigned char>(m_text[i]))) ++column;
    }
    return {static_cast<unsigned>(line + 1), column};
  }

  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
  std::vector<size_t> m_lineStarts;
};

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == ':' ||
         c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// Records problems instead of throwing; the parser stops by itself after a fatal error.
class ProblemCollector : public xercesc::DefaultHandler {
 public:
  void warning(const xercesc::SAXParseException&) override {}
  void error(const xercesc::SAXParseException& e) override { Record(e, false); }
  void fatalError(const xercesc::SAXParseException& e) override { Record(e, true); }

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

class ElementCollector : public ProblemCollector {
 public:
  ElementCollector(const SourceText& source, ScannedFile& scan) : m_source(source), m_scan(scan) {}

  void setDocumentLocator(const xercesc::Locator* locator) override { m_locator = locator; }

  void startElement(const XMLCh*, const XMLCh*, const XMLCh* qname, const xercesc::Attributes& attributes) override {
    ScannedElement element;
    element.name = qname;
    element.parent = m_open.empty() ? -1 : m_open.back();
    // The locator stands just after the start tag; its "<" is the last one before that.
    const size_t end = m_locator != nullptr ? m_source.Offset(static_cast<unsigned>(m_locator->getLineNumber()),
                                                              static_cast<unsigned>(m_locator->getColumnNumber()))
                                            : 0;
    const std::string& text = m_source.Text();
    const size_t start = end == 0 ? std::string::npos : text.rfind('<', end - 1);
    element.position = start == std::string::npos ? Position{} : m_source.At(start);
    for (XMLSize_t i = 0; i < attributes.getLength(); ++i) {
      ScannedAttribute attribute;
      attribute.name = attributes.getQName(i);
      attribute.value = attributes.getValue(i);
      if (start != std::string::npos) Place(attribute, start, end);
      element.attributes.push_back(std::move(attribute));
    }
    m_open.push_back(static_cast<int>(m_scan.elements.size()));
    m_scan.elements.push_back(std::move(element));
  }

  void endElement(const XMLCh*, const XMLCh*, const XMLCh*) override {
    if (!m_open.empty()) m_open.pop_back();
  }

  void characters(const XMLCh* chars, const XMLSize_t length) override {
    if (!m_open.empty()) m_scan.elements[m_open.back()].text.append(chars, length);
  }

 private:
  // Finds `name =` between the tag's "<" and its end, as a whole name.
  void Place(ScannedAttribute& attribute, size_t start, size_t end) const {
    const std::string& text = m_source.Text();
    const std::string name = utf::ToUtf8(attribute.name);
    for (size_t at = text.find(name, start); at != std::string::npos && at < end; at = text.find(name, at + 1)) {
      if (at == 0 || IsNameChar(text[at - 1])) continue;
      size_t after = at + name.size();
      while (after < end && (text[after] == ' ' || text[after] == '\t' || text[after] == '\r' || text[after] == '\n'))
        ++after;
      if (after >= end || text[after] != '=') continue;
      ++after;
      while (after < end && text[after] != '"' && text[after] != '\'') ++after;
      attribute.position = m_source.At(at);
      attribute.valuePosition = m_source.At(after < end ? after + 1 : at);
      return;
    }
  }

  const SourceText& m_source;
  ScannedFile& m_scan;
  const xercesc::Locator* m_locator = nullptr;
  std::vector<int> m_open;
};

// Runs one read of path with handler, local and bounded as the component's readers are.
bool Read(const std::string& path, xercesc::DefaultHandler& handler, ProblemCollector& problems,
          void (*configure)(xercesc::SAX2XMLReader&)) {
  std::u16string notRead;
  const std::unique_ptr<OpenedFileSource> source(OpenForParser(utf::ToUtf16(path), notRead));
  if (source == nullptr) return false;
  std::unique_ptr<xercesc::SAX2XMLReader> reader(xercesc::XMLReaderFactory::createXMLReader());
  // The resolver that sees the kind of each request is a member of the implementation class only.
  auto* resolvable = dynamic_cast<xercesc::SAX2XMLReaderImpl*>(reader.get());
  if (resolvable == nullptr) return false;
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
  reader->setErrorHandler(&problems);
  try {
    reader->parse(*source);
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
  return true;
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
  const SourceText source(path);
  ElementCollector collector(source, scan);
  scan.opened = Read(path, collector, collector, NoValidation);
  scan.problems = std::move(collector.m_problems);
  return scan;
}

std::vector<ScanProblem> Validate(const std::string& path, DeviceFile kind) {
  ProblemCollector collector;
  Read(path, collector, collector,
       kind == DeviceFile::kGuiXml ? static_cast<void (*)(xercesc::SAX2XMLReader&)>(ApplyGuiXmlSettings)
                                   : ApplyLocalizedFileSettings);
  return std::move(collector.m_problems);
}

}  // namespace k42
