#pragma once
// The main window's look for a checksum list beside a file it has hashed, in a background run
// polled on a timer: the window stays live and its result stays shown meanwhile, and it is
// told of an entry found, unless the search was cancelled first.

#include <QObject>
#include <QTimer>
#include <functional>

#include "jobs/list_search_run.h"

namespace tessik {

class MainListSearch final : public QObject {
    Q_OBJECT
  public:
    using Found = std::function<void(const ListSearch& search, const FoundEntry& entry)>;

    MainListSearch(QObject* parent, Found found);

    // A search still going on is cancelled first.
    void start(ListSearch search);
    void cancel();
    // For a window that closes.
    void cancelAndWait();
    bool isActive() const { return run_.IsActive(); }

  private:
    void serve();

    const Found found_;
    ListSearch search_;
    QTimer timer_;
    ListSearchRun run_;
};

}  // namespace tessik
