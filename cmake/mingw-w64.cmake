# Cross-building the Windows program on Linux with MinGW-w64: 64-bit here, 32-bit through
# mingw-w64-i686.cmake. Test programs run under Wine through wine-run.sh, in a Wine prefix
# inside the build directory.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT QUIZ_MINGW_TRIPLE)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(QUIZ_MINGW_TRIPLE x86_64-w64-mingw32)
  set(QUIZ_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()

# The POSIX thread model: GoogleTest needs std::mutex.
set(CMAKE_C_COMPILER ${QUIZ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIZ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUIZ_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUIZ_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUIZ_WINE_RUN})
endif()

# Every program links the run-time libraries statically, so that Wine (or Windows) needs
# no DLL beyond the system's to run it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
