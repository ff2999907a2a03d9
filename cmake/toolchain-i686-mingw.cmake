# Cross build for 32-bit Windows (the shipping program).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TESSARY_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
