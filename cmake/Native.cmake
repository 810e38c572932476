# Native build: the core under AddressSanitizer and UBSan, its unit tests and its benchmarks
# (measured in a build without the sanitizers: the bench preset), and the fuzz targets (clang).
option(KIRABO_SANITIZE "Build with AddressSanitizer and UBSan" ON)
option(KIRABO_FUZZ "Build the libFuzzer targets only (needs clang)" OFF)
if(KIRABO_SANITIZE)
  set(KIRABO_SANITIZE_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(kirabo_core PRIVATE ${KIRABO_SANITIZE_FLAGS})
  target_link_options(kirabo_core PUBLIC ${KIRABO_SANITIZE_FLAGS})
endif()
if(KIRABO_FUZZ)
  add_subdirectory(tests/fuzz)
  return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KIRABO_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(kirabo_unit_tests ${KIRABO_UNIT_TESTS})
# -Wno-restrict: GCC 12 at -O3 (the bench preset) warns of overlapping copies inside
# std::string's operator+, which cannot overlap.
target_compile_options(kirabo_unit_tests PRIVATE -Wall -Wextra -Werror -Wno-restrict ${KIRABO_SANITIZE_FLAGS})
target_link_libraries(kirabo_unit_tests PRIVATE kirabo_core GTest::gtest)
# Each unit test takes well under 2 s (the merge's random hosts the longest).
kirabo_time_limit_value(20 unit_limit)
gtest_discover_tests(kirabo_unit_tests DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT ${unit_limit})

find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_subdirectory(bench)
endif()

add_test(NAME analysis.cppcheck COMMAND ${CMAKE_SOURCE_DIR}/scripts/cppcheck)
add_test(NAME analysis.include_direction COMMAND ${CMAKE_SOURCE_DIR}/scripts/include-direction)
kirabo_time_limit(60 analysis.cppcheck analysis.include_direction)
