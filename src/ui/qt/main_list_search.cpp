#include "ui/qt/main_list_search.h"

#include <chrono>
#include <utility>

namespace tessik {
namespace {

// How often the search is asked whether it has ended.
constexpr std::chrono::milliseconds kPollInterval{20};

}  // namespace

MainListSearch::MainListSearch(QObject* parent, Found found)
    : QObject(parent), found_(std::move(found)) {
    timer_.setInterval(kPollInterval);
    connect(&timer_, &QTimer::timeout, this, [this] { serve(); });
}

void MainListSearch::start(ListSearch search) {
    cancelAndWait();
    search_ = std::move(search);
    if (run_.Start(SearchingForList(search_))) timer_.start();
}

// What it comes to is not told; the run is finished when the next one starts.
void MainListSearch::cancel() {
    run_.Stop();
    timer_.stop();
}

void MainListSearch::cancelAndWait() {
    cancel();
    run_.Finish();
}

void MainListSearch::serve() {
    if (!run_.HasEnded()) return;
    timer_.stop();
    const RunEnding ending = run_.Finish();
    const std::vector<FoundEntry> found = run_.TakeRows();
    if (!ending.stopped && !found.empty()) found_(search_, found.front());
}

}  // namespace tessik
