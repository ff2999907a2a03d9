# LodePNG's source from Debian's source package, fetched into a cache once and
# unpacked into the build: used by the Windows builds and by the fuzz targets.
# Sets <out_var> to the folder holding lodepng.cpp and lodepng.h, or to "" when
# the package cannot be had (tools/setup.sh adds the deb-src entries it needs).
function(tessary_lodepng_source cache_dir out_var)
  file(GLOB _tar "${cache_dir}/lodepng_*.orig.tar.gz")
  if(NOT _tar)
    file(MAKE_DIRECTORY "${cache_dir}")
    message(STATUS "Fetching the LodePNG source package")
    execute_process(COMMAND apt-get source --download-only lodepng
                    WORKING_DIRECTORY "${cache_dir}" OUTPUT_QUIET ERROR_QUIET)
    file(GLOB _tar "${cache_dir}/lodepng_*.orig.tar.gz")
  endif()
  if(NOT _tar)
    set(${out_var} "" PARENT_SCOPE)
    return()
  endif()
  list(GET _tar 0 _tar)
  set(_dir "${CMAKE_BINARY_DIR}/lodepng")
  if(NOT EXISTS "${_dir}/lodepng.cpp")
    file(ARCHIVE_EXTRACT INPUT "${_tar}" DESTINATION "${_dir}/unpack")
    file(GLOB_RECURSE _cpp "${_dir}/unpack/*/lodepng.cpp")
    file(GLOB_RECURSE _h "${_dir}/unpack/*/lodepng.h")
    file(COPY ${_cpp} ${_h} DESTINATION "${_dir}")
  endif()
  set(${out_var} "${_dir}" PARENT_SCOPE)
endfunction()
