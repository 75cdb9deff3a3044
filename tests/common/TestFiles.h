// TestFiles: a temporary folder per test, and the raw bytes of the files in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

// A new, empty folder under the system's temporary folder, removed with everything in
// it when the object goes.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("enneo-test-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(folder_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The wide path of a file in the folder; the folder's path is plain ASCII.
    std::wstring Path(const char* name) const { return (folder_ / name).wstring(); }

private:
    std::filesystem::path folder_;
};

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline bool FileExists(const std::wstring& path) {
    return std::filesystem::exists(std::filesystem::path(path));
}
