#pragma once
#include <memory>
#include <streambuf>
#include <string>

namespace ql {

// The program's name before every message it writes on standard error, so that a user who
// runs several programs, or reads a CI log, sees which one spoke: "ql730-sim: FILE:3: ...".
// Made first thing in main, it stands between std::cerr and standard error until it is
// destroyed. A line gets the name unless it already starts with it, is empty, or continues
// the message before it: a line that starts with a space (the rows of a picture comparison)
// or is made only of '#' and '.' (a picture of the LCD).
class ProgramMessages {
  public:
    explicit ProgramMessages(const std::string& program);
    ~ProgramMessages();
    ProgramMessages(const ProgramMessages&) = delete;
    ProgramMessages& operator=(const ProgramMessages&) = delete;

  private:
    class Lines;
    std::unique_ptr<Lines> lines_;
    std::streambuf* original_;
};

} // namespace ql
