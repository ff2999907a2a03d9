# Writes the source date (seconds since 1970, UTC) to OUT, rewriting it only
# when it changed: SOURCE_DATE_EPOCH where the builder sets it, else the last
# commit's time, else the earliest time a zip holds.
# cmake -DSOURCE_DIR=... -DOUT=... -P source_date.cmake
set(_date "$ENV{SOURCE_DATE_EPOCH}")
if(_date STREQUAL "")
  execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE _date OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT _date MATCHES "^[0-9]+$")
  message(STATUS "No SOURCE_DATE_EPOCH and no git history: the source date is 1980-01-01")
  set(_date 315532800)
endif()
file(CONFIGURE OUTPUT "${OUT}" CONTENT "${_date}\n")
