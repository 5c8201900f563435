# The Debian package of the installed tree (cpack -G DEB), and the inspector's man page it carries.
# Configure with -DCMAKE_INSTALL_PREFIX=/usr so that the libraries land in Debian's multiarch directory.

# The man page is made from the inspector's own --help, so it cannot fall behind the options; a cross build cannot
# run the inspector, and a machine without help2man builds everything but the page.
find_program(K42GUI_HELP2MAN help2man)
if(TARGET k42gui-inspect AND K42GUI_HELP2MAN AND NOT CMAKE_CROSSCOMPILING)
  set(man_page ${PROJECT_BINARY_DIR}/man/k42gui-inspect.1)
  add_custom_command(OUTPUT ${man_page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND ${K42GUI_HELP2MAN} --no-info --no-discard-stderr --section=1
      "--name=show what a display control sees of a field device's GUI XML files"
      --output=${man_page} $<TARGET_FILE:k42gui-inspect>
    # -n: no time stamp in the archive, so the package is the same for the same sources.
    COMMAND gzip -9nf ${man_page}
    DEPENDS k42gui-inspect
    COMMENT "Making the inspector's man page from its --help" VERBATIM)
  add_custom_target(k42gui-inspect-man ALL DEPENDS ${man_page}.gz)
  install(FILES ${man_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME k42guixmlreader)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "K42GuiXmlReader maintainers <k42guixmlreader@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "GUI XML reader component of a field device's display control")
set(CPACK_PACKAGE_DESCRIPTION "K42GuiXmlReader loads a field device's GUI XML file and its localized texts and
answers the IGuiXmlModel automation interface. The package holds the component and its platform library,
their headers, CMake and pkg-config files, the schemas, the demo device and k42gui-inspect.")
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends is computed by dpkg-shlibdeps from what the binaries link (Xerces-C, the C and C++ runtimes); the
# package's own libraries are found in the staged tree (dpkg-shlibdeps runs at its root).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
string(REGEX REPLACE "^/" "" K42GUI_STAGED_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${K42GUI_STAGED_LIBDIR})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
include(CPack)
