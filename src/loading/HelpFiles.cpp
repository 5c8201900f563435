// Finds the help file to show: the localized file's reference next to the
// device files, a URL as it stands, or the default device help shipped next
// to the component.
#include "loading/DDModel.h"

#include <k42gui/IGuiXmlModel.h>

#include "model/Vocabulary.h"
#include "platform/files.h"
#include "platform/libloader.h"
#include "platform/text.h"

namespace {

// Whether the file is there and readable: it is opened for reading and closed. Only a regular file counts:
// a named pipe would make the host wait, and neither it nor a directory is a help file to show.
bool CanOpen(const std::u16string& path) { return k42::ReadableFile::Open(path).IsOpen(); }

// The directory of the component's own module file, separator included. On
// Windows the name ends at its last backslash; here module file names are
// Unix paths, so the last '/' or '\' ends the directory. A name without
// either is taken whole, and an unknown name gives an empty directory (the
// process's current directory).
std::u16string ComponentDirectory() {
  const std::u16string module = k42::ComponentModuleFileName();
  const size_t separator = module.find_last_of(u"/\\");
  return separator == std::u16string::npos ? module : module.substr(0, separator + 1);
}

// The default device help for the language, else the English one, else empty.
std::u16string DefaultHelpPath(const std::u16string& language) {
  const std::u16string directory = ComponentDirectory();
  std::u16string path = directory + u"default_device_help_" + language + u".pdf";
  if (CanOpen(path)) return path;
  path = directory + u"default_device_help_en.pdf";
  return CanOpen(path) ? path : std::u16string();
}

}  // namespace

// The file tests run again only when the resolved path or the language
// changed since the last call, so a file created or deleted in between is not
// noticed for the same path and language.
int32_t CDDModel::GetHelpFilePath(int32_t helpFileType, std::u16string& path, int32_t& anchor) {
  int32_t result = -1;
  if (GetHelpFileRef(helpFileType, path, anchor) == 0 && !path.empty()) {
    if (!k42::IsWebAddress(path)) path = m_directory + path;
    result = 0;
  }

  if (path != m_lastHelpPath || m_language != m_lastHelpLanguage) {
    m_helpCacheValid = false;
    m_lastHelpPath = path;
    m_lastHelpLanguage = m_language;
  }

  if (!m_helpCacheValid) {
    m_helpFileAvailable = !path.empty() && CanOpen(path);
    if (!m_helpFileAvailable && k42::IsWebAddress(path)) m_helpFileAvailable = true;
    if (!m_helpFileAvailable) m_defaultHelpPath = DefaultHelpPath(m_language);
    m_helpCacheValid = true;
  }

  if (!m_helpFileAvailable) {
    path = m_defaultHelpPath;
    anchor = kNO;
  }
  return result;
}
