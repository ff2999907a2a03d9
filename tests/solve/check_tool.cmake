# Runs tessary_solve on lines and compares what it prints and its exit code.
# -DTOOL=the program -DWORK=a folder for the input files
function(expect name input expected_output expected_code)
  file(WRITE "${WORK}/${name}.txt" "${input}")
  execute_process(COMMAND "${TOOL}" INPUT_FILE "${WORK}/${name}.txt"
                  OUTPUT_VARIABLE output RESULT_VARIABLE code)
  if(NOT output STREQUAL expected_output OR NOT code EQUAL expected_code)
    message(FATAL_ERROR "${name}: exit code ${code}, printed\n${output}\nexpected exit code ${expected_code}, printed\n${expected_output}")
  endif()
endfunction()

# Good lines get their length and tiles: two steps left to the ordered end;
# the same with 14 and 15 exchanged, whose end is the exchanged one; already at
# either end (Windows line ends and extra spaces are fine). Bad lines get one
# error line each, the good line after them is still solved, and the exit code
# says that a line failed.
expect(lines
  "1 2 3 4 5 6 7 8 9 10 11 12 13 0 14 15\n1 2 3 4 5 6 7 8 9 10 11 12 13 0 15 14\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 0\r\n  1 2 3 4 5 6 7 8 9 10 11 12 13 15 14 0  \n1 2 3\n\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 15\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 0 0\nx 2 3 4 5 6 7 8 9 10 11 12 13 14 15 0\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 15\n"
  "2: 14 15\n2: 15 14\n0:\n0:\nerror: 3 numbers, not 16\nerror: 0 numbers, not 16\nerror: \"16\" is not a number from 0 to 15\nerror: not each of 0 to 15 once\nerror: more than 16 numbers\nerror: \"x\" is not a number from 0 to 15\n1: 15\n" 1)

# No line, no failure.
expect(nothing "" "" 0)
