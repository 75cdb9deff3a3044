// RegularFile: the POSIX calls behind reading only ordinary files.
#include "RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace util {

namespace {

// Closes the descriptor however the read ends.
struct DescriptorCloser {
    int descriptor;
    ~DescriptorCloser() { close(descriptor); }
};

}  // namespace

RegularRead ReadRegularFile(const std::filesystem::path& path, size_t maxBytes, std::string& bytes) {
    bytes.clear();
    // Without waiting: the open of a FIFO for reading would wait for a writer, and a
    // terminal's would make it the program's.
    int file = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return RegularRead::Missing;
        return errno == ENXIO ? RegularRead::NotAFile : RegularRead::Failed;  // ENXIO: a socket
    }
    DescriptorCloser closer{file};
    struct stat status;
    if (fstat(file, &status) != 0) return RegularRead::Failed;
    if (!S_ISREG(status.st_mode)) return RegularRead::NotAFile;
    char piece[65536];
    while (bytes.size() < maxBytes) {
        ssize_t done = read(file, piece, std::min(sizeof piece, maxBytes - bytes.size()));
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            bytes.clear();
            return RegularRead::Failed;
        }
        if (done == 0) break;
        bytes.append(piece, static_cast<size_t>(done));
    }
    return RegularRead::Read;
}

}  // namespace util
