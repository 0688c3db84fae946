#include "app/settings_lock.hpp"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ql {

SettingsLock::~SettingsLock() {
    if (fd_ < 0) return;
    // Removed while still held: whoever opened the old file before finds it gone after
    // locking it and takes a new one.
    ::unlink(path_.c_str());
    ::close(fd_);
}

bool SettingsLock::take(const std::string& file, std::string& error) {
    const std::string path = file + ".lock";
    // A simulator ending at this moment removes the file it held; the lock taken must be on
    // the file that is there afterwards.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            error = file + ": settings: cannot write it: " + std::strerror(errno);
            return false;
        }
        int locked = -1;
        do {
            locked = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (locked != 0 && errno == EINTR);
        if (locked != 0) {
            const int why = errno;
            ::close(fd);
            error = file + ": settings: " +
                    (why == EWOULDBLOCK ? std::string("another simulator is using it; close that "
                                                      "one first or give another file")
                                        : "cannot lock it: " + std::string(std::strerror(why)));
            return false;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            fd_ = fd;
            path_ = path;
            return true;
        }
        ::close(fd);
    }
    error = file + ": settings: another simulator is using it; close that one first or give "
                   "another file";
    return false;
}

} // namespace ql
