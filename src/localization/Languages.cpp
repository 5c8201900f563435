// Label look-ups by identifier and the language operations.
#include "model/DDParserXML.h"

// Not read yet: filled in by the reader of this section.

int32_t CDDParserXML::GetGuiLabel(const std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetGlobalLabel(const std::u16string&, std::u16string&) const { return -1; }
int32_t CDDParserXML::GetLanguage(std::u16string& language) const { language = m_language; return 0; }
int32_t CDDParserXML::SetLanguage(const std::u16string& language) { if (language != m_language) m_language = language; return 0; }
int32_t CDDParserXML::ChangeLanguage(const std::u16string&, HWND) { return 0; }
int32_t CDDParserXML::GetSupportedLanguages(std::map<std::u16string, std::u16string>&) const { return -1; }
