// Services of the model: directory prefixing, help files, language change and
// the SDK initialization string.
#include "model/DDModel.h"

// Not written yet: filled in with the queries.
int32_t CDDModel::GetModuleIcon(const std::u16string& m, std::u16string& v) const { return CDDParserXML::GetModuleIcon(m, v); }
int32_t CDDModel::GetExternModulePath(const std::u16string& m, std::u16string& v) const { return CDDParserXML::GetExternModulePath(m, v); }
int32_t CDDModel::GetModuleTreeIconList(const std::u16string& m, std::u16string& v) const { return CDDParserXML::GetModuleTreeIconList(m, v); }
int32_t CDDModel::GetModuleInfo(const std::u16string& m, std::u16string& a, std::u16string& b, std::u16string& c,
                                std::u16string& d) const { return CDDParserXML::GetModuleInfo(m, a, b, c, d); }
int32_t CDDModel::GetLogo(std::vector<CDDLogo>& logos) const { return CDDParserXML::GetLogo(logos); }
int32_t CDDModel::GetParameterRef(const std::u16string& id, int32_t t, std::u16string& r) const { return CDDParserXML::GetParameterRef(id, t, 0, r); }
int32_t CDDModel::GetToolbarIconsList(std::u16string& path) const { return GetToolbarImageList(path) == 0 ? -1 : 0; }
int32_t CDDModel::GetHelpFilePath(int32_t t, std::u16string& p, int32_t& a) { return CDDParserXML::GetHelpFilePath(t, p, a); }
int32_t CDDModel::OnLanguageIDChange(const std::u16string& language, HWND progress) { return ChangeLanguage(language, progress); }
int32_t CDDModel::SetSDKInitialization(const std::u16string& text) { m_sdkInitialization = text; return 0; }
int32_t CDDModel::GetSDKInitialization(std::u16string& text) const { text = m_sdkInitialization; return 0; }
int32_t CDDModel::GetSDKInitHelp(std::u16string& a, std::u16string& p) const { a = m_helpApplication; p = m_helpParameter; return 0; }
int32_t CDDModel::ParseInitString(const std::u16string&, std::u16string&) const { return 1; }
