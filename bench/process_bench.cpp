// The headless program timed as whole processes, start-up and exit included, next to a
// do-nothing process started the same way in the same run:
//   - an empty script: process time, and how many do-nothing processes it is worth;
//   - one and ten simulated hours at 100 km/h: simulated hours per wall second;
//   - the peak resident memory of the one-hour drive.
// Usage: ql730_process_bench [--runs N] HEADLESS_COMMAND...
//   e.g. ql730_process_bench build/bench/ql730-headless
//        ql730_process_bench build/bench/ql730-sim --headless
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Figures {
    double median_s, min_s, max_s;
};

[[noreturn]] void give_up(const char* what, const std::string& command) {
    std::fprintf(stderr, "ql730_process_bench: %s: %s\n", command.c_str(), what);
    std::exit(1);
}

std::vector<char*> argv_of(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Starts `args` with standard input and output on /dev/null and waits for it: the wall time
// in seconds. Exits the benchmark when the command cannot start or does not end with code 0.
double run_once(const std::vector<std::string>& args) {
    std::vector<char*> argv = argv_of(args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int fd = 0; fd <= 2; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY,
                                         0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) give_up(std::strerror(failed), args[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) give_up("exit code not 0", args[0]);
    return std::chrono::duration<double>(end - start).count();
}

Figures measure(const std::vector<std::string>& args, int runs) {
    run_once(args); // warm the page cache
    std::vector<double> walls;
    for (int i = 0; i < runs; ++i)
        walls.push_back(run_once(args));
    std::sort(walls.begin(), walls.end());
    return {walls[walls.size() / 2], walls.front(), walls.back()};
}

long status_kb(pid_t pid, const char* key) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
    return -1;
}

// The peak resident memory of the program itself (VmHWM read as it exits). The rusage of a
// child would also count the memory of the process that started it, up to its exec.
long peak_kb(const std::vector<std::string>& args) {
    std::vector<char*> argv = argv_of(args);
    const pid_t pid = fork();
    if (pid < 0) give_up("cannot fork", args[0]);
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        for (int fd = 0; fd <= 2; ++fd)
            dup2(null, fd);
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    long peak = -1;
    int status = 0;
    bool options_set = false;
    while (waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
        int pass_signal = 0;
        if (!options_set) { // stopped at its exec
            ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT);
            options_set = true;
        } else if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            peak = status_kb(pid, "VmHWM:");
        } else {
            pass_signal = WSTOPSIG(status);
        }
        ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(static_cast<long>(pass_signal)));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || peak < 0)
        give_up("exit code not 0, or its memory could not be read", args[0]);
    return peak;
}

std::vector<std::string> with_script(std::vector<std::string> command, const fs::path& script) {
    command.push_back(script.string());
    return command;
}

void write_file(const fs::path& path, const char* text) {
    std::ofstream out(path);
    out << text;
}

std::string spread(const Figures& f) {
    char text[96];
    std::snprintf(text, sizeof text, "fastest %.2f ms, slowest %.2f ms", f.min_s * 1e3,
                  f.max_s * 1e3);
    return text;
}

void report_drive(const char* label, double simulated_hours, const Figures& f) {
    std::printf("%-34s %9.2f ms  %8.0f simulated h per wall s  (%.0f x real time; %s)\n", label,
                f.median_s * 1e3, simulated_hours / f.median_s,
                simulated_hours * 3600.0 / f.median_s, spread(f).c_str());
}

} // namespace

int main(int argc, char** argv) {
    int runs = 21;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "--runs") == 0) {
        runs = std::atoi(argv[2]);
        first = 3;
    }
    if (first >= argc || runs < 1) {
        std::fprintf(stderr, "usage: ql730_process_bench [--runs N] HEADLESS_COMMAND...\n");
        return 2;
    }
    const std::vector<std::string> command(argv + first, argv + argc);

    char folder_template[] = "/tmp/ql730-process-bench-XXXXXX";
    if (mkdtemp(folder_template) == nullptr) {
        std::perror("ql730_process_bench: mkdtemp");
        return 2;
    }
    const fs::path folder = folder_template;
    write_file(folder / "empty.txt", "");
    write_file(folder / "hour.txt", "key up 10\nwait 1h\n");
    write_file(folder / "ten-hours.txt", "key up 10\nwait 10h\n");

    const Figures nothing = measure({"/bin/true"}, runs);
    const Figures empty = measure(with_script(command, folder / "empty.txt"), runs);
    const Figures hour = measure(with_script(command, folder / "hour.txt"), runs);
    const Figures ten =
        measure(with_script(command, folder / "ten-hours.txt"), std::max(1, runs / 4));
    const long nothing_kb = peak_kb({"/bin/true"});
    const long hour_kb = peak_kb(with_script(command, folder / "hour.txt"));
    fs::remove_all(folder);

    std::printf("%d runs of each (ten hours: %d), median wall time of the whole process\n", runs,
                std::max(1, runs / 4));
    std::printf("%-34s %9.2f ms  (%s)\n", "/bin/true, the yardstick", nothing.median_s * 1e3,
                spread(nothing).c_str());
    std::printf("%-34s %9.2f ms  %8.1f x /bin/true  (%s)\n", "empty script", empty.median_s * 1e3,
                empty.median_s / nothing.median_s, spread(empty).c_str());
    report_drive("1 h at 100 km/h", 1.0, hour);
    report_drive("10 h at 100 km/h", 10.0, ten);
    std::printf("%-34s %9.2f MB  (/bin/true: %.2f MB)\n", "peak resident memory, 1 h drive",
                static_cast<double>(hour_kb) / 1024.0, static_cast<double>(nothing_kb) / 1024.0);
    return 0;
}
