#pragma once
#include "sim/files/gif_recorder.hpp"
#include "sim/host/shell.hpp"
#include <cstdint>
#include <filesystem>
#include <string>

namespace ql {

// Records a shell's window picture into a GIF: after every message that changed the picture, a
// frame at the shell's simulated time. Started, it watches the shell until stopped.
class ShellGif final : public ShellObserver {
  public:
    ShellGif() = default;
    ~ShellGif() override;
    ShellGif(const ShellGif&) = delete;
    ShellGif& operator=(const ShellGif&) = delete;

    bool start(Shell& shell, const std::filesystem::path& path, std::string& error);
    // Finishes the GIF at the shell's time. False with `error` when it could not be written,
    // now or at an earlier frame.
    bool stop(std::string& error);
    void handled(Shell& shell) override;

    bool recording() const { return shell_ != nullptr; }
    const GifRecorder& recorder() const { return gif_; }

  private:
    void detach();

    Shell* shell_ = nullptr;
    GifRecorder gif_;
    std::string failure_;            // a frame that could not be written ended the recording
    std::uint64_t seen_updates_ = 0; // the picture's updates() at the last frame
};

} // namespace ql
