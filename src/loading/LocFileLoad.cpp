// Loads the localized-text file: seeds the built-in texts, then reads the file with the loader as the
// content handler, which hands every callback to the localized-file reader of that read.
#include "loading/DDParserXML.h"

#include <iostream>

#include <k42gui/Logger.h>

#include "localization/LocFileReader.h"
#include "localization/LocTextReader.h"

int CDDParserXML::ParseLocFile(HWND /*progress: no progress is reported for this read*/) {
  if (Logger::m_bActiveLog != 0) {
    Logger::Log(u"Parsing file : %s", m_locPath.c_str());
    Logger::Log(u"Language : %s", m_language.c_str());
  }

  if (!k42::AddBuiltinTexts(*this)) {
    return -6;
  }

  // The texts the read gives the records are kept once each in the model's pool (they repeat a lot); the
  // pool grows by the texts of each language read, at most by the localized file's distinct texts. The
  // read, and every text it applies, runs on the caller's thread; its state lasts as long as the read.
  struct ReaderInUse {
    k42::LocTextReader*& slot;
    ~ReaderInUse() { slot = nullptr; }
  };
  try {
    k42::LocTextReader reader(*this, m_language);
    m_locReader = &reader;
    const ReaderInUse inUse{m_locReader};
    int read = k42::kLocReadFailed;
    try {
      read = k42::ReadLocalizedFile(m_locPath, this, &m_saxErrorHandler);
    } catch (...) {
      reader.Finish();  // what was read so far stays applied, as when the read fails
      throw;
    }
    reader.Finish();
    if (read != k42::kLocReadOk) {
      std::cerr << "CDDParserXML: ParseLocFile failed!" << std::endl;
      Logger::Log(u"%s", u"CDDParserXML: ParseLocFile() failed!");
      return -5;
    }
  } catch (...) {
    std::cerr << "CDDParserXML: ... Exception" << std::endl;
    Logger::Log(u"%s", u"CDDParserXML: ... Exception");
    return -4;
  }
  return 0;
}

int32_t CDDParserXML::ChangeLanguage(const std::u16string& language, HWND progress) {
  if (language == m_language) return 0;
  m_language = language;
  return ParseLocFile(progress);
}

void CDDParserXML::startDocument() {}
void CDDParserXML::endDocument() {}
void CDDParserXML::ignorableWhitespace(const XMLCh*, const XMLSize_t) {}
void CDDParserXML::processingInstruction(const XMLCh*, const XMLCh*) {}

void CDDParserXML::startElement(const XMLCh*, const XMLCh* localname, const XMLCh*,
                                const xercesc::Attributes& attributes) {
  if (m_locReader != nullptr) m_locReader->StartElement(localname, attributes);
}

void CDDParserXML::characters(const XMLCh* chars, const XMLSize_t length) {
  if (m_locReader != nullptr) m_locReader->Characters(chars, length);
}

void CDDParserXML::endElement(const XMLCh*, const XMLCh* localname, const XMLCh*) {
  if (m_locReader != nullptr) m_locReader->EndElement(localname);
}
