# Runs "zelk55-usi bench" and compares both players' signatures with the ones committed in
# bench_signature.txt beside this script: its first line is the signature of the moves levels
# 1-3 choose, its second that of the searching levels' fixed-depth search (moves, scores and
# node counts). A change of either fails here until the commit that makes it also updates the
# file (and says so in its message). Timings and node rates beside them may come and go.
#   cmake -DBENCH=<path to zelk55-usi> -DEXPECTED=<bench_signature.txt> -P check_bench_signature.cmake
execute_process(COMMAND ${BENCH} bench OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "zelk55-usi bench failed (${status}):\n${out}")
endif()
if(NOT out MATCHES "(^|\n)signature: ([0-9a-f]+)\n")
  message(FATAL_ERROR "zelk55-usi bench printed no levels 1-3 signature:\n${out}")
endif()
set(levels ${CMAKE_MATCH_2})
if(NOT out MATCHES "\nsearch depth [0-9]+: [^\n]*signature ([0-9a-f]+)\n")
  message(FATAL_ERROR "zelk55-usi bench printed no search signature:\n${out}")
endif()
set(search ${CMAKE_MATCH_1})
file(STRINGS ${EXPECTED} expected LIMIT_COUNT 2)
list(LENGTH expected lines)
if(NOT lines EQUAL 2)
  message(FATAL_ERROR "${EXPECTED} needs two lines: the levels 1-3 signature, then the search's")
endif()
list(GET expected 0 expectedLevels)
list(GET expected 1 expectedSearch)
string(STRIP "${expectedLevels}" expectedLevels)
string(STRIP "${expectedSearch}" expectedSearch)
if(NOT levels STREQUAL expectedLevels)
  message(FATAL_ERROR "The computer's choices at levels 1-3 changed: signature ${levels}, "
                      "committed ${expectedLevels} (${EXPECTED}).")
endif()
if(NOT search STREQUAL expectedSearch)
  message(FATAL_ERROR "The search's choices changed: signature ${search}, committed ${expectedSearch} (${EXPECTED}).")
endif()
message(STATUS "levels 1-3 signature ${levels}, search signature ${search}, as committed")
