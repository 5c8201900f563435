// Module handles and file names of the loaded ELF objects, found with dladdr and dl_iterate_phdr.
#include "platform/libloader.h"

#include <dlfcn.h>
#include <k42gui/winuser.h>
#include <link.h>
#include <sys/auxv.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/text.h"

namespace {

void* BaseOf(const void* address) {
  Dl_info info;
  if (!dladdr(address, &info)) return nullptr;
  return info.dli_fbase;
}

// The executable's program headers lie inside its first mapped segment.
void* ExecutableBase() { return BaseOf(reinterpret_cast<const void*>(getauxval(AT_PHDR))); }

std::string ExecutablePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

// The absolute path of the module mapped at `base`, or empty if there is none.
std::string PathOfModule(void* base) {
  if (!base || base == ExecutableBase()) return ExecutablePath();
  Dl_info info;
  if (!dladdr(base, &info) || info.dli_fbase != base || !info.dli_fname || !*info.dli_fname) return {};
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(info.dli_fname, error);
  return error ? std::string() : path.lexically_normal().string();
}

std::u16string FileNamePart(const std::u16string& path) {
  size_t slash = path.find_last_of(u'/');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

struct Search {
  std::u16string wanted;   // upper case
  std::u16string withDll;  // upper case, ".DLL" appended when the name has no extension
  std::u16string prefix;   // upper case; when set, a file name starting with it matches
  void* base = nullptr;

  bool Matches(const std::u16string& name) const {
    if (!prefix.empty()) return name.rfind(prefix, 0) == 0;
    return name == wanted || (!withDll.empty() && name == withDll);
  }
};

// Compares the wanted name with each loaded object's full path and file name.
int VisitModule(dl_phdr_info* info, size_t, void* data) {
  auto* search = static_cast<Search*>(data);
  const ElfW(Phdr)* first = nullptr;
  for (ElfW(Half) i = 0; i < info->dlpi_phnum && !first; ++i)
    if (info->dlpi_phdr[i].p_type == PT_LOAD) first = &info->dlpi_phdr[i];
  if (!first) return 0;
  void* base = BaseOf(reinterpret_cast<const void*>(info->dlpi_addr + first->p_vaddr));
  if (!base) return 0;
  std::string loadedAs = PathOfModule(base);
  if (loadedAs.empty()) return 0;
  // A shared object is often loaded through a symbolic link (lib.so -> lib.so.1.0.0);
  // both the name it was loaded under and the real file's name are accepted.
  std::error_code error;
  std::string real = std::filesystem::canonical(loadedAs, error).string();
  for (const std::string& candidate : {loadedAs, real}) {
    std::u16string path = k42::ToUpper(k42::FromNarrow(candidate));
    const bool matches = search->prefix.empty() ? search->Matches(path) || search->Matches(FileNamePart(path))
                                                : search->Matches(FileNamePart(path));
    if (!path.empty() && matches) {
      search->base = base;
      return 1;
    }
  }
  return 0;
}

// The component's shared library ("libK42GuiXmlReader.so" and its versioned
// names) when it is loaded; otherwise the program itself, which then holds the
// model code linked in statically.
void* ComponentBase() {
  Search search;
  search.prefix = u"LIBK42GUIXMLREADER.SO";
  dl_iterate_phdr(VisitModule, &search);
  return search.base ? search.base : ExecutableBase();
}

}  // namespace

HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
  void* base = nullptr;
  if (!lpModuleName) {
    base = ExecutableBase();
  } else {
    // As on Windows a name without an extension means a .dll; Unix file names
    // often have none, so the name as given is tried as well.
    Search search;
    search.wanted = k42::ToUpper(lpModuleName);
    if (FileNamePart(search.wanted).find(u'.') == std::u16string::npos) search.withDll = search.wanted + u".DLL";
    if (search.Matches(k42::ToUpper(k42::kComponentModuleName))) {
      base = ComponentBase();
    } else {
      dl_iterate_phdr(VisitModule, &search);
      base = search.base;
    }
  }
  if (!base) SetLastError(ERROR_MOD_NOT_FOUND);
  return static_cast<HMODULE>(base);
}

DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  if (!lpFilename && nSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string path = PathOfModule(hModule);
  if (path.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  std::u16string wide = k42::FromNarrow(path);
  if (wide.size() < nSize) {
    wide.copy(lpFilename, wide.size());
    lpFilename[wide.size()] = 0;
    return static_cast<DWORD>(wide.size());
  }
  if (nSize) {
    wide.copy(lpFilename, nSize - 1);
    lpFilename[nSize - 1] = 0;
  }
  SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return nSize;
}
