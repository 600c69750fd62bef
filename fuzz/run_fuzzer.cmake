# Runs one fuzz target for SECONDS over its seed corpus, quietly: one summary line when the run
# ends clean, the whole log when it finds something (the failing input is kept beside the log).
#   cmake -DFUZZER=path -DSECONDS=n -DWORK=folder -DSEEDS=folder -P run_fuzzer.cmake
get_filename_component(name ${FUZZER} NAME)
file(MAKE_DIRECTORY ${WORK})
set(log ${WORK}.log)
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=65536
          -print_final_stats=1 -artifact_prefix=${WORK}- ${WORK} ${SEEDS}
  RESULT_VARIABLE rc OUTPUT_FILE ${log} ERROR_FILE ${log})
file(READ ${log} output)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${output}\n${name}: FAILED (exit ${rc}); log in ${log}")
endif()
string(REGEX MATCH "stat::number_of_executed_units: ([0-9]+)" _ "${output}")
set(runs ${CMAKE_MATCH_1})
string(REGEX MATCHALL "corp: [0-9]+/" sizes "${output}")
list(POP_BACK sizes last)
string(REGEX MATCH "[0-9]+" inputs "${last}")
message(STATUS "${name}: ${runs} executions in ${SECONDS} s, corpus ${inputs} inputs, clean")
