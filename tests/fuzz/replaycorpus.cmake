# Runs a fuzz target over its corpus, then for RUNS new inputs with a fixed
# seed. New inputs go to the scratch folder WORK, emptied first, so that the
# corpus in the tree stays as committed.
# -D FUZZER, CORPUS, DICTIONARY (may be empty), WORK, RUNS
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/new)
set(options -runs=${RUNS} -seed=1 -timeout=10 -rss_limit_mb=2048 -artifact_prefix=${WORK}/)
if(DICTIONARY)
  list(APPEND options -dict=${DICTIONARY})
endif()
execute_process(COMMAND ${FUZZER} ${options} ${WORK}/new ${CORPUS}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); the failing input is in ${WORK}:\n${output}")
endif()
