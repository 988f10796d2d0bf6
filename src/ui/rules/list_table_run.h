#pragma once
// A checksum-list window's run as its table follows it, whatever the run hands over: its rows
// made table rows (one or more each), in order, and its end as the table reports it.

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

#include "jobs/append_run.h"
#include "jobs/background_run.h"
#include "jobs/list_run.h"
#include "ui/rules/checksum_list_table.h"

namespace tessik {

// How often a window adds the rows that have come to its table while a run goes on.
inline constexpr std::chrono::milliseconds kRowBatchInterval{50};

class TableRun {
  public:
    virtual ~TableRun() = default;
    virtual bool IsActive() const = 0;
    virtual bool HasEnded() const = 0;
    virtual void Stop() = 0;
    virtual std::vector<ListRow> TakeRows() = 0;
    virtual RunProgress Progress() const = 0;
    virtual ListRunEnding Finish() = 0;
};

template <class Row, class Ending>
class TableRunOf final : public TableRun {
  public:
    // Adds a row's table rows to the end of the others.
    using AddListRows = std::function<void(Row&, std::vector<ListRow>&)>;
    explicit TableRunOf(AddListRows addListRows) : addListRows_(std::move(addListRows)) {}

    BackgroundRun<Row, Ending>& run() { return run_; }

    bool IsActive() const override { return run_.IsActive(); }
    bool HasEnded() const override { return run_.HasEnded(); }
    void Stop() override { run_.Stop(); }
    std::vector<ListRow> TakeRows() override {
        std::vector<ListRow> rows;
        for (Row& row : run_.TakeRows()) addListRows_(row, rows);
        return rows;
    }
    RunProgress Progress() const override { return run_.Progress(); }
    ListRunEnding Finish() override {
        ending_ = run_.Finish();
        return Ended(ending_);
    }
    // What the last run finished came to.
    const Ending& LastEnding() const { return ending_; }

  private:
    static ListRunEnding Ended(const ListRunEnding& ending) { return ending; }
    static ListRunEnding Ended(bool stopped) {
        ListRunEnding ending;
        ending.stopped = stopped;
        return ending;
    }
    static ListRunEnding Ended(const RunEnding& ending) { return Ended(ending.stopped); }
    static ListRunEnding Ended(const AppendOutcome& outcome) {
        return Ended(outcome.status == AppendStatus::kCancelled);
    }

    const AddListRows addListRows_;
    BackgroundRun<Row, Ending> run_;
    Ending ending_;
};

}  // namespace tessik
