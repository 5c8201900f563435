# Cross toolchain for Windows with Debian's mingw-w64 (the posix thread model, for std::mutex and std::thread),
# shared by both architectures: windows/toolchain-x64.cmake and windows/toolchain-x86.cmake set the triplet.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${K42GUI_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${K42GUI_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${K42GUI_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${K42GUI_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
