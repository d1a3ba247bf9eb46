#pragma once
// How a test program ends, for ctest: 0 when the tests selected all ran and
// passed; 1 when one failed, or when the filter selected none (a misspelt
// filter); kSkippedExitCode when none failed but some could not run here
// (GTEST_SKIP: no X server, no session bus, no right to mount). ctest shows
// such a program as skipped (SKIP_RETURN_CODE), never as passed. Tests that
// need what a machine may lack run as ctest tests of their own (see
// tests/CMakeLists.txt), so the others still show as passed.
#include <gtest/gtest.h>

#include <cstdio>

namespace cantorel::testing {

constexpr int kSkippedExitCode = 77;

inline int runSelectedTests()
{
    const int failed = RUN_ALL_TESTS();
    if (GTEST_FLAG_GET(list_tests))
        return failed;
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (failed != 0)
        return 1;
    if (unit.test_to_run_count() == 0) {
        std::fprintf(stderr, "No test matches the filter \"%s\".\n", GTEST_FLAG_GET(filter).c_str());
        return 1;
    }
    return unit.skipped_test_count() > 0 ? kSkippedExitCode : 0;
}

} // namespace cantorel::testing
