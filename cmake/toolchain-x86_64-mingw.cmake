# Cross build for 64-bit Windows (the build that runs under Wine here).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TESSARY_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
# Lets CTest run Windows test programs through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
