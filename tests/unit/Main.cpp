// GoogleTest's main, but a filter that names no test fails, as ./test's does: a typo in
// --gtest_filter must not pass for green.
#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (testing::UnitTest::GetInstance()->test_to_run_count() > 0) return status;
    std::fputs("no test matches the filter; --gtest_list_tests lists them\n", stderr);
    return 1;
}
