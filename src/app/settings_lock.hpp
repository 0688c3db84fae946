#pragma once
#include <string>

namespace ql {

// Keeps a second simulator off a settings file while one keeps its store there: an advisory
// lock (flock) on FILE.lock beside it, held until the program ends. The lock goes with the
// process, so a simulator that is killed leaves the file free; FILE.lock is removed at the end.
class SettingsLock {
  public:
    SettingsLock() = default;
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    // Takes the lock of `file` for this program. False with one line in `error` when another
    // simulator has the file, or when FILE.lock cannot be made beside it (so the file could
    // not be written either).
    bool take(const std::string& file, std::string& error);

  private:
    int fd_ = -1;
    std::string path_;
};

} // namespace ql
