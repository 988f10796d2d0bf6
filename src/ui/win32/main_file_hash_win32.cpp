#include "ui/win32/main_file_hash_win32.h"

#include <chrono>

#include "ui/rules/main_window.h"
#include "ui/rules/progress_text.h"
#include "ui/win32/win32_dialog.h"

namespace tessik {
namespace {

using namespace main_window;

// How often the hash is asked whether it has ended.
constexpr std::chrono::milliseconds kPollInterval{15};

}  // namespace

Win32MainFileHash::Win32MainFileHash(Win32Dialog& window)
    : window_(window), progress_(window, kProgressBar, 0, [this] { showHashing(); }) {}

Win32MainFileHash::~Win32MainFileHash() {
    cancelAndWait();
}

void Win32MainFileHash::start(const std::u16string& path, const AlgorithmInfo& algorithm,
                              Ended ended) {
    if (!run_.Start(HashingFiles({{path}, &algorithm, false, 1}))) return;
    ended_ = std::move(ended);
    timer_ = window_.startTimer(kPollInterval, [this] { serve(); });
    focusBefore_ = GetFocus();
    enableTheRest(false);
    progress_.start([this](double elapsedSeconds) {
        const RunProgress now = run_.Progress();
        return Win32ProgressDisplay::View{PercentDone(now.currentDone, now.currentTotal),
                                          FileProgressText(now.currentDone, now.currentTotal,
                                                           elapsedSeconds, window_.progressTexts()),
                                          {}};
    });
}

void Win32MainFileHash::cancelAndWait() {
    if (!isActive()) return;
    run_.Stop();
    run_.Finish();
    end();
}

// Every control but the Cancel button and the bar, and the menu bar.
void Win32MainFileHash::enableTheRest(bool enable) {
    HWND window = window_.handle();
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id != kCancelHashButton && id != kProgressBar) EnableWindow(child, enable);
    }
    if (HMENU menu = GetMenu(window)) {
        for (int item = 0; item < GetMenuItemCount(menu); ++item) {
            EnableMenuItem(menu, static_cast<UINT>(item),
                           MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
        }
        DrawMenuBar(window);
    }
}

void Win32MainFileHash::showHashing() {
    ShowWindow(window_.control(kResultField), SW_HIDE);
    ShowWindow(window_.control(kHashFileButton), SW_HIDE);
    ShowWindow(window_.control(kCancelHashButton), SW_SHOW);
    SetFocus(window_.control(kCancelHashButton));
}

// A cancelled hash hands nothing over.
void Win32MainFileHash::serve() {
    if (!run_.HasEnded()) return;
    run_.Finish();
    const std::vector<HashedFile> hashed = run_.TakeRows();
    end();
    if (!hashed.empty()) ended_(hashed.front().path, hashed.front().result);
}

void Win32MainFileHash::end() {
    if (timer_ != 0) window_.stopTimer(timer_);
    timer_ = 0;
    progress_.stop();
    ShowWindow(window_.control(kCancelHashButton), SW_HIDE);
    ShowWindow(window_.control(kHashFileButton), SW_SHOW);
    ShowWindow(window_.control(kResultField), SW_SHOW);
    enableTheRest(true);
    if (focusBefore_ != nullptr && IsWindow(focusBefore_)) SetFocus(focusBefore_);
}

}  // namespace tessik
