# Runs the fuzzer for SECONDS over the working corpus CORPUS (kept between
# runs) and the seeds SEEDS. Each input must decode within 3 s and the process
# stay under 1 GiB, or the run stops and fails; what it stopped on is written
# into ARTIFACTS.
file(MAKE_DIRECTORY ${CORPUS} ${ARTIFACTS})
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=3 -rss_limit_mb=1024
            -dict=${DICTIONARY} -artifact_prefix=${ARTIFACTS} -print_final_stats=1
            ${CORPUS} ${SEEDS}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The fuzzer stopped on a finding (exit ${result}); see ${ARTIFACTS}")
endif()
