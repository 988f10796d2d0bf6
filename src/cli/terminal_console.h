#pragma once
// The process's own standard streams. A write error is reported once, except a closed pipe
// (tessik-sum ... | head -1), which ends the program quietly as it does the standard tools.
// Workers show progress from their own threads while the main thread writes lines and errors:
// a line on either stream first takes the progress line away, so the two never mix.

#include <cstddef>
#include <mutex>
#include <string>

#include "cli/console.h"

namespace tessik {

class TerminalConsole final : public Console {
  public:
    bool Write(std::string_view bytes) override;
    void Error(std::string_view message) override;
    void ShowProgress(std::string_view line) override;
    bool ErrorIsTerminal() const override;
    bool OutputIsTerminal() const override;
    bool InputIsTerminal() const override;
    std::int64_t ReadInput(char* buffer, std::size_t capacity) override;

    // Writes out what standard output still holds; false as Write.
    bool Flush();

  private:
    bool Failed();
    void ClearProgressLocked();

    bool outputFailed_ = false;
    std::mutex progressMutex_;
    std::size_t progressWidth_ = 0;  // of the progress line shown, 0 when none is
};

}  // namespace tessik
