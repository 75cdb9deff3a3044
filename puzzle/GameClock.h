// GameClock: the time spent on a game, counted only while it runs.
#pragma once

#include <cstdint>
#include <functional>

// Counts the milliseconds of a time source while it runs. Its whole state that outlives
// a run is one plain value, the milliseconds counted (GetElapsed), which Restart puts
// back. The source is monotonic (on Windows, one that stops while the computer sleeps),
// so a changed system time or a suspend adds nothing; should it ever go back, nothing
// is counted for that span rather than a negative time.
class GameClock {
public:
    // Milliseconds since any fixed start.
    using TimeSource = std::function<uint64_t()>;

    explicit GameClock(TimeSource now);

    // Counts from now on (true), or stops and keeps what it counted (false).
    void Run(bool running);
    bool IsRunning() const { return running_; }
    // The milliseconds counted, up to now.
    uint64_t GetElapsed() const;
    // Counts on from elapsed: 0 for a new puzzle, or the time a resumed game was left
    // with. Running or stopped as before.
    void Restart(uint64_t elapsed = 0);

private:
    // What the source counted since it last started, never less than 0.
    uint64_t SinceStart() const;

    TimeSource now_;
    uint64_t counted_ = 0;  // before start_
    uint64_t start_ = 0;    // the source's time when the clock last started
    bool running_ = false;
};
