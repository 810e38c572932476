# Every test has a time limit a few times its normal length, so that a hang fails at once instead
# of using up a CI run. -DKIRABO_TIME_LIMIT_SCALE=N at configure time multiplies them all, and the
# limits of the waits in the scripts a test runs (scripts/x11-helpers), which take it from the
# test's environment.
set(KIRABO_TIME_LIMIT_SCALE 1 CACHE STRING "Multiplies the time limit of every test")

function(kirabo_time_limit seconds)
  math(EXPR limit "${seconds} * ${KIRABO_TIME_LIMIT_SCALE}")
  set_tests_properties(${ARGN} PROPERTIES TIMEOUT ${limit} ENVIRONMENT KIRABO_TIME_LIMIT_SCALE=${KIRABO_TIME_LIMIT_SCALE})
endfunction()

# The limit for tests that are known only when they run (GoogleTest's discovered tests).
function(kirabo_time_limit_value seconds out)
  math(EXPR limit "${seconds} * ${KIRABO_TIME_LIMIT_SCALE}")
  set(${out} ${limit} PARENT_SCOPE)
endfunction()
