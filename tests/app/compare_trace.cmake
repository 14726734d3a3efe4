# Runs `pinball-trace FRAMES` (through EMULATOR when given) and compares its
# lines with the EXPECTED file, ignoring the carriage returns of Windows text output.
#   cmake -DTRACE=<program> [-DEMULATOR=<wine>] -DFRAMES=<n> -DEXPECTED=<file> -P compare_trace.cmake
execute_process(COMMAND ${EMULATOR} ${TRACE} ${FRAMES}
                OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pinball-trace exited with ${status}")
endif()
string(REPLACE "\r" "" actual "${actual}")
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "pinball-trace ${FRAMES} differs from ${EXPECTED}:\n${actual}")
endif()
