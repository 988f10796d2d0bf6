#pragma once
// What tessik-sum reaches outside itself: standard output, standard error, standard input and
// which of them are terminals. The program uses the process's own; the tests use a
// console that keeps everything in strings.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tessik {

class Console {
  public:
    virtual ~Console() = default;
    // Standard output. False once it cannot take more (closed, full): the program then ends.
    virtual bool Write(std::string_view bytes) = 0;
    // One line on standard error, "tessik-sum: " and the line end added.
    virtual void Error(std::string_view message) = 0;
    // Replaces the progress line on standard error; an empty text removes it.
    virtual void ShowProgress(std::string_view line) = 0;
    virtual bool ErrorIsTerminal() const = 0;
    virtual bool OutputIsTerminal() const = 0;
    virtual bool InputIsTerminal() const = 0;
    // Standard input, as ListBytes reads.
    virtual std::int64_t ReadInput(char* buffer, std::size_t capacity) = 0;
};

}  // namespace tessik
