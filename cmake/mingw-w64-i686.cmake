# 32-bit Windows: the program users get. Its tests run under 32-bit Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ORVANTA_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# Double arithmetic in SSE2 registers, as on x86_64: the x87 unit's extra
# precision could move a character position at a rounding boundary.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
