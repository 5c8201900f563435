// Label look-ups by identifier, the current language and the languages the device supports.
#include "model/DDDocument.h"

namespace {

// 0 and the record's label, or -1 (text untouched) when there is none.
int32_t LabelOf(const CDDElementMap& dictionary, const std::u16string& id, std::u16string& text) {
  const CDDBase* record = dictionary.FindChild(id);
  if (record == nullptr) return -1;
  record->GetLabel(text);
  return 0;
}

}  // namespace

int32_t CDDDocument::GetGuiLabel(const std::u16string& id, std::u16string& text) const {
  return LabelOf(m_guiLabels, id, text);
}

int32_t CDDDocument::GetGlobalLabel(const std::u16string& id, std::u16string& text) const {
  return LabelOf(m_elements, id, text);
}

int32_t CDDDocument::GetLanguage(std::u16string& language) const {
  language = m_language;
  return 0;
}

int32_t CDDDocument::SetLanguage(const std::u16string& language) {
  if (language != m_language) m_language = language;
  return 0;
}

int32_t CDDDocument::GetSupportedLanguages(std::map<std::u16string, std::u16string>& languages) const {
  languages.clear();
  for (const auto& language : m_languages) {
    languages.emplace(language->GetCode(), language->GetLocalLabel());  // first wins
  }
  return m_languages.empty() ? -1 : 0;
}
