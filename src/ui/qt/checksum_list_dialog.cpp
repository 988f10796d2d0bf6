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
#include <chrono>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/qt/algorithm_list.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/dropped_paths.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace list_window;

// How often the rows that have come are added to the table while a run goes on.
constexpr std::chrono::milliseconds kRowBatchInterval{50};

}  // namespace

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
    header.setSectionResizeMode(QHeaderView::Interactive);
    const auto name = std::find(columns_.begin(), columns_.end(), ListColumn::kName);
    header.setSectionResizeMode(static_cast<int>(name - columns_.begin()), QHeaderView::Stretch);
    table_->setSortingEnabled(true);
    // A long path keeps its file name in view.
    table_->setTextElideMode(Qt::ElideMiddle);
    progress_ = new ProgressDisplay(*control<ProgressBar>(kProgressBar),
                                    control<QLabel>(kCurrentFileLabel), this);
}

void ChecksumListDialog::bindCommands() {
    onCommand(kStartButton, [this] { start(); });
    onCommand(kStopButton, [this] { tableRun().Stop(); });
    onCommand(kCopyFailedButton, [this] { copyFailedNames(); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    // Only a checked list has mismatches to put first.
    if (auto* mismatchesFirst = control<QCheckBox>(kMismatchesFirstBox)) {
        connect(mismatchesFirst, &QCheckBox::toggled, model_,
                &ChecksumListModel::setProblemsFirst);
    }
    connect(new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this] { copySelectedRows(); });
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

void ChecksumListDialog::onClientResized(QSize) {
    if (table_ != nullptr) sizeColumns();  // unless the controls are still being built
}

// The name column takes what the others leave: the line and status columns fit their longest
// texts, and a digest its digits.
void ChecksumListDialog::sizeColumns() {
    const QFontMetrics metrics(table_->font());
    const int padding = metrics.averageCharWidth() * 2;
    const auto widest = [&](std::initializer_list<QString> texts) {
        int width = 0;
        for (const QString& candidate : texts) {
            width = std::max(width, metrics.horizontalAdvance(candidate) + padding);
        }
        return width;
    };
    QHeaderView& header = *table_->horizontalHeader();
    for (std::size_t column = 0; column < columns_.size(); ++column) {
        const int section = static_cast<int>(column);
        switch (columns_[column]) {
            case ListColumn::kLine:
                header.resizeSection(section, widest({QStringLiteral("0000000"),
                                                      text(ListMemberText::kColumnLine)}));
                break;
            case ListColumn::kName:
                break;
            case ListColumn::kDigest: {
                const std::size_t digits = 2 * chosenAlgorithm().digestBytes;
                header.resizeSection(
                    section, std::min(table_->width() * 2 / 5,
                                      widest({QString(static_cast<qsizetype>(digits), u'f')})));
                break;
            }
            case ListColumn::kStatus: {
                int status = widest(
                    {text(ListMemberText::kColumnStatus), text(ListMemberText::kStatusOk),
                     text(ListMemberText::kStatusFailed), text(ListMemberText::kStatusMalformed)});
                for (const ReadFailureWords& words : ReadFailureTable()) {
                    status =
                        std::max(status, widest({ToQString(failureTexts_.Status(words.failure))}));
                }
                header.resizeSection(section, status);
                break;
            }
        }
    }
}

void ChecksumListDialog::start() {
    if (isRunning()) return;
    clearTable();
    sizeColumns();  // for the digests of the algorithm now chosen
    if (startRun(chosenAlgorithm())) showRunning(true);
}

void ChecksumListDialog::follow() {
    showRunning(true);
}

void ChecksumListDialog::clearTable() {
    model_->clear();
    countsLabel_->clear();
    control(kCopyFailedButton)->setEnabled(false);
}

void ChecksumListDialog::serveRun() {
    takeRowsIntoTable();
    if (tableRun().HasEnded()) runEnded();
}

void ChecksumListDialog::takeRowsIntoTable() {
    model_->append(tableRun().TakeRows());
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
    QString counts = ToQString(CountsText(
        tally,
        text(checked ? ListMemberText::kCounts : ListMemberText::kFileCounts).toStdU16String(),
        checked));
    if (stopped) counts = text(ListMemberText::kStopped) + ' ' + counts;
    countsLabel_->setText(counts + moreCounts());
    control(kCopyFailedButton)
        ->setEnabled(!isRunning() && tally.failed + tally.missing + tally.unreadable > 0);
}

void ChecksumListDialog::copyFailedNames() {
    desktop().setClipboardText(ToQString(model_->table().FailedNames()));
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

void ChecksumListDialog::say(const QString& message, const std::u16string& path) {
    desktop().showMessage(this, message + "\n\n" + ToQString(path), QString(),
                          MessageIcon::kExclamation);
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
