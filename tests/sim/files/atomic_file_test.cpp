#include "sim/files/atomic_file.hpp"
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A new file replaces the old one whole, and nothing is left beside it; a file that cannot be
// made or put in place leaves the old one as it was, says which step failed, and no part.
TEST(AtomicFile, ReplacesWholeOrLeavesTheOldFileAndNoPart) {
    const fs::path dir = fs::temp_directory_path() / ("ql730_atomic_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "out.txt";
    ql::AtomicWriteStep step{};
    ASSERT_TRUE(ql::write_file_atomically(file, "old text\n", step));
    ASSERT_TRUE(ql::write_file_atomically(file, "new", step));
    EXPECT_EQ(contents(file), "new");
    EXPECT_EQ(step, ql::AtomicWriteStep::none);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);

    EXPECT_FALSE(ql::write_file_atomically(dir / "missing" / "out.txt", "x", step));
    EXPECT_EQ(step, ql::AtomicWriteStep::open);
    EXPECT_EQ(errno, ENOENT);

    // A folder in the file's place cannot be renamed over.
    fs::create_directories(dir / "taken");
    EXPECT_FALSE(ql::write_file_atomically(dir / "taken", "x", step));
    EXPECT_EQ(step, ql::AtomicWriteStep::rename);
    EXPECT_EQ(errno, EISDIR);
    EXPECT_TRUE(fs::is_directory(dir / "taken"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
    EXPECT_EQ(contents(file), "new");
    fs::remove_all(dir);

    // A device keeps its name: written into, never renamed over.
    EXPECT_TRUE(ql::write_file_atomically("/dev/null", "x", step));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// Threads writing one file at once each leave it whole: the last rename wins, no part is left.
TEST(AtomicFile, WritersRacingForOneFileLeaveOneWholeText) {
    const fs::path dir = fs::temp_directory_path() / ("ql730_race_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "shared.txt";
    std::vector<std::string> texts;
    for (char c = 'a'; c < 'e'; ++c)
        texts.emplace_back(200'000, c);
    std::vector<std::thread> writers;
    std::atomic<int> failed{0};
    for (const std::string& text : texts)
        writers.emplace_back([&, text] {
            ql::AtomicWriteStep step{};
            for (int i = 0; i < 20; ++i)
                if (!ql::write_file_atomically(file, text, step)) ++failed;
        });
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(failed, 0);
    const std::string found = contents(file);
    EXPECT_NE(std::find(texts.begin(), texts.end(), found), texts.end())
        << "a mixed file of " << found.size() << " bytes";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

} // namespace
