#pragma once
#include <filesystem>
#include <string>

namespace ql {

// "cannot ACTION: REASON (FILE)", REASON from errno: the message for a file the system refused.
std::string file_error(const std::filesystem::path& path, const char* action);

} // namespace ql
