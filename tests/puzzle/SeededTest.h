// SeededTest: a test with a random generator whose seed it prints.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>

// Seeds random_ from the clock and prints the seed, so that a failing run can be
// repeated with the same grids.
class SeededTest : public ::testing::Test {
protected:
    void SetUp() override {
        seed_ = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::printf("seed %u\n", seed_);
        random_.seed(seed_);
    }

    unsigned seed_ = 0;
    std::mt19937 random_;
};
