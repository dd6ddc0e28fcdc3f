# 32-bit Windows: the program's main target. Built, not run (no 32-bit Wine here).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORVANTA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
