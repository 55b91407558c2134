# Runs one fuzz target for SECONDS seconds over a scratch copy of its seed corpus, so that
# what the run adds to the corpus never reaches the committed seeds.
# Usage: cmake -DFUZZER=... -DCORPUS=... -DSCRATCH=... -DSECONDS=... -P RunFuzzer.cmake
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}/corpus" "${SCRATCH}/artifacts")
file(GLOB seeds "${CORPUS}/*")
if(seeds)
    file(COPY ${seeds} DESTINATION "${SCRATCH}/corpus")
endif()
execute_process(
    COMMAND "${FUZZER}" -max_total_time=${SECONDS} -rss_limit_mb=2048 -timeout=25
            -print_final_stats=1 "-artifact_prefix=${SCRATCH}/artifacts/" "${SCRATCH}/corpus"
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed (${result}); the input is in ${SCRATCH}/artifacts")
endif()
