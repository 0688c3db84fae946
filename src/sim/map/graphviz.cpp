#include "sim/map/graphviz.hpp"
#include "sim/files/atomic_file.hpp"
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace ql {

namespace {

// The graph and the drawing pass through two files of a private folder beside the output, so
// that dot needs no pipes and leaves nothing behind.
struct TemporaryFolder {
    std::filesystem::path path;
    ~TemporaryFolder() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};

} // namespace

bool dot_available() {
    const char* path = std::getenv("PATH");
    if (path == nullptr) return false;
    std::istringstream folders(path);
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string program = (folder.empty() ? std::string(".") : folder) + "/dot";
        if (::access(program.c_str(), X_OK) == 0) return true;
    }
    return false;
}

bool draw_svg(const std::filesystem::path& folder, const std::string& graph, std::string& svg,
              std::string& error) {
    if (!dot_available()) {
        error = DOT_MISSING;
        return false;
    }
    std::string pattern = (folder / ".ql730-dot-XXXXXX").string();
    TemporaryFolder work;
    if (::mkdtemp(pattern.data()) == nullptr) {
        error = "cannot make a working folder in " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    work.path = pattern;
    const std::filesystem::path graph_file = work.path / "map.dot";
    const std::filesystem::path svg_file = work.path / "map.svg";
    AtomicWriteStep step{};
    if (!write_file_atomically(graph_file, graph, step)) {
        error = "cannot write in " + folder.string() + ": " + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        error = std::string("cannot start dot: ") + std::strerror(errno);
        return false;
    }
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) ::dup2(null, STDERR_FILENO);
        if (::chdir(folder.c_str()) != 0) ::_exit(126);
        const std::string in = graph_file.string();
        const std::string out = svg_file.string();
        ::execlp("dot", "dot", "-Tsvg", "-o", out.c_str(), in.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = WIFEXITED(status) && WEXITSTATUS(status) == 127
                    ? std::string(DOT_MISSING)
                    : "Graphviz's dot could not draw the map (exit status " +
                          std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")";
        return false;
    }
    std::ifstream drawn(svg_file, std::ios::binary);
    std::ostringstream text;
    text << drawn.rdbuf();
    svg = text.str();
    if (!drawn || svg.empty()) {
        error = "Graphviz's dot wrote no drawing";
        return false;
    }
    return true;
}

std::string inline_svg(const std::string& svg) {
    const std::size_t start = svg.find("<svg");
    return start == std::string::npos ? svg : svg.substr(start);
}

std::string dot_quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace ql
