#include "app/program_messages.hpp"
#include <iostream>

namespace ql {

// Holds each line until its end, then passes it on with the name where it belongs.
class ProgramMessages::Lines : public std::streambuf {
  public:
    Lines(std::streambuf* out, const std::string& program) : out_(out), prefix_(program + ": ") {}
    ~Lines() override {
        if (!line_.empty()) pass_on();
    }

  protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        line_ += traits_type::to_char_type(c);
        if (line_.back() == '\n') pass_on();
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize i = 0; i < n; ++i) {
            line_ += s[i];
            if (s[i] == '\n') pass_on();
        }
        return n;
    }
    // A line is written whole when it ends; a flush in the middle of one waits for its end.
    int sync() override { return out_->pubsync(); }

  private:
    bool continues_message() const {
        if (line_[0] == ' ') return true;
        const std::size_t end = line_.find_last_not_of('\n');
        if (end == std::string::npos) return false;
        const std::size_t other = line_.find_first_not_of("#.");
        return other == std::string::npos || other > end; // only # and . before the end
    }
    void pass_on() {
        const bool named = line_.rfind(prefix_, 0) == 0;
        if (line_ != "\n" && !named && !continues_message())
            out_->sputn(prefix_.data(), static_cast<std::streamsize>(prefix_.size()));
        out_->sputn(line_.data(), static_cast<std::streamsize>(line_.size()));
        out_->pubsync();
        line_.clear();
    }

    std::streambuf* out_;
    std::string prefix_;
    std::string line_;
};

ProgramMessages::ProgramMessages(const std::string& program)
    : lines_(std::make_unique<Lines>(std::cerr.rdbuf(), program)), original_(std::cerr.rdbuf()) {
    std::cerr.rdbuf(lines_.get());
}

ProgramMessages::~ProgramMessages() {
    std::cerr.rdbuf(original_);
    lines_.reset(); // writes a last line that has no end
}

} // namespace ql
