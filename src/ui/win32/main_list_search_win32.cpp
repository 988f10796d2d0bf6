#include "ui/win32/main_list_search_win32.h"

#include <chrono>
#include <utility>

#include "ui/win32/win32_dialog.h"

namespace tessik {
namespace {

// How often the search is asked whether it has ended.
constexpr std::chrono::milliseconds kPollInterval{20};

}  // namespace

Win32MainListSearch::Win32MainListSearch(Win32Dialog& window, Found found)
    : window_(window), found_(std::move(found)) {}

Win32MainListSearch::~Win32MainListSearch() {
    cancelAndWait();
}

void Win32MainListSearch::start(ListSearch search) {
    cancelAndWait();
    search_ = std::move(search);
    if (run_.Start(SearchingForList(search_))) {
        timer_ = window_.startTimer(kPollInterval, [this] { serve(); });
    }
}

// What it comes to is not told; the run is finished when the next one starts.
void Win32MainListSearch::cancel() {
    run_.Stop();
    if (timer_ != 0) window_.stopTimer(timer_);
    timer_ = 0;
}

void Win32MainListSearch::cancelAndWait() {
    cancel();
    run_.Finish();
}

void Win32MainListSearch::serve() {
    if (!run_.HasEnded()) return;
    cancel();
    const RunEnding ending = run_.Finish();
    const std::vector<FoundEntry> found = run_.TakeRows();
    if (!ending.stopped && !found.empty()) found_(search_, found.front());
}

}  // namespace tessik
