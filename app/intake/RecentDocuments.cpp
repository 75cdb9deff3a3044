// RecentDocuments: files opened or saved, told to Windows for its recent documents and jump list.
#include "RecentDocuments.h"

#include <chrono>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

RecentDocuments::~RecentDocuments() {
    if (!worker_.joinable()) return;
    std::unique_lock<std::mutex> lock(telling_->mutex);
    bool done = telling_->done.wait_for(lock, std::chrono::seconds(5), [this] { return !telling_->busy; });
    lock.unlock();
    if (done) {
        worker_.join();
    } else {
        worker_.detach();  // ended with the process
    }
}

void RecentDocuments::Add(const std::wstring& path) {
    {
        std::lock_guard<std::mutex> lock(telling_->mutex);
        if (telling_->busy) return;
        telling_->busy = true;
    }
    if (worker_.joinable()) worker_.join();  // done with the last file
    worker_ = std::thread([telling = telling_, path] {
        bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        SHAddToRecentDocs(SHARD_PATHW, path.c_str());
        if (com) CoUninitialize();
        std::lock_guard<std::mutex> lock(telling->mutex);
        telling->busy = false;
        telling->done.notify_all();
    });
}
