#pragma once
// A console that keeps standard output and standard error in strings and serves standard input
// from one, for running tessik-sum's commands in-process.

#include <algorithm>
#include <cstring>
#include <string>

#include "cli/console.h"

namespace tessik::test {

class StringConsole : public Console {
  public:
    std::string output;
    std::string errors;  // one message per line, with the program's prefix
    std::string input;
    bool terminal = false;  // standard error
    bool outputTerminal = false;
    bool inputTerminal = false;
    std::string progress;  // the progress line shown, empty when none is
    // Standard output takes this many writes, then refuses the rest as a closed pipe does.
    std::size_t writesAccepted = static_cast<std::size_t>(-1);

    bool Write(std::string_view bytes) override {
        if (writesAccepted == 0) return false;
        --writesAccepted;
        output += bytes;
        return true;
    }
    void Error(std::string_view message) override {
        errors += "tessik-sum: ";
        errors += message;
        errors += '\n';
    }
    void ShowProgress(std::string_view line) override { progress = line; }
    bool ErrorIsTerminal() const override { return terminal; }
    bool OutputIsTerminal() const override { return outputTerminal; }
    bool InputIsTerminal() const override { return inputTerminal; }
    std::int64_t ReadInput(char* buffer, std::size_t capacity) override {
        const std::size_t count = std::min(capacity, input.size() - read_);
        std::memcpy(buffer, input.data() + read_, count);
        read_ += count;
        return static_cast<std::int64_t>(count);
    }

  private:
    std::size_t read_ = 0;
};

}  // namespace tessik::test
