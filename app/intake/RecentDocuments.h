// RecentDocuments: files opened or saved, told to Windows for its recent documents and jump list.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

// The shell writes a shortcut for each file it is told of and may take its time (Wine's
// waits for its menu builder), so each file is told on a worker thread, one at a time: a
// file added while the last is still being told is left out. The owner's end waits a few
// seconds for a file being told, so that the program does not end in the middle of the
// shell's work, and no longer: a shell that hangs never holds the program.
class RecentDocuments {
public:
    RecentDocuments() = default;
    RecentDocuments(const RecentDocuments&) = delete;
    RecentDocuments& operator=(const RecentDocuments&) = delete;
    ~RecentDocuments();

    void Add(const std::wstring& path);

private:
    // Shared with the worker, which may outlive this object when the shell hangs.
    struct Telling {
        std::mutex mutex;
        std::condition_variable done;
        bool busy = false;  // under mutex
    };

    std::shared_ptr<Telling> telling_ = std::make_shared<Telling>();
    std::thread worker_;
};
