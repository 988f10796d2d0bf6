#include "cli/terminal_console.h"

#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tessik {

bool TerminalConsole::Write(std::string_view bytes) {
    if (outputFailed_) return false;
    {
        std::lock_guard lock(progressMutex_);
        ClearProgressLocked();
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size()) return true;
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
    std::fprintf(stderr, "tessik-sum: %.*s\n", static_cast<int>(message.size()), message.data());
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
    std::fputs(text.c_str(), stderr);
}

void TerminalConsole::ClearProgressLocked() {
    if (progressWidth_ == 0) return;
    std::fputs(("\r" + std::string(progressWidth_, ' ') + "\r").c_str(), stderr);
    progressWidth_ = 0;
}

bool TerminalConsole::ErrorIsTerminal() const {
    return ::isatty(STDERR_FILENO) == 1;
}

bool TerminalConsole::OutputIsTerminal() const {
    return ::isatty(STDOUT_FILENO) == 1;
}

bool TerminalConsole::InputIsTerminal() const {
    return ::isatty(STDIN_FILENO) == 1;
}

std::int64_t TerminalConsole::ReadInput(char* buffer, std::size_t capacity) {
    const std::size_t got = std::fread(buffer, 1, capacity, stdin);
    if (got == 0 && std::ferror(stdin)) return -1;
    return static_cast<std::int64_t>(got);
}

}  // namespace tessik
