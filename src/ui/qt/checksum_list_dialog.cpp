#include "ui/qt/checksum_list_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <algorithm>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/qt/algorithm_list.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/dropped_paths.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/several_algorithms_entry.h"
#include "ui/rules/list_table_text.h"
#include "ui/rules/progress_text.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
using namespace list_window;

ChecksumListDialog::ChecksumListDialog(const DialogTemplate& dialogTemplate,
                                       std::vector<ListColumn> columns, DesktopServices& desktop,
                                       QWidget* parent)
    : Dialog(dialogTemplate, desktop, parent), columns_(std::move(columns)), fontHost_(*this) {
    setAcceptDrops(true);
    rowTimer_.setInterval(kRowBatchInterval);
    connect(&rowTimer_, &QTimer::timeout, this, [this] { serveRun(); });
}

int ChecksumListDialog::runWindow(FontSettings& fontSettings, int algorithmIndex) {
    fontSettings_ = &fontSettings;
    algorithmIndex_ = algorithmIndex;
    return run();
}

void ChecksumListDialog::onInitDialog() {
    bindTable();
    applyTexts(languageFile_, ListWindowTables(), *this);
    failureTexts_ = ReadFailureTexts(languageFile_);
    fontSettings_->applyTo(fontHost_, true);
    bindCommands();
    algorithmList_->setCurrentIndex(algorithmIndex_);
    followAlgorithmChoice();
    onTableReady();
    sizeColumns();
}

void ChecksumListDialog::bindTable() {
    algorithmList_ = control<QComboBox>(kAlgorithmList);
    countsLabel_ = control<QLabel>(kCountsLabel);
    table_ = control<QTableView>(kTable);
    startButton_ = control<QPushButton>(kStartButton);
    stopButton_ = control<QPushButton>(kStopButton);
    FillAlgorithmList(*algorithmList_);

    model_ = new ChecksumListModel(columns_, texts_, failureTexts_, this);
    table_->setModel(model_);
    QHeaderView& header = *table_->horizontalHeader();
    header.setSortIndicatorClearable(true);
    header.setSortIndicator(-1, Qt::AscendingOrder);
    stretchNameColumn();
    table_->setSortingEnabled(true);
    // A long path keeps its file name in view.
    table_->setTextElideMode(Qt::ElideMiddle);
    progress_ = new ProgressDisplay(*control<ProgressBar>(kProgressBar),
                                    control<QLabel>(kCurrentFileLabel), this);
}

void ChecksumListDialog::stretchNameColumn() {
    QHeaderView& header = *table_->horizontalHeader();
    header.setSectionResizeMode(QHeaderView::Interactive);
    const std::vector<ListColumn>& columns = model_->columns();
    const auto name = std::find(columns.begin(), columns.end(), ListColumn::kName);
    if (name != columns.end()) {
        header.setSectionResizeMode(static_cast<int>(name - columns.begin()), QHeaderView::Stretch);
    }
}

