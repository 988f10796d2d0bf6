#include "ui/win32/checksum_list_window_win32.h"

#include <algorithm>

#include "ui/rules/progress_text.h"
#include "ui/rules/text_pattern.h"
#include "ui/win32/algorithm_list_win32.h"
#include "ui/win32/dropped_files_win32.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

using namespace list_window;

// What did not pass stands out in the status column; its text says what it is.
constexpr COLORREF kStandsOut = RGB(128, 0, 0);

}  // namespace

Win32ChecksumListWindow::Win32ChecksumListWindow(const DialogTemplate& dialogTemplate,
                                                 std::vector<ListColumn> columns,
                                                 Win32DesktopServices& desktop, FontSettings& fonts,
                                                 std::u16string languageFile, int algorithmIndex)
    : Win32Dialog(dialogTemplate, desktop),
      columns_(std::move(columns)),
      fonts_(fonts),
      fontHost_(*this),
      languageFile_(std::move(languageFile)),
      algorithmIndex_(algorithmIndex),
      cells_([this](ListMemberText which) { return text(which); }, failureTexts_) {}

Win32ChecksumListWindow::~Win32ChecksumListWindow() = default;

void Win32ChecksumListWindow::onInitDialog() {
    bindTable();
    applyTexts(languageFile_, ListWindowTables(), *this);
    failureTexts_ = ReadFailureTexts(languageFile_);
    fonts_.applyTo(fontHost_, true);
    // The controls keep their template places, so the window keeps its size.
    SetWindowLongPtrW(handle(), GWL_STYLE,
                      GetWindowLongPtrW(handle(), GWL_STYLE) & ~(WS_THICKFRAME | WS_MAXIMIZEBOX));
    SetWindowPos(handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    selectEntry(kAlgorithmList, algorithmIndex_);
    bindCommands();
    DragAcceptFiles(handle(), TRUE);
    showColumnsFor(chosenAlgorithms());
    onTableReady();
    sizeColumns();
}

void Win32ChecksumListWindow::bindTable() {
    FillAlgorithmList(control(kAlgorithmList));
    Win32ListView::Owner owner;
    owner.cellText = [this](std::size_t row, int column) {
        if (row >= table_.Size() || column < 0 ||
            static_cast<std::size_t>(column) >= shownColumns_.size()) {
            return std::u16string();
        }
        return cells_.Cell(table_.Row(row), shownColumns_[static_cast<std::size_t>(column)],
                           lowerCase_);
    };
    owner.cellColour = [this](std::size_t row, int column) { return cellColour(row, column); };
    owner.headerClicked = [this](int column) { sortBy(column); };
    owner.copyAsked = [this] { copySelectedRows(); };
    view_ = std::make_unique<Win32ListView>(control(kTable), std::move(owner));
    progress_ = std::make_unique<Win32ProgressDisplay>(*this, kProgressBar, kCurrentFileLabel);
}

void Win32ChecksumListWindow::bindCommands() {
    onCommand(kStartButton, [this] { start(); });
    onCommand(kStopButton, [this] { tableRun().Stop(); });
    onCommand(kCopyFailedButton, [this] { copyFailedNames(); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    // Only a checked list has mismatches to put first.
    onCommand(kMismatchesFirstBox, [this] {
        reorder([this] { table_.SetProblemsFirst(isChecked(kMismatchesFirstBox)); });
    });
    // The digests and results shown belong to the algorithms they were made with.
    several_ = std::make_unique<Win32SeveralAlgorithmsEntry>(
        *this, desktop(), kAlgorithmList, text(ListMemberText::kSeveralAlgorithms),
        Win32SeveralAlgorithmsEntry::Context{fonts_, languageFile_, ticked_}, [this] {
            if (!isRunning()) algorithmChanged();
        });
}

void Win32ChecksumListWindow::setMemberText(int id, const std::u16string& text) {
    if (id >= 0 && id < kListMemberTextCount) texts_[static_cast<std::size_t>(id)] = text;
}

std::u16string Win32ChecksumListWindow::text(ListMemberText which) const {
    return texts_[static_cast<std::size_t>(which)];
}

ListText Win32ChecksumListWindow::listTexts() const {
    return [this](ListMemberText which) { return text(which); };
}

const AlgorithmInfo& Win32ChecksumListWindow::chosenAlgorithm() const {
    return AlgorithmForIndex(std::max(0, selectedEntry(kAlgorithmList)));
}

AlgorithmSet Win32ChecksumListWindow::chosenAlgorithms() const {
    if (several_ != nullptr && several_->isChosen()) return several_->algorithms();
    return {&chosenAlgorithm()};
}

void Win32ChecksumListWindow::showColumnsFor(const AlgorithmSet& algorithms) {
    std::vector<ListColumn> columns = ColumnsFor(columns_, algorithms);
    if (columns == shownColumns_) return;
    // A sort by a column that moved would sort by another.
    sortColumn_.reset();
    descending_ = false;
    table_.SortBy(ListColumn::kLine, false);
    shownColumns_ = std::move(columns);
    std::vector<std::u16string> headers;
    for (ListColumn column : shownColumns_) headers.push_back(cells_.Header(column));
    view_->setColumns(headers);
    view_->showSortMark(std::nullopt, false);
}

// The name column takes what the others leave, and a third of the table at least, so that long
// digests leave the names readable: the line column fits its numbers, a digest its digits, and
// the status column the longest status among the rows shown. Where they need more than the
// table's width, the table scrolls across.
void Win32ChecksumListWindow::sizeColumns() {
    const AlgorithmSet algorithms = chosenAlgorithms();
    const int least = view_->textWidth(u"xxxx");
    int taken = 0;
    std::optional<int> nameColumn;
    for (std::size_t i = 0; i < shownColumns_.size(); ++i) {
        const int column = static_cast<int>(i);
        if (shownColumns_[i] == ListColumn::kName) {
            nameColumn = column;
            continue;
        }
        int widest = view_->textWidth(cells_.Header(shownColumns_[i]));
        for (const std::u16string& sample : ColumnWidthSamples(shownColumns_[i], algorithms)) {
            widest = std::max(widest, view_->textWidth(sample));
        }
        if (shownColumns_[i] == ListColumn::kStatus) widest = std::max(widest, statusWidth_);
        view_->setColumnWidth(column, widest);
        taken += widest;
    }
    if (!nameColumn) return;
    RECT area{};
    GetClientRect(view_->handle(), &area);
    const int width = area.right - area.left;
    const int room = width - taken - GetSystemMetrics(SM_CXVSCROLL);
    view_->setColumnWidth(*nameColumn, std::max({least, room, width / 3}));
}

std::optional<COLORREF> Win32ChecksumListWindow::cellColour(std::size_t row, int column) const {
    if (row >= table_.Size() || column < 0 ||
        static_cast<std::size_t>(column) >= shownColumns_.size() ||
        shownColumns_[static_cast<std::size_t>(column)] != ListColumn::kStatus ||
        table_.Row(row).status == RowStatus::kOk) {
        return std::nullopt;
    }
    return kStandsOut;
}

// A click sorts by the column, the next one the other way, the third goes back to list order.
void Win32ChecksumListWindow::sortBy(int column) {
    if (column < 0 || static_cast<std::size_t>(column) >= shownColumns_.size()) return;
    if (sortColumn_ != column) {
        sortColumn_ = column;
        descending_ = false;
    } else if (!descending_) {
        descending_ = true;
    } else {
        sortColumn_.reset();
        descending_ = false;
    }
    reorder([this] {
        table_.SortBy(
            sortColumn_ ? shownColumns_[static_cast<std::size_t>(*sortColumn_)] : ListColumn::kLine,
            descending_);
    });
    view_->showSortMark(sortColumn_, descending_);
}

// The rows move, but a selected row stays selected wherever it goes.
template <class Change>
void Win32ChecksumListWindow::reorder(Change change) {
    std::vector<std::size_t> selected;
    for (std::size_t viewRow : view_->selectedRows()) {
        if (viewRow < table_.Size()) selected.push_back(table_.ListIndex(viewRow));
    }
    change();
    view_->setRowCount(table_.Size());
    if (!selected.empty()) {
        const std::vector<std::size_t> viewRows = table_.ViewRows();
        for (std::size_t& row : selected) row = viewRows[row];
        view_->select(selected);
    }
    view_->redraw();
}

void Win32ChecksumListWindow::setLowerCase(bool lowerCase) {
    lowerCase_ = lowerCase;
    view_->redraw();
}

void Win32ChecksumListWindow::start() {
    if (isRunning()) return;
    const AlgorithmSet algorithms = chosenAlgorithms();
    showColumnsFor(algorithms);
    clearTable();  // sized for the digests of the algorithms now chosen
    if (startRun(algorithms)) showRunning(true);
}

void Win32ChecksumListWindow::follow() {
    showRunning(true);
}

void Win32ChecksumListWindow::clearTable() {
    table_.Clear();
    view_->setRowCount(0);
    statusWidth_ = 0;
    statusesMeasured_.clear();
    sizeColumns();
    setControlText(kCountsLabel, u"");
    EnableWindow(control(kCopyFailedButton), FALSE);
}

void Win32ChecksumListWindow::serveRun() {
    takeRowsIntoTable();
    if (tableRun().HasEnded()) runEnded();
}

void Win32ChecksumListWindow::takeRowsIntoTable() {
    std::vector<ListRow> rows = tableRun().TakeRows();
    if (!rows.empty()) {
        fitStatusesOf(rows);
        if (table_.GrowthOf(rows) == ListTable::Growth::kReordered) {
            reorder([&] { table_.Append(std::move(rows)); });
        } else {
            table_.Append(std::move(rows));
            view_->setRowCount(table_.Size());
        }
    }
    showCounts(false);
}

// The status column grows to the longest status of the rows that came; the statuses are few.
void Win32ChecksumListWindow::fitStatusesOf(const std::vector<ListRow>& rows) {
    if (std::find(shownColumns_.begin(), shownColumns_.end(), ListColumn::kStatus) ==
        shownColumns_.end()) {
        return;
    }
    int widest = statusWidth_;
    for (const ListRow& row : rows) {
        std::u16string status = cells_.Status(row);
        if (statusesMeasured_.count(status) != 0) continue;
        widest = std::max(widest, view_->textWidth(status));
        statusesMeasured_.insert(std::move(status));
    }
    if (widest == statusWidth_) return;
    statusWidth_ = widest;
    sizeColumns();
}

void Win32ChecksumListWindow::runEnded() {
    const ListRunEnding ending = tableRun().Finish();
    takeRowsIntoTable();
    showRunning(false);
    showCounts(ending.stopped);
    runFinished(ending);
}

// While a run goes on, only Stop, the order of the rows and Close can be used.
void Win32ChecksumListWindow::showRunning(bool running) {
    for (int id : {kAlgorithmList, kLowercaseBox, kBrowseButton, kCopyFailedButton, kFolderButton,
                   kNewFilesBox, kAddNewButton}) {
        if (HWND own = control(id)) EnableWindow(own, running ? FALSE : TRUE);
    }
    ShowWindow(control(kStartButton), running ? SW_HIDE : SW_SHOW);
    ShowWindow(control(kStopButton), running ? SW_SHOW : SW_HIDE);
    SendMessageW(handle(), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(control(running ? kStopButton : kStartButton)), TRUE);
    if (!running) {
        if (rowTimer_ != 0) stopTimer(rowTimer_);
        rowTimer_ = 0;
        progress_->stop();
        return;
    }
    rowTimer_ = startTimer(kRowBatchInterval, [this] { serveRun(); });
    progress_->start([this](double elapsedSeconds) {
        const RunProgress now = tableRun().Progress();
        return Win32ProgressDisplay::View{
            PercentDone(now.currentDone, now.currentTotal),
            RunProgressText(now.filesDone, now.bytesDone, elapsedSeconds, progressTexts()),
            now.currentFile};
    });
}

void Win32ChecksumListWindow::showCounts(bool stopped) {
    const ListCounts& tally = table_.Counts();
    setControlText(kCountsLabel, cells_.Counts(tally, checksAList(), stopped) + moreCounts());
    EnableWindow(control(kCopyFailedButton),
                 !isRunning() && tally.failed + tally.missing + tally.unreadable > 0);
}

// Between runs, the line of the file at hand says what the command did.
void Win32ChecksumListWindow::copyFailedNames() {
    desktop().setClipboardText(handle(), table_.FailedNames());
    const ListCounts& tally = table_.Counts();
    setControlText(kCurrentFileLabel,
                   FillIn(text(ListMemberText::kFailedNamesCopied),
                          {NumberText(tally.failed + tally.missing + tally.unreadable)}));
    ShowWindow(control(kCurrentFileLabel), SW_SHOW);
}

void Win32ChecksumListWindow::copySelectedRows() {
    std::vector<std::size_t> rows = view_->selectedRows();
    if (rows.empty()) return;
    desktop().setClipboardText(handle(),
                               cells_.Rows(table_, shownColumns_, std::move(rows), lowerCase_));
}

void Win32ChecksumListWindow::endWith(int result) {
    tableRun().Stop();
    tableRun().Finish();
    done(result);
}

bool Win32ChecksumListWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                        LRESULT& answer) {
    if (message == WM_NOTIFY && view_ != nullptr) {
        return view_->notified(*reinterpret_cast<NMHDR*>(lParam), answer);
    }
    if (several_ != nullptr && several_->onMessage(message, wParam, lParam)) return true;
    if (message != WM_DROPFILES) return false;
    std::vector<std::u16string> paths = TakeDroppedPaths(reinterpret_cast<HDROP>(wParam));
    if (!paths.empty() && !isRunning()) dropped(std::move(paths));
    answer = 0;
    return true;
}

}  // namespace tessik
