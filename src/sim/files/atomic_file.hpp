#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace ql {

// Where writing a file whole went wrong.
enum class AtomicWriteStep : std::uint8_t { none, open, write, rename };

// Writes `text` to a part file beside PATH (part_name), flushes it to the disk and renames it
// over PATH, so that PATH is always either what it was or the new text, whole, whatever stops
// the program, and writers racing for one PATH leave one of their texts whole. On failure the
// part is removed, `step` says what failed and errno why; PATH is untouched. A new file gets
// `mode` less the umask. A device or a pipe in PATH's place is written straight into.
bool write_file_atomically(const std::filesystem::path& path, std::string_view text,
                           AtomicWriteStep& step, mode_t mode = 0666);

// write_file_atomically with the reason in one line in `error`, naming PATH: "cannot write the
// file: Permission denied (PATH)".
bool write_file_whole(const std::filesystem::path& path, std::string_view text, std::string& error);

// A new name for a part of PATH, beside it: "PATH.<process>-<n>.part", never given twice.
std::filesystem::path part_name(const std::filesystem::path& path);

// The same for a writer that streams into a file descriptor of its own (giflib): open_part
// makes the part named by part_name (-1 and errno when it cannot); once the writer has closed
// it, commit_part flushes it to the disk and renames it over PATH, or removes it and says why
// in errno.
int open_part(const std::filesystem::path& part, mode_t mode = 0666);
bool commit_part(const std::filesystem::path& part, const std::filesystem::path& path);

} // namespace ql
