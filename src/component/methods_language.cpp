// IGuiXmlModel methods of loading, languages and labels: Initialize, the language methods, GUI and global labels.
#include <map>

#include "component/GuiXmlModel.h"
#include "component/conversions.h"
#include "component/variant_array.h"

namespace k42com {

// 1: loads the GUI XML file and the localized file; S_OK when loading succeeded.
HRESULT CGuiXmlModel::Initialize(BSTR bstrDirectory, BSTR bstrXMLFile, BSTR bstrXMLLocalizedFile, BSTR bstrLangID,
                                 long lFunctionID, long lWndProgress) {
  return Shielded([&] {
    const int32_t status =
        m_model.Initialize(FromBstr(bstrDirectory), FromBstr(bstrXMLFile), FromBstr(bstrXMLLocalizedFile),
                           FromBstr(bstrLangID), static_cast<int32_t>(lFunctionID), WindowFromLong(lWndProgress));
    return status == 0 ? S_OK : S_FALSE;
  });
}

// 2: the current language identifier, always.
HRESULT CGuiXmlModel::GetLanguage(BSTR* pbstrLangID) {
  return Shielded([&] {
    std::u16string language;
    m_model.GetLanguage(language);
    WriteText(pbstrLangID, language);
    return S_OK;
  });
}

// 3: stores the language identifier only; the texts stay until the localized file is read again.
HRESULT CGuiXmlModel::SetLanguage(BSTR bstrLangID) {
  return Shielded([&] {
    m_model.SetLanguage(FromBstr(bstrLangID));
    return S_OK;
  });
}

// 4: rows x 2 (identifier, local name), ascending by identifier.
HRESULT CGuiXmlModel::GetSupportedLanguages(VARIANT* pvarLanguages) {
  return Shielded([&] {
    std::map<std::u16string, std::u16string> languages;
    if (m_model.GetSupportedLanguages(languages) != 0 || languages.empty()) return S_FALSE;
    VariantArray table(languages.size(), 2);
    size_t row = 0;
    for (const auto& [identifier, localName] : languages) {
      table.PutText(row, 0, identifier);
      table.PutText(row, 1, localName);
      ++row;
    }
    return table.HandOutResult(pvarLanguages);
  });
}

// 31: reads the localized file again when the language differs from the current one.
HRESULT CGuiXmlModel::OnLanguageIDChange(BSTR bstrLangID, long lWndProgress) {
  return Shielded([&] {
    return m_model.OnLanguageIDChange(FromBstr(bstrLangID), WindowFromLong(lWndProgress)) == 0 ? S_OK : S_FALSE;
  });
}

// 37: a built-in (or "SDKSTDGUI") text; written only when found.
HRESULT CGuiXmlModel::GetGuiLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) {
  return Shielded([&] {
    std::u16string text;
    if (m_model.GetGuiLabel(FromBstr(bstrLabelID), text) != 0) return S_FALSE;
    WriteText(pbstrLabelText, text);
    return S_OK;
  });
}

// 42: the label of a declared element; written only when found.
HRESULT CGuiXmlModel::GetGlobalLabel(BSTR bstrLabelID, BSTR* pbstrLabelText) {
  return Shielded([&] {
    std::u16string text;
    if (m_model.GetGlobalLabel(FromBstr(bstrLabelID), text) != 0) return S_FALSE;
    WriteText(pbstrLabelText, text);
    return S_OK;
  });
}

}  // namespace k42com
