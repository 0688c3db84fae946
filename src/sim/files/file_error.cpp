#include "sim/files/file_error.hpp"
#include <cerrno>
#include <cstring>

namespace ql {

std::string file_error(const std::filesystem::path& path, const char* action) {
    return "cannot " + std::string(action) + ": " + std::strerror(errno) + " (" + path.string() +
           ")";
}

} // namespace ql
