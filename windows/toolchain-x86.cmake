# Cross toolchain for 32-bit Windows (x86), for the many hosts that are still 32-bit processes.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(K42GUI_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
