# The 32-bit Windows program (i686), which runs on every Windows from 7 on, 32- or 64-bit;
# its tests run in a 32-bit Wine prefix.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUIZ_MINGW_TRIPLE i686-w64-mingw32)
set(QUIZ_WINE_RUN ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
