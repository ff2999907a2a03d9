# The release recipe, for every target the build makes: the same bytes from
# the same source wherever, whenever and by whomever it is built, the Windows
# programs hardened, and SHA256SUMS beside the zips. Included by the top
# CMakeLists.txt before its folders.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# Every time stamp that must exist (the zips' file times, the help file's) is
# the source date (cmake/source_date.cmake). Its file changes only when the
# date does, so that whatever depends on it is made again then.
set(TESSARY_SOURCE_DATE "${CMAKE_BINARY_DIR}/source-date-epoch")
add_custom_target(tessary_source_date
  COMMAND "${CMAKE_COMMAND}" -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUT=${TESSARY_SOURCE_DATE}
          -P "${CMAKE_CURRENT_LIST_DIR}/source_date.cmake"
  BYPRODUCTS "${TESSARY_SOURCE_DATE}"
  VERBATIM)

# The players' zip of this build, named in the ReadMe too.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TESSARY_ZIP_NAME Tessary-win64.zip)
else()
  set(TESSARY_ZIP_NAME Tessary-win32.zip)
endif()

# The two commands that stamp their output with the source date:
#   ${TESSARY_PACK_ZIP} ZIP FOLDER NAME...  (tools/release/pack_zip.py)
#   ${TESSARY_MAKE_CHM} CHMCMD PROJECT.hhp  (tools/release/make_chm.py)
set(_tools "${CMAKE_SOURCE_DIR}/tools/release")
set(TESSARY_PACK_ZIP "${Python3_EXECUTABLE}" "${_tools}/pack_zip.py" "${TESSARY_SOURCE_DATE}")
set(TESSARY_MAKE_CHM "${Python3_EXECUTABLE}" "${_tools}/make_chm.py" "${TESSARY_SOURCE_DATE}")

if(WIN32)
  # No build folder in any output (the build folder may lie inside the
  # source), and no link time in the programs.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
                      "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
  add_link_options(-Wl,--no-insert-timestamp)
  # Code that reads a player's files guards its stack and its buffer copies.
  # The stack protector's runtime (libssp) is linked statically with the rest.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>")
  add_compile_definitions("$<$<COMPILE_LANGUAGE:C,CXX>:_FORTIFY_SOURCE=2>")
  add_link_options(-fstack-protector-strong)
endif()

# A zip that TARGET packs with ${TESSARY_PACK_ZIP}: made after the source
# date, and listed in SHA256SUMS.
function(tessary_release_zip zip target)
  add_dependencies(${target} tessary_source_date)
  set_property(GLOBAL APPEND PROPERTY TESSARY_RELEASE_ZIPS "${zip}")
  set_property(GLOBAL APPEND PROPERTY TESSARY_RELEASE_ZIP_TARGETS ${target})
endfunction()

# SHA256SUMS beside the zips, as sha256sum -c reads it: made once every
# folder has added its zips.
function(tessary_release_checksums)
  get_property(_zips GLOBAL PROPERTY TESSARY_RELEASE_ZIPS)
  get_property(_targets GLOBAL PROPERTY TESSARY_RELEASE_ZIP_TARGETS)
  if(NOT _zips)
    return()
  endif()
  add_custom_target(tessary_checksums ALL
    COMMAND "${CMAKE_COMMAND}" "-DZIPS=${_zips}" -DOUT=${CMAKE_BINARY_DIR}/SHA256SUMS
            -P "${CMAKE_SOURCE_DIR}/cmake/checksums.cmake"
    BYPRODUCTS "${CMAKE_BINARY_DIR}/SHA256SUMS"
    COMMENT "Writing ${CMAKE_BINARY_DIR}/SHA256SUMS"
    VERBATIM)
  add_dependencies(tessary_checksums ${_targets})
endfunction()
cmake_language(DEFER CALL tessary_release_checksums)
