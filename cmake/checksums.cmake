# Writes OUT in the form sha256sum -c reads: one line per file of ZIPS, its
# SHA-256 in hex, two spaces and its name (the files lie beside OUT).
# cmake "-DZIPS=a.zip;b.zip" -DOUT=.../SHA256SUMS -P checksums.cmake
set(_lines "")
foreach(_zip IN LISTS ZIPS)
  file(SHA256 "${_zip}" _sum)
  get_filename_component(_name "${_zip}" NAME)
  string(APPEND _lines "${_sum}  ${_name}\n")
endforeach()
file(WRITE "${OUT}" "${_lines}")
