# Native build: the core under AddressSanitizer and UBSan, its unit tests and its benchmarks.
set(KIRABO_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(kirabo_core PRIVATE ${KIRABO_SANITIZE})
target_link_options(kirabo_core PUBLIC ${KIRABO_SANITIZE})

find_package(GTest REQUIRED)
include(GoogleTest)
file(GLOB KIRABO_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(kirabo_unit_tests ${KIRABO_UNIT_TESTS})
target_compile_options(kirabo_unit_tests PRIVATE -Wall -Wextra -Werror ${KIRABO_SANITIZE})
target_link_libraries(kirabo_unit_tests PRIVATE kirabo_core GTest::gtest_main)
gtest_discover_tests(kirabo_unit_tests DISCOVERY_MODE PRE_TEST)

find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_subdirectory(bench)
endif()
