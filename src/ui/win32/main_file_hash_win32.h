#pragma once
// The main window's file hash, in a background run polled on a timer while the window stays
// live: the file the window shows, or one compared with its result. After a third of a second
// its progress and a Cancel button take the places of the result and of the button that hashes
// a file; every other control of the window, and its menu, waits until the hash ends.

#include <windows.h>

#include <functional>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"
#include "jobs/files_run.h"
#include "ui/win32/progress_display_win32.h"

namespace tessik {

class Win32Dialog;

class Win32MainFileHash {
  public:
    // Told on the window's thread what a hash came to, unless it was cancelled.
    using Ended = std::function<void(const std::u16string& path, const FileDigestResult& result)>;

    // The window holds the controls of the main window's template, once built.
    explicit Win32MainFileHash(Win32Dialog& window);
    ~Win32MainFileHash();

    // Nothing happens while a hash goes on; `ended` is told what it came to.
    void start(const std::u16string& path, const AlgorithmInfo& algorithm, Ended ended);
    void cancel() { run_.Stop(); }
    // For a window that closes.
    void cancelAndWait();
    bool isActive() const { return run_.IsActive(); }

  private:
    void showHashing();
    void enableTheRest(bool enable);
    void serve();
    void end();

    Win32Dialog& window_;
    Ended ended_;
    Win32ProgressDisplay progress_;
    HWND focusBefore_ = nullptr;
    UINT_PTR timer_ = 0;
    FilesRun run_;
};

}  // namespace tessik
