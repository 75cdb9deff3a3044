// QqwingTimes: the per-puzzle times that qqwing --timer prints, read from its output.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Reads every "Time: T <unit>" line of qqwing's output (seconds, milliseconds or
// microseconds) until its end and gives the times in microseconds, in order.
inline std::vector<double> ReadQqwingMicroseconds(FILE* output) {
    std::vector<double> micros;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, output) != nullptr) {
        double value = 0;
        char unit[32] = {};
        if (std::sscanf(buffer, "Time: %lf %31s", &value, unit) == 2) {
            std::string scale = unit;
            micros.push_back(scale.rfind("milli", 0) == 0   ? value * 1e3
                             : scale.rfind("micro", 0) == 0 ? value
                                                            : value * 1e6);
        }
    }
    return micros;
}
