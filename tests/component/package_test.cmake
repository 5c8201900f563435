# Installs the component into a temporary prefix and uses it as the README tells a host to: a host project
# (tests/data/component/consumer, built with the compiler's default C++ standard) that finds it with
# find_package, the same host built from pkg-config's flags with the documented run path, and the installed
# inspector on the demo device, all without LD_LIBRARY_PATH.
#   -D BINARY_DIR=<the project's build tree>  -D CONSUMER_DIR=<the host project>  -D DEMO_FILE=<demo.xml>
#   -D WORK_DIR=<scratch directory>  -D SANITIZE=<ON|OFF, as the component was built>  -D CXX=<the compiler>
foreach(variable BINARY_DIR CONSUMER_DIR DEMO_FILE WORK_DIR CXX)
  if(NOT ${variable})
    message(FATAL_ERROR "package_test.cmake needs -D ${variable}=...")
  endif()
endforeach()

function(run step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${step} failed (${result}):\n${output}")
  endif()
  set(last_output "${output}" PARENT_SCOPE)
endfunction()

unset(ENV{LD_LIBRARY_PATH})
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
run("install" ${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})

foreach(file include/k42gui/IGuiXmlModel.h include/k42gui/oleauto.h share/k42gui/schemas/guixml.xsd
             share/k42gui/schemas/guixml-loc.xsd)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "${file} was not installed")
  endif()
endforeach()
file(GLOB_RECURSE config ${prefix}/*/K42GuiXmlReaderConfig.cmake)
file(GLOB_RECURSE version ${prefix}/*/K42GuiXmlReaderConfigVersion.cmake)
file(GLOB_RECURSE pc ${prefix}/*/k42guixmlreader.pc)
if(NOT config OR NOT version OR NOT pc)
  message(FATAL_ERROR "package files missing: config '${config}', version '${version}', pkg-config '${pc}'")
endif()

# The host must be built as the component was: a sanitized library needs a sanitized program.
set(flags "")
if(SANITIZE)
  set(flags "-fsanitize=address,undefined")
endif()
run("configure the host" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build
  -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=${flags}")
run("build the host" ${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run("run the host" ${WORK_DIR}/build/consumer)
if(NOT last_output MATCHES "consumer: OK")
  message(FATAL_ERROR "the host did not finish: ${last_output}")
endif()

find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
  get_filename_component(pc_dir ${pc} DIRECTORY)
  set(ENV{PKG_CONFIG_PATH} ${pc_dir})
  run("pkg-config" ${PKG_CONFIG} --cflags --libs k42guixmlreader)
  if(NOT last_output MATCHES "-I[^ ]*/include" OR NOT last_output MATCHES "-lK42GuiXmlReader")
    message(FATAL_ERROR "unexpected pkg-config answer: ${last_output}")
  endif()
  separate_arguments(pc_flags UNIX_COMMAND "${last_output}")
  run("pkg-config libdir" ${PKG_CONFIG} --variable=libdir k42guixmlreader)
  string(STRIP "${last_output}" libdir)
  separate_arguments(sanitize_flags UNIX_COMMAND "${flags}")
  run("build the pkg-config host" ${CXX} ${sanitize_flags} ${CONSUMER_DIR}/consumer.cpp ${pc_flags}
    -Wl,-rpath,${libdir} -o ${WORK_DIR}/pc-consumer)
  run("run the pkg-config host" ${WORK_DIR}/pc-consumer)
endif()

# The installed inspector finds the component and the platform library through its run path.
file(GLOB_RECURSE inspector ${prefix}/bin/k42gui-inspect)
if(inspector)
  run("run the installed inspector" ${inspector} ${DEMO_FILE})
  if(NOT last_output MATCHES "^Device ")
    message(FATAL_ERROR "the installed inspector did not report the demo device: ${last_output}")
  endif()
endif()
message(STATUS "installed package works")
