// GameClock: the time spent on a game, counted only while it runs.
#include "GameClock.h"

#include <utility>

GameClock::GameClock(TimeSource now) : now_(std::move(now)) {}

void GameClock::Run(bool running) {
    if (running == running_) return;
    if (running) {
        start_ = now_();
    } else {
        counted_ += SinceStart();
    }
    running_ = running;
}

uint64_t GameClock::GetElapsed() const { return counted_ + (running_ ? SinceStart() : 0); }

void GameClock::Restart(uint64_t elapsed) {
    counted_ = elapsed;
    start_ = now_();
}

uint64_t GameClock::SinceStart() const {
    uint64_t now = now_();
    return now > start_ ? now - start_ : 0;
}