void ChecksumListDialog::bindCommands() {
    onCommand(kStartButton, [this] { start(); });
    onCommand(kStopButton, [this] { tableRun().Stop(); });
    onCommand(kCopyFailedButton, [this] { copyFailedNames(); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    // Only a checked list has mismatches to put first.
    if (auto* mismatchesFirst = control<QCheckBox>(kMismatchesFirstBox)) {
        connect(mismatchesFirst, &QCheckBox::toggled, model_, &ChecksumListModel::setProblemsFirst);
    }
    connect(new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this] { copySelectedRows(); });
}

// The digests and results shown belong to the algorithms they were made with.
void ChecksumListDialog::followAlgorithmChoice() {
    const auto changed = [this] {
        if (!isRunning()) algorithmChanged();
    };
    if (ticked_ == nullptr) {
        connect(algorithmList_, &QComboBox::currentIndexChanged, this, changed);
        return;
    }
    several_ = new SeveralAlgorithmsEntry(*algorithmList_, text(ListMemberText::kSeveralAlgorithms),
                                          {desktop(), *fontSettings_, languageFile_, *ticked_});
    connect(several_, &SeveralAlgorithmsEntry::choiceMade, this, changed);
}

void ChecksumListDialog::setMemberText(int id, const QString& text) {
    if (id < 0 || id >= kListMemberTextCount) return;
    texts_[static_cast<std::size_t>(id)] = text;
    if (id == static_cast<int>(ListMemberText::kTableName)) table_->setAccessibleName(text);
}

const QString& ChecksumListDialog::text(ListMemberText which) const {
    return texts_[static_cast<std::size_t>(which)];
}

const AlgorithmInfo& ChecksumListDialog::chosenAlgorithm() const {
    return AlgorithmForIndex(algorithmList_->currentIndex());
}

AlgorithmSet ChecksumListDialog::chosenAlgorithms() const {
    if (several_ != nullptr && several_->isChosen()) return several_->algorithms();
    return {&chosenAlgorithm()};
}

void ChecksumListDialog::showColumnsFor(const AlgorithmSet& algorithms) {
    std::vector<ListColumn> columns = ColumnsFor(columns_, algorithms);
    if (columns == model_->columns()) return;
    // A sort by a column that moved would sort by another.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    model_->setColumns(std::move(columns));
    stretchNameColumn();
}

// The name column takes what the others leave: the line column fits its numbers, a digest its
// digits, and the status column the longest status among the rows shown. Where they need more
// than the table's width, the table scrolls across.
void ChecksumListDialog::sizeColumns() {
    QHeaderView& header = *table_->horizontalHeader();
    header.setMinimumSectionSize(textWidth(QString(4, u'x')));
    const AlgorithmSet algorithms = chosenAlgorithms();
    const std::vector<ListColumn>& columns = model_->columns();
    for (std::size_t column = 0; column < columns.size(); ++column) {
        if (columns[column] == ListColumn::kName) continue;
        int widest = textWidth(ToQString(model_->cells().Header(columns[column])));
        for (const std::u16string& sample : ColumnWidthSamples(columns[column], algorithms)) {
            widest = std::max(widest, textWidth(ToQString(sample)));
        }
        if (columns[column] == ListColumn::kStatus) widest = std::max(widest, statusWidth_);
        header.resizeSection(static_cast<int>(column), widest);
    }
}

int ChecksumListDialog::textWidth(const QString& text) const {
    const QFontMetrics metrics(table_->font());
    return metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth();
}

// The status column grows to the longest status of the rows that came.
void ChecksumListDialog::fitStatusesOf(const std::vector<ListRow>& rows) {
    const std::vector<ListColumn>& columns = model_->columns();
    if (std::find(columns.begin(), columns.end(), ListColumn::kStatus) == columns.end()) return;
    int widest = statusWidth_;
    for (const ListRow& row : rows) widest = std::max(widest, textWidth(model_->statusText(row)));
    if (widest == statusWidth_) return;
    statusWidth_ = widest;
    sizeColumns();
}

void ChecksumListDialog::start() {
    if (isRunning()) return;
    const AlgorithmSet algorithms = chosenAlgorithms();
    showColumnsFor(algorithms);
    clearTable();  // sized for the digests of the algorithms now chosen
    if (startRun(algorithms)) showRunning(true);
}

void ChecksumListDialog::follow() {
    showRunning(true);
}

void ChecksumListDialog::clearTable() {
    model_->clear();
    statusWidth_ = 0;
    sizeColumns();
    countsLabel_->clear();
    control(kCopyFailedButton)->setEnabled(false);
}

void ChecksumListDialog::serveRun() {
    takeRowsIntoTable();
    if (tableRun().HasEnded()) runEnded();
}

void ChecksumListDialog::takeRowsIntoTable() {
    std::vector<ListRow> rows = tableRun().TakeRows();
    fitStatusesOf(rows);
    model_->append(std::move(rows));
    showCounts(false);
}

void ChecksumListDialog::runEnded() {
    const ListRunEnding ending = tableRun().Finish();
    takeRowsIntoTable();
    showRunning(false);
    showCounts(ending.stopped);
    runFinished(ending);
}

// While a run goes on, only Stop, the order of the rows and Close can be used.
void ChecksumListDialog::showRunning(bool running) {
    for (int id : {kAlgorithmList, kLowercaseBox, kBrowseButton, kCopyFailedButton, kFolderButton,
                   kNewFilesBox, kAddNewButton}) {
        if (QWidget* own = control(id)) own->setEnabled(!running);
    }
    startButton_->setVisible(!running);
    stopButton_->setVisible(running);
    (running ? stopButton_ : startButton_)->setFocus();
    if (!running) {
        rowTimer_.stop();
        progress_->stop();
        return;
    }
    rowTimer_.start();
    progress_->start([this](double elapsedSeconds) {
        const RunProgress now = tableRun().Progress();
        return ProgressDisplay::View{PercentDone(now.currentDone, now.currentTotal),
                                     ToQString(RunProgressText(now.filesDone, now.bytesDone,
                                                               elapsedSeconds, progressTexts())),
                                     ToQString(now.currentFile)};
    });
}

void ChecksumListDialog::showCounts(bool stopped) {
    const bool checked = checksAList();
    const ListCounts& tally = model_->table().Counts();
    const QString counts = ToQString(model_->cells().Counts(tally, checked, stopped));
    countsLabel_->setText(counts + moreCounts());
    control(kCopyFailedButton)
        ->setEnabled(!isRunning() && tally.failed + tally.missing + tally.unreadable > 0);
}

void ChecksumListDialog::copyFailedNames() {
    desktop().setClipboardText(ToQString(model_->table().FailedNames()));
    const ListCounts& tally = model_->table().Counts();
    sayInStatusLine(
        ToQString(FillIn(text(ListMemberText::kFailedNamesCopied).toStdU16String(),
                         {NumberText(tally.failed + tally.missing + tally.unreadable)})));
}

// Between runs, the line of the file at hand says what a command did.
void ChecksumListDialog::sayInStatusLine(const QString& words) {
    auto* line = control<QLabel>(kCurrentFileLabel);
    line->setText(words);
    line->show();
}

void ChecksumListDialog::copySelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (!rows.empty()) desktop().setClipboardText(model_->rowsText(std::move(rows)));
}

void ChecksumListDialog::endWith(int result) {
    tableRun().Stop();
    tableRun().Finish();
    done(result);
}

void ChecksumListDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!isRunning() && !DroppedLocalPaths(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void ChecksumListDialog::dropEvent(QDropEvent* event) {
    std::vector<std::u16string> paths = DroppedLocalPaths(*event->mimeData());
    if (paths.empty() || isRunning()) return;
    event->acceptProposedAction();
    dropped(std::move(paths));
}

}  // namespace tessik
