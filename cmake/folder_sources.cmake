# Adds a folder's sources to the right library: *_win32.cpp to the Windows
# shell (Windows builds only), every other .cpp to the portable core.
function(tessary_folder_sources)
  file(GLOB _all CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  foreach(_f IN LISTS _all)
    if(_f MATCHES "_win32\\.cpp$")
      if(WIN32)
        target_sources(tessary_win32 PRIVATE "${_f}")
      endif()
    else()
      target_sources(tessary_core PRIVATE "${_f}")
    endif()
  endforeach()
endfunction()
