# Runs "zelk55-usi bench" and compares the signature of the moves levels 1-3 choose with the
# one committed in bench_signature.txt beside this script. A change of any choice fails here
# until the commit that makes it also updates the file (and says so in its message).
# Only the line that begins with "signature:" is compared: other lines of the bench output,
# such as timings or the signatures of other levels, may come and go beside it.
#   cmake -DBENCH=<path to zelk55-usi> -DEXPECTED=<bench_signature.txt> -P check_bench_signature.cmake
execute_process(COMMAND ${BENCH} bench OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zelk55-usi bench failed (${status}):\n${out}")
endif()
if(NOT out MATCHES "(^|\n)signature: ([0-9a-f]+)\n")
  message(FATAL_ERROR "zelk55-usi bench printed no levels 1-3 signature:\n${out}")
endif()
set(actual ${CMAKE_MATCH_2})
file(STRINGS ${EXPECTED} expected LIMIT_COUNT 1)
string(STRIP "${expected}" expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "The computer's choices at levels 1-3 changed: signature ${actual}, "
                      "committed ${expected} (${EXPECTED}).")
endif()
message(STATUS "levels 1-3 signature ${actual} as committed")
