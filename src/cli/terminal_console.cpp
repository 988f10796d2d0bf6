#include "cli/terminal_console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/stdio_streams.h"

namespace tessik {

bool TerminalConsole::Write(std::string_view bytes) {
    if (outputFailed_) return false;
    {
        std::lock_guard lock(progressMutex_);
        ClearProgressLocked();
    }
    if (WriteStream(stdout, bytes)) return true;
    return Failed();
}

bool TerminalConsole::Flush() {
    if (outputFailed_) return false;
    return std::fflush(stdout) == 0 || Failed();
}

bool TerminalConsole::Failed() {
    const int error = errno;
    outputFailed_ = true;
    if (error != EPIPE) Error(std::string("write error: ") + std::strerror(error));
    return false;
}

void TerminalConsole::Error(std::string_view message) {
    std::lock_guard lock(progressMutex_);
    ClearProgressLocked();
    WriteStream(stderr, "tessik-sum: " + std::string(message) + "\n");
}

// Carriage return and spaces only: no terminal control sequences, so a log file stays readable.
void TerminalConsole::ShowProgress(std::string_view line) {
    std::lock_guard lock(progressMutex_);
    if (line.empty()) {
        ClearProgressLocked();
        return;
    }
    std::string text = "\r";
    text.append(line);
    if (line.size() < progressWidth_) text.append(progressWidth_ - line.size(), ' ');
    progressWidth_ = line.size();
    WriteStream(stderr, text);
}

void TerminalConsole::ClearProgressLocked() {
    if (progressWidth_ == 0) return;
    WriteStream(stderr, "\r" + std::string(progressWidth_, ' ') + "\r");
    progressWidth_ = 0;
}

bool TerminalConsole::ErrorIsTerminal() const {
    return IsTerminal(stderr);
}

bool TerminalConsole::OutputIsTerminal() const {
    return IsTerminal(stdout);
}

bool TerminalConsole::InputIsTerminal() const {
    return IsTerminal(stdin);
}

std::int64_t TerminalConsole::ReadInput(char* buffer, std::size_t capacity) {
    const std::size_t got = std::fread(buffer, 1, capacity, stdin);
    if (got == 0 && std::ferror(stdin)) return -1;
    return static_cast<std::int64_t>(got);
}

}  // namespace tessik
