# Shared by both MinGW-w64 toolchains; TESSARY_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)
# The -posix compilers: std::thread for the hint's search beside the window
# (winpthreads, linked statically with the program like everything else).
set(CMAKE_C_COMPILER   ${TESSARY_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSARY_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${TESSARY_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSARY_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
