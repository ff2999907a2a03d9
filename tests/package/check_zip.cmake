# Checks the players' zip: the program (with the protections its PE header
# can ask for, within 2.5 MB when 32-bit, and importing nothing newer than
# Windows 7 for the display's DPI), the picture folder, the help file with its
# pages, keyword index and search index, and a ReadMe with Windows line ends;
# never a best record or a current picture left by a trial run, which it checks
# by packing a copy of the folder that holds both.
# cmake -DZIP=... -DPACK_SCRIPT=... -DHELP_SOURCES=... -DCHMLS=... -DOBJDUMP=... -DWORK=... -P check_zip.cmake
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/pe_header.cmake")
set(_problems)
macro(problem text)
  list(APPEND _problems "${text}")
endmacro()

function(zip_entries zip out)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E tar tf "${zip}"
                  OUTPUT_VARIABLE _listing RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "cannot list ${zip}")
  endif()
  string(REGEX REPLACE "\r?\n" ";" _listing "${_listing}")
  set(${out} "${_listing}" PARENT_SCOPE)
endfunction()

macro(check_left_out entries_var where)
  foreach(_e IN LISTS ${entries_var})
    if(_e MATCHES "(^|/)(stats\\.txt|game_image00\\.bmp)$")
      problem("${where} holds ${_e}")
    endif()
  endforeach()
endmacro()

zip_entries("${ZIP}" _entries)
foreach(_f Tessary.exe tessary-help.chm ReadMe.txt
           BmpImages/PuzNumbs.bmp BmpImages/clown.bmp BmpImages/xmasbells.bmp BmpImages/santa.bmp
           BmpImages/landscape.png BmpImages/sunset.jpg BmpImages/flower.gif)
  if(NOT "Tessary/${_f}" IN_LIST _entries)
    problem("the zip lacks Tessary/${_f}")
  endif()
endforeach()
check_left_out(_entries "the zip")

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/unpacked")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" WORKING_DIRECTORY "${WORK}/unpacked")
set(_folder "${WORK}/unpacked/Tessary")

if(EXISTS "${_folder}/ReadMe.txt")
  # As bytes: file(READ) as text drops the CRs.
  file(READ "${_folder}/ReadMe.txt" _readme HEX)
  string(REGEX REPLACE "(..)" "\\1 " _bytes "${_readme}")
  string(REPLACE "0d 0a " "" _bare "${_bytes}")
  if(NOT _bytes MATCHES "0d 0a " OR _bare MATCHES "(^| )0[ad] ")
    problem("ReadMe.txt has line ends other than CR LF")
  endif()
endif()

# The protections Windows gives a program whose PE header asks for them; the
# check itself must see each one taken away from a copy of the header.
if(EXISTS "${_folder}/Tessary.exe")
  file(READ "${_folder}/Tessary.exe" _header LIMIT 1024 HEX)
  pe_lacks("${_header}" _lacks)
  pe_missed_faults("${_header}" _missed)
  foreach(_l IN LISTS _lacks)
    problem("Tessary.exe lacks ${_l}")
  endforeach()
  foreach(_m IN LISTS _missed)
    problem("the header check misses ${_m}")
  endforeach()
  pe_offsets("${_header}" _at)
  file(READ "${_folder}/Tessary.exe" _machine OFFSET ${_at_machine} LIMIT 2 HEX)
  # A download players wait for: the shipping program, with its art for every
  # display scale, stays within 2.5 MB.
  file(SIZE "${_folder}/Tessary.exe" _size)
  if(_machine STREQUAL "4c01" AND _size GREATER 2500000)
    problem("the 32-bit Tessary.exe takes ${_size} bytes, more than 2.5 MB")
  endif()
endif()

# Windows 7 to 11: the display's DPI functions of later Windows are looked up
# at run time, never imported; an import would keep the program from starting
# on Windows 7.
if(EXISTS "${_folder}/Tessary.exe")
  execute_process(COMMAND "${OBJDUMP}" -p "${_folder}/Tessary.exe" OUTPUT_VARIABLE _pe RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0 OR NOT _pe MATCHES "DLL Name: USER32.dll")
    problem("the import table of Tessary.exe cannot be read with ${OBJDUMP}")
  endif()
  foreach(_later GetDpiForWindow GetDpiForSystem GetDpiForMonitor AdjustWindowRectExForDpi GetSystemMetricsForDpi
                 SystemParametersInfoForDpi EnableNonClientDpiScaling SetProcessDpiAwarenessContext
                 SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext SetProcessDpiAwareness)
    if(_pe MATCHES "[ \t]${_later}\n")
      problem("Tessary.exe imports ${_later}, which Windows 7 lacks")
    endif()
  endforeach()
  if(_pe MATCHES "DLL Name: [Ss][Hh][Cc][Oo][Rr][Ee]")
    problem("Tessary.exe imports shcore.dll, which Windows 7 lacks")
  endif()
endif()

if(EXISTS "${_folder}/tessary-help.chm")
  execute_process(COMMAND "${CHMLS}" --no-page --name-only list "${_folder}/tessary-help.chm"
                  OUTPUT_VARIABLE _chm ERROR_QUIET)
  file(GLOB _pages RELATIVE "${HELP_SOURCES}" "${HELP_SOURCES}/*.html")
  foreach(_inside IN LISTS _pages ITEMS "$FIftiMain" "$WWKeywordLinks/BTree")
    string(FIND "${_chm}" "\n/${_inside}\n" _at)
    if(_at LESS 0)
      problem("the help file lacks ${_inside}")
    endif()
  endforeach()
endif()

# The packing script, given the folder after a trial run.
file(MAKE_DIRECTORY "${WORK}/played")
file(COPY "${_folder}" DESTINATION "${WORK}/played")
file(WRITE "${WORK}/played/Tessary/stats.txt" "59 59 998")
file(WRITE "${WORK}/played/Tessary/BmpImages/game_image00.bmp" "BM")
execute_process(COMMAND "${CMAKE_COMMAND}" -DDIST=${WORK}/played -DZIP=${WORK}/played.zip -P "${PACK_SCRIPT}"
                RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "the packing script failed on a played folder")
endif()
zip_entries("${WORK}/played.zip" _played)
check_left_out(_played "the zip of a played folder")

if(_problems)
  list(JOIN _problems "\n  " _text)
  message(FATAL_ERROR "Tessary zip:\n  ${_text}")
endif()
message(STATUS "${ZIP}: the program, its pictures, help and ReadMe; no record, no current picture")
