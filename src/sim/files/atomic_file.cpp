#include "sim/files/atomic_file.hpp"
#include "sim/files/file_error.hpp"
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace ql {

namespace {

bool write_all(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Removes the part without losing the errno that says why it is being removed.
bool give_up(const std::string& part) {
    const int why = errno;
    ::unlink(part.c_str());
    errno = why;
    return false;
}

} // namespace

std::filesystem::path part_name(const std::filesystem::path& path) {
    // Writers in other threads and processes may be writing the same file at the same moment
    // (two scripts saving one picture side by side): each gets a part of its own, and the
    // last rename wins with a whole file.
    static std::atomic<unsigned long> written{0};
    return path.string() + "." + std::to_string(::getpid()) + "-" +
           std::to_string(written.fetch_add(1) + 1) + ".part";
}

int open_part(const std::filesystem::path& part, mode_t mode) {
    return ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

bool commit_part(const std::filesystem::path& part_path, const std::filesystem::path& path) {
    const std::string part = part_path.string();
    const int fd = ::open(part.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return give_up(part);
    const bool synced = ::fsync(fd) == 0;
    const int why = errno;
    ::close(fd);
    errno = why;
    if (!synced || std::rename(part.c_str(), path.c_str()) != 0) return give_up(part);
    return true;
}

bool write_file_atomically(const std::filesystem::path& path, std::string_view text,
                           AtomicWriteStep& step, mode_t mode) {
    step = AtomicWriteStep::open;
    // A device or a pipe (/dev/stdout) is written straight into: there is no half file to hide,
    // and renaming over it would replace the device's name.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
        !S_ISDIR(existing.st_mode)) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return false;
        step = AtomicWriteStep::write;
        const bool written = write_all(fd, text);
        const int why = errno;
        if (::close(fd) != 0 || !written) {
            if (!written) errno = why;
            return false;
        }
        step = AtomicWriteStep::none;
        return true;
    }
    const std::string part = part_name(path).string();
    const int fd = open_part(part, mode);
    if (fd < 0) return false;
    step = AtomicWriteStep::write;
    bool written = write_all(fd, text) && ::fsync(fd) == 0;
    if (!written) {
        const int why = errno;
        ::close(fd);
        errno = why;
    } else {
        written = ::close(fd) == 0;
    }
    if (!written) return give_up(part);
    step = AtomicWriteStep::rename;
    if (std::rename(part.c_str(), path.c_str()) != 0) return give_up(part);
    step = AtomicWriteStep::none;
    return true;
}

bool write_file_whole(const std::filesystem::path& path, std::string_view text,
                      std::string& error) {
    AtomicWriteStep step{};
    if (write_file_atomically(path, text, step)) return true;
    error = file_error(path, "write the file");
    return false;
}

} // namespace ql
