#pragma once
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <sys/types.h>

namespace ql {

// Where writing a file whole went wrong.
enum class AtomicWriteStep : std::uint8_t { none, open, write, rename };

// Writes `text` to PATH.part, flushes it to the disk and renames it over PATH, so that PATH is
// always either what it was or the new text, whole, whatever stops the program. On failure the
// part is removed, `step` says what failed and errno why; PATH is untouched. A new file gets
// `mode` less the umask. A device or a pipe in PATH's place is written straight into.
bool write_file_atomically(const std::filesystem::path& path, std::string_view text,
                           AtomicWriteStep& step, mode_t mode = 0666);

// The same for a writer that streams into a file descriptor of its own (giflib): open_part
// opens PATH.part (-1 and errno when it cannot); once the writer has closed it, commit_part
// flushes it to the disk and renames it over PATH, or removes it and says why in errno.
int open_part(const std::filesystem::path& path, mode_t mode = 0666);
bool commit_part(const std::filesystem::path& path);

} // namespace ql
