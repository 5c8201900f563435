# Installation of the component as a CMake package and a pkg-config module:
# the library, the shared platform library it needs, the public headers, the schemas, the demo device,
# K42GuiXmlReaderConfig.cmake with its version file and imported targets, and k42guixmlreader.pc.
if(NOT TARGET K42GuiXmlReader)
  return()
endif()

include(CMakePackageConfigHelpers)

set(K42GUI_CMAKE_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/K42GuiXmlReader)

# The platform library is shared by a host and the component (one window table, logger and registry),
# so it is installed next to the component, and a host links it through the component's target.
target_include_directories(k42platform INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
set_target_properties(k42platform PROPERTIES EXPORT_NAME Platform)

install(TARGETS K42GuiXmlReader k42platform
  EXPORT K42GuiXmlReaderTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# DeviceCheck.h and DeviceFiles.h stay out: the checker is linked into k42gui-inspect, not shipped as a library, and a
# header without its library would only give hosts link errors.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/k42gui
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h" PATTERN "DeviceCheck.h" EXCLUDE PATTERN "DeviceFiles.h" EXCLUDE)
# The schemas of the two input files, for hosts and authors that validate device files themselves.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/schemas/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/k42gui/schemas
  FILES_MATCHING PATTERN "*.xsd")
# The demo device beside the schemas, so that its relative schema paths (../../schemas/) hold when installed.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/demo DESTINATION ${CMAKE_INSTALL_DATADIR}/k42gui/examples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/k42guixmlreader)
install(EXPORT K42GuiXmlReaderTargets
  NAMESPACE K42GuiXmlReader::
  DESTINATION ${K42GUI_CMAKE_INSTALL_DIR})

configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/K42GuiXmlReaderConfig.cmake.in
  ${PROJECT_BINARY_DIR}/K42GuiXmlReaderConfig.cmake
  INSTALL_DESTINATION ${K42GUI_CMAKE_INSTALL_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/K42GuiXmlReaderConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/K42GuiXmlReaderConfig.cmake
  ${PROJECT_BINARY_DIR}/K42GuiXmlReaderConfigVersion.cmake
  DESTINATION ${K42GUI_CMAKE_INSTALL_DIR})

# pkg-config paths relative to the installed .pc file, so the installed tree can be moved.
file(RELATIVE_PATH K42GUI_PC_PREFIX_FROM_PCDIR /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" K42GUI_PC_PREFIX_FROM_PCDIR "${K42GUI_PC_PREFIX_FROM_PCDIR}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/k42guixmlreader.pc.in
  ${PROJECT_BINARY_DIR}/k42guixmlreader.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/k42guixmlreader.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

include(${PROJECT_SOURCE_DIR}/cmake/package.cmake)
