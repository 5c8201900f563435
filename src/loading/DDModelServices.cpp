// Services of the model: directory prefixing of file references, the
// language change with its "Open failed!" box, and the SDK initialization string.
#include "loading/DDModel.h"

#include <k42gui/IGuiXmlModel.h>
#include <k42gui/winuser.h>

#include "model/InitString.h"
#include "platform/wide.h"

namespace {

// File references of the GUI XML file are relative to the directory given at
// initialization; an empty reference stays empty. Only answers of a query that
// succeeded are prefixed: after a miss the outputs still hold what the caller
// passed, and those stay as they were.
void Prefix(const std::u16string& directory, std::u16string& reference) {
  if (!reference.empty()) reference = directory + reference;
}

}  // namespace

int32_t CDDModel::GetModuleIcon(const std::u16string& moduleId, std::u16string& icon) const {
  const int32_t result = GetModuleIconRef(moduleId, icon);
  if (result == 0) Prefix(m_directory, icon);
  return result;
}

int32_t CDDModel::GetExternModulePath(const std::u16string& moduleId, std::u16string& path) const {
  const int32_t result = GetExternModuleRef(moduleId, path);
  if (result == 0) Prefix(m_directory, path);
  return result;
}

int32_t CDDModel::GetModuleTreeIconList(const std::u16string& moduleId, std::u16string& list) const {
  const int32_t result = GetModuleTreeIconListRef(moduleId, list);
  if (result == 0) Prefix(m_directory, list);
  return result;
}

int32_t CDDModel::GetModuleInfo(const std::u16string& moduleId, std::u16string& name, std::u16string& icon,
                                std::u16string& treeIcons, std::u16string& helpFilePath) const {
  if (GetModuleInfoRefs(moduleId, name, icon, treeIcons, helpFilePath) != 0) return -1;
  Prefix(m_directory, helpFilePath);
  Prefix(m_directory, icon);
  Prefix(m_directory, treeIcons);
  return 0;
}

// -1 when there are no logos, or when one of them has no path (the others
// are prefixed all the same).
int32_t CDDModel::GetLogo(std::vector<CDDLogo>& logos) const {
  GetLogoRefs(logos);
  if (logos.empty()) return -1;
  int32_t result = 0;
  for (CDDLogo& logo : logos) {
    if (logo.m_reference.empty()) result = -1;
    Prefix(m_directory, logo.m_reference);
  }
  return result;
}

int32_t CDDModel::GetParameterRef(const std::u16string& id, int32_t parType, std::u16string& reference) const {
  const int32_t result = GetParameterRefAt(id, parType, 0, reference);
  if (result == 0 && parType == PAR_IMAGE) Prefix(m_directory, reference);
  return result;
}

int32_t CDDModel::GetToolbarIconsList(std::u16string& path) const {
  if (GetToolbarImageList(path) == 0) return -1;
  Prefix(m_directory, path);
  return 0;
}

int32_t CDDModel::OnLanguageIDChange(const std::u16string& language, HWND progress) {
  const int32_t result = ChangeLanguage(language, progress);
  if (result != 0) {
    const std::u16string file = m_directory + m_xmlFileName;
    MessageBoxW(nullptr, k42::AsWide(file.c_str()), k42::AsWide(u"Open failed!"), MB_OK);
  }
  return result;
}

int32_t CDDModel::SetSDKInitialization(const std::u16string& text) {
  m_sdkInitialization = text;
  m_helpApplication = k42::InitStringValue(text, u"HelpApplication");
  m_helpParameter = k42::InitStringValue(text, u"HelpParameter");
  return 0;
}

int32_t CDDModel::GetSDKInitialization(std::u16string& text) const {
  text = m_sdkInitialization;
  return 0;
}

// The SDK's help viewer is offered only while the device's own help file is
// available; once a look-up found none, the default help is shown instead.
int32_t CDDModel::GetSDKInitHelp(std::u16string& application, std::u16string& parameter) const {
  if (m_helpFileAvailable) {
    application = m_helpApplication;
    parameter = m_helpParameter;
  } else {
    application.clear();
    parameter.clear();
  }
  return 0;
}

int32_t CDDModel::ParseInitString(const std::u16string& key, std::u16string& value) const {
  if (m_sdkInitialization.empty()) return 1;
  value = k42::InitStringValue(m_sdkInitialization, key);
  return value.empty() ? 1 : 0;
}
