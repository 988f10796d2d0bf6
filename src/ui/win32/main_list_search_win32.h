#pragma once
// The main window's look for a checksum list beside a file it has hashed, in a background run
// polled on a timer: the window stays live and its result stays shown meanwhile, and it is
// told of an entry found, unless the search was cancelled first.

#include <windows.h>

#include <functional>

#include "jobs/list_search_run.h"

namespace tessik {

class Win32Dialog;

class Win32MainListSearch {
  public:
    using Found = std::function<void(const ListSearch& search, const FoundEntry& entry)>;

    Win32MainListSearch(Win32Dialog& window, Found found);
    ~Win32MainListSearch();

    // A search still going on is cancelled first.
    void start(ListSearch search);
    void cancel();
    // For a window that closes.
    void cancelAndWait();
    bool isActive() const { return run_.IsActive(); }

  private:
    void serve();

    Win32Dialog& window_;
    const Found found_;
    ListSearch search_;
    UINT_PTR timer_ = 0;
    ListSearchRun run_;
};

}  // namespace tessik
