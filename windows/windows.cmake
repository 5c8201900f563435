# The Windows side of the one build (included by the root project when it is configured with
# windows/toolchain-x64.cmake or windows/toolchain-x86.cmake): the real SDK of mingw-w64 in place of the platform
# stand-ins, a static Xerces-C, the type library compiled from the IDL, and the version resource.
enable_language(C)
enable_language(RC)

set(K42GUI_XERCES_DIR "" CACHE PATH "Install prefix of the static Xerces-C for Windows (scripts/windows-deps.sh)")
# Xerces-C links the thread library of the toolchain.
find_package(Threads REQUIRED)
find_package(XercesC REQUIRED CONFIG PATHS "${K42GUI_XERCES_DIR}/cmake" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# Only system DLLs at run time: the compiler's own libraries are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(K42GUI_WINDOWS_ARCH x64)
  set(widl_bits -m64)
  set(wine_windows_dir /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
else()
  set(K42GUI_WINDOWS_ARCH x86)
  set(widl_bits -m32)
  set(wine_windows_dir /usr/lib/i386-linux-gnu/wine/i386-windows)
  # Without Wine's 32-bit half (a kernel that runs no 32-bit programs) the 64-bit stdole2.tlb serves as well:
  # widl only imports the standard types from it.
  if(NOT EXISTS "${wine_windows_dir}/stdole2.tlb")
    set(wine_windows_dir /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
  endif()
endif()

# What a Windows user gets, in one directory: the DLL, its type library and the inspector (the installers and
# the zip take them from here).
set(K42GUI_WINDOWS_PACKAGE_DIR "${PROJECT_BINARY_DIR}/package")
file(MAKE_DIRECTORY "${K42GUI_WINDOWS_PACKAGE_DIR}")

# ---- The interface: widl makes the type library and the header the build uses from the IDL -------------------
set(K42GUI_WINDOWS_GENERATED "${PROJECT_BINARY_DIR}/windows-generated")
file(MAKE_DIRECTORY "${K42GUI_WINDOWS_GENERATED}")
set(idl "${CMAKE_CURRENT_LIST_DIR}/K42GuiXmlReader.idl")
set(K42GUI_TYPELIB "${K42GUI_WINDOWS_PACKAGE_DIR}/K42GuiXmlReader.tlb")
find_program(K42GUI_WIDL NAMES ${K42GUI_MINGW_TRIPLET}-widl widl REQUIRED)
set(K42GUI_WINE_IDL_DIR /usr/include/wine/wine/windows CACHE PATH "IDL files of the Windows API (libwine-dev)")
set(K42GUI_WINE_TLB_DIR "${wine_windows_dir}" CACHE PATH "Where widl finds stdole2.tlb")
add_custom_command(
  OUTPUT "${K42GUI_WINDOWS_GENERATED}/K42GuiXmlReader_h.h" "${K42GUI_WINDOWS_GENERATED}/K42GuiXmlReader_i.c"
    "${K42GUI_TYPELIB}"
  COMMAND "${K42GUI_WIDL}" ${widl_bits} -I "${K42GUI_WINE_IDL_DIR}" -L "${K42GUI_WINE_TLB_DIR}"
    -h -H K42GuiXmlReader_h.h -u -U K42GuiXmlReader_i.c -t -T "${K42GUI_TYPELIB}" "${idl}"
  WORKING_DIRECTORY "${K42GUI_WINDOWS_GENERATED}"
  DEPENDS "${idl}"
  COMMENT "Compiling the IDL into the type library and its header")
add_custom_target(k42idl DEPENDS "${K42GUI_WINDOWS_GENERATED}/K42GuiXmlReader_h.h" "${K42GUI_TYPELIB}")
set(K42GUI_INTERFACE_IDS "${K42GUI_WINDOWS_GENERATED}/K42GuiXmlReader_i.c")

# Headers: the stand-in names lead to the real SDK (windows/include), ahead of the stand-ins in include/.
include_directories(BEFORE "${CMAKE_CURRENT_LIST_DIR}/include" "${K42GUI_WINDOWS_GENERATED}")
add_compile_definitions(NOMINMAX UNICODE _UNICODE)

# ---- Version resource: file and product version from the project's one version ------------------------------
# k42_windows_version_resource(TARGET DESCRIPTION): TARGET carries a VERSIONINFO naming its file and DESCRIPTION.
function(k42_windows_version_resource target description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(K42GUI_RC_FILETYPE VFT_DLL)
    set(K42GUI_RC_FILENAME "${target}.dll")
  else()
    set(K42GUI_RC_FILETYPE VFT_APP)
    set(K42GUI_RC_FILENAME "${target}.exe")
  endif()
  set(K42GUI_RC_DESCRIPTION "${description}")
  set(rc "${K42GUI_WINDOWS_GENERATED}/${target}_version.rc")
  configure_file("${PROJECT_SOURCE_DIR}/windows/version.rc.in" "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
