// SeededTest: a test with a random generator whose seed every failure names.
#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>

// random_ starts from GoogleTest's seed: --gtest_random_seed=N (or GTEST_RANDOM_SEED=N),
// N from 1 to 99999, when given, else one GoogleTest draws from the clock for each run. Every failure
// names it, and rerunning with it draws the same grids, whatever other tests run.
class SeededTest : public ::testing::Test {
protected:
    const unsigned seed_ = static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed());
    std::mt19937 random_{seed_};

private:
    ::testing::ScopedTrace trace_{__FILE__, __LINE__, "rerun with --gtest_random_seed=" + std::to_string(seed_)};
};
