// The model the component holds: the loader (and its document) plus the services that
// need the file system or the host's configuration (full paths, help files,
// the SDK initialization string, the failed-language-switch message box).
//
// Example:
//   CDDModel model;
//   model.Initialize(u"/devices/pt42", u"demo.xml", u"demo_loc.xml", u"de", 1, nullptr);
//   std::u16string icon;
//   model.GetModuleIcon(u"modOverview", icon);  // "/devices/pt42/overview.ico"
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "loading/DDParserXML.h"

class CDDModel : public CDDParserXML {
 public:
  CDDModel() = default;

  // Stores the directory (normalized) and file name, builds both paths
  // from the directory as passed, and loads the files.
  int32_t Initialize(const std::u16string& directory, const std::u16string& xmlFile, const std::u16string& locFile,
                     const std::u16string& language, int32_t functionId, HWND progress);

  // Queries whose file references come back with the directory in front.
  int32_t GetModuleIcon(const std::u16string& moduleId, std::u16string& icon) const;
  int32_t GetExternModulePath(const std::u16string& moduleId, std::u16string& path) const;
  int32_t GetModuleTreeIconList(const std::u16string& moduleId, std::u16string& list) const;
  int32_t GetModuleInfo(const std::u16string& moduleId, std::u16string& name, std::u16string& icon,
                        std::u16string& treeIcons, std::u16string& helpFilePath) const;
  int32_t GetLogo(std::vector<CDDLogo>& logos) const;
  // Always asks the parser for reference index 0.
  int32_t GetParameterRef(const std::u16string& id, int32_t parType, std::u16string& reference) const;
  int32_t GetToolbarIconsList(std::u16string& path) const;
  // Resolves the help file to show, falling back to the default device help
  // next to the component's own module file.
  int32_t GetHelpFilePath(int32_t helpFileType, std::u16string& path, int32_t& anchor);

  // Re-reads the localized file for a new language; a failure is shown in
  // the "Open failed!" message box.
  int32_t OnLanguageIDChange(const std::u16string& language, HWND progress);

  int32_t SetSDKInitialization(const std::u16string& text);
  int32_t GetSDKInitialization(std::u16string& text) const;
  int32_t GetSDKInitHelp(std::u16string& application, std::u16string& parameter) const;
  // 1 when the value is empty (or no initialization string is stored), else 0.
  int32_t ParseInitString(const std::u16string& key, std::u16string& value) const;

  const std::u16string& Directory() const { return m_directory; }
  const std::u16string& XmlFileName() const { return m_xmlFileName; }

 private:
  std::u16string m_directory;
  std::u16string m_xmlFileName;
  std::u16string m_sdkInitialization;
  std::u16string m_helpApplication;
  std::u16string m_helpParameter;
  std::u16string m_defaultHelpPath;
  std::u16string m_lastHelpPath;
  std::u16string m_lastHelpLanguage;
  bool m_helpCacheValid = false;
  bool m_helpFileAvailable = true;
};
