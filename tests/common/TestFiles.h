// TestFiles: a temporary folder per test, and the raw bytes of the files in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <chrono>
#include <thread>

// A new, empty folder of a random name under the system's temporary folder, removed
// with everything in it when the object goes. Under Windows a file dialog lets go of a
// folder it has shown only a moment later, so the removal is tried for up to five seconds.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("enneo-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(folder_);
    }
    ~TempFolder() {
        std::error_code error;
        for (int attempt = 0; attempt < 50; ++attempt) {
            std::filesystem::remove_all(folder_, error);
            if (!error) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The wide path of a file in the folder; the folder's path is plain ASCII.
    std::wstring Path(const char* name) const { return (folder_ / name).wstring(); }
    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline bool FileExists(const std::wstring& path) {
    return std::filesystem::exists(std::filesystem::path(path));
}
