// Recording the window picture of a shell as it changes: no GIF code of its own, so the browser
// build (which has no GIF files) keeps it.
#include "sim/record/shell_gif.hpp"

namespace ql {

ShellGif::~ShellGif() {
    detach();
}

bool ShellGif::start(Shell& shell, const std::filesystem::path& path, std::string& error) {
    detach();
    failure_.clear();
    if (!gif_.start(path, shell_picture(shell), shell.now_ms, error)) return false;
    seen_updates_ = shell.picture.updates();
    shell_ = &shell;
    shell_add_observer(shell, this);
    return true;
}

bool ShellGif::stop(std::string& error) {
    if (shell_ == nullptr) {
        error = failure_;
        return failure_.empty();
    }
    handled(*shell_);
    if (shell_ == nullptr) { // the last look failed
        error = failure_;
        return false;
    }
    const bool finished = gif_.finish(shell_->now_ms, error);
    detach();
    return finished;
}

void ShellGif::handled(Shell& shell) {
    // The window may have brought the picture up to date itself since the last frame (its
    // presenting does), and then it is not stale, but new to the GIF.
    if (!shell.picture.stale(shell.dev) && shell.picture.updates() == seen_updates_) return;
    const RgbImage& picture = shell_picture(shell);
    seen_updates_ = shell.picture.updates();
    if (!gif_.add(picture, shell.now_ms, failure_)) detach();
}

void ShellGif::detach() {
    if (shell_ != nullptr) shell_remove_observer(*shell_, this);
    shell_ = nullptr;
    gif_.abandon();
}

} // namespace ql
