# The protections a Windows program's PE header asks for, read from the
# header as hex text (file(READ ... LIMIT 1024 HEX) of the program).

# The little-endian number of SIZE bytes at byte AT of HEX.
function(pe_number hex at size out)
  set(_value "")
  math(EXPR _last "${at} + ${size} - 1")
  foreach(_i RANGE ${at} ${_last})
    math(EXPR _from "${_i} * 2")
    string(SUBSTRING "${hex}" ${_from} 2 _byte)
    set(_value "${_byte}${_value}")
  endforeach()
  math(EXPR _value "0x${_value}")
  set(${out} ${_value} PARENT_SCOPE)
endfunction()

# Sets <prefix>_machine, <prefix>_flags (the file header's characteristics),
# <prefix>_dll (DllCharacteristics) and <prefix>_relocs (the size of the base
# relocation table) to their byte offsets in the header.
function(pe_offsets hex prefix)
  pe_number("${hex}" 60 4 _pe)
  math(EXPR _optional "${_pe} + 24")
  pe_number("${hex}" ${_optional} 2 _magic)
  set(_directories 96)
  if(_magic EQUAL 523)  # 0x20b: PE32+, a 64-bit program
    set(_directories 112)
  endif()
  math(EXPR ${prefix}_machine "${_pe} + 4")
  math(EXPR ${prefix}_flags "${_pe} + 22")
  math(EXPR ${prefix}_dll "${_optional} + 70")
  math(EXPR ${prefix}_relocs "${_optional} + ${_directories} + 5 * 8 + 4")
  foreach(_name machine flags dll relocs)
    set(${prefix}_${_name} ${${prefix}_${_name}} PARENT_SCOPE)
  endforeach()
endfunction()

# The protections the header in HEX lacks, by name: ASLR (a movable image
# that keeps its relocations), DEP, high-entropy ASLR (64-bit), and
# large-address-awareness (32-bit: up to 4 GB on 64-bit Windows, room to
# decode a large photo).
function(pe_lacks hex out)
  pe_offsets("${hex}" _at)
  pe_number("${hex}" ${_at_machine} 2 _machine)
  pe_number("${hex}" ${_at_flags} 2 _flags)
  pe_number("${hex}" ${_at_dll} 2 _dll)
  pe_number("${hex}" ${_at_relocs} 4 _relocs)
  math(EXPR _movable "${_dll} & 0x40")
  math(EXPR _stripped "${_flags} & 0x1")
  math(EXPR _nx "${_dll} & 0x100")
  math(EXPR _high_entropy "${_dll} & 0x20")
  math(EXPR _large "${_flags} & 0x20")
  set(_lacks)
  if(_movable EQUAL 0 OR _stripped OR _relocs EQUAL 0)
    list(APPEND _lacks "ASLR (dynamic base with relocations)")
  endif()
  if(_nx EQUAL 0)
    list(APPEND _lacks "DEP (NX compatible)")
  endif()
  if(_machine EQUAL 34404 AND _high_entropy EQUAL 0)  # 0x8664
    list(APPEND _lacks "high-entropy ASLR")
  endif()
  if(_machine EQUAL 332 AND _large EQUAL 0)  # 0x14c
    list(APPEND _lacks "large-address-awareness")
  endif()
  set(${out} "${_lacks}" PARENT_SCOPE)
endfunction()

# The faults pe_lacks() misses in copies of HEX that each lose one protection
# by a change of COUNT bytes of a field: "<protection> through <field>".
function(pe_missed_faults hex out)
  pe_offsets("${hex}" _at)
  math(EXPR _at_nx "${_at_dll} + 1")
  pe_number("${hex}" ${_at_machine} 2 _machine)
  set(_faults "ASLR dll 1 & 0xbf" "ASLR flags 1 | 0x01" "ASLR relocs 4 & 0" "DEP nx 1 & 0xfe")
  if(_machine EQUAL 34404)
    list(APPEND _faults "high-entropy dll 1 & 0xdf")
  else()
    list(APPEND _faults "large-address flags 1 & 0xdf")
  endif()
  set(_missed)
  foreach(_fault IN LISTS _faults)
    string(REPLACE " " ";" _fault "${_fault}")
    list(POP_FRONT _fault _name _field _count)
    list(JOIN _fault " " _change)
    set(_faulty "${hex}")
    math(EXPR _last "${_at_${_field}} + ${_count} - 1")
    foreach(_i RANGE ${_at_${_field}} ${_last})
      pe_number("${hex}" ${_i} 1 _byte)
      math(EXPR _byte "(${_byte} ${_change}) + 0x100" OUTPUT_FORMAT HEXADECIMAL)
      string(SUBSTRING "${_byte}" 3 2 _byte)  # two digits, past "0x1"
      math(EXPR _from "${_i} * 2")
      math(EXPR _after "${_from} + 2")
      string(SUBSTRING "${_faulty}" 0 ${_from} _head)
      string(SUBSTRING "${_faulty}" ${_after} -1 _tail)
      set(_faulty "${_head}${_byte}${_tail}")
    endforeach()
    pe_lacks("${_faulty}" _lacks)
    if(NOT _lacks MATCHES "(^|;)${_name}")
      list(APPEND _missed "${_name} through ${_field}")
    endif()
  endforeach()
  set(${out} "${_missed}" PARENT_SCOPE)
endfunction()
