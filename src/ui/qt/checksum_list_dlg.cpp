#include "ui/qt/checksum_list_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <array>
#include <chrono>

#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/font_settings.h"
#include "ui/qt/algorithm_list.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/dropped_paths.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace list_window;

// How often the rows that have come are added to the table while a run goes on.
constexpr std::chrono::milliseconds kRowBatchInterval{50};

constexpr std::array kControls = {
    ControlTemplate{kAlgorithmLabel, ControlKind::kLabel, "Algorithm", 7, 9, 60, 12, kNoStyle},
    ControlTemplate{kAlgorithmList, ControlKind::kDropDownList, nullptr, 70, 7, 91, 109, kNoStyle},
    ControlTemplate{kLowercaseBox, ControlKind::kCheckBox, "Lowercase letters", 172, 7, 120, 14,
                    kHidden},
    ControlTemplate{kMismatchesFirstBox, ControlKind::kCheckBox, "Mismatches first", 300, 7, 174,
                    14, kNoStyle},
    ControlTemplate{kListLabel, ControlKind::kLabel, "List", 7, 26, 60, 11, kNoStyle},
    ControlTemplate{kListField, ControlKind::kEdit, nullptr, 70, 23, 375, 14, kBorder | kReadOnly},
    ControlTemplate{kBrowseButton, ControlKind::kPushButton, "...", 452, 23, 22, 15, kNoStyle},
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 55, 467, 139, kNoStyle},
    // Above the table, but after it in the template: a label before a field would name it.
    ControlTemplate{kCountsLabel, ControlKind::kLabel, nullptr, 7, 42, 467, 11, kCentreVertically},
    ControlTemplate{kProgressBar, ControlKind::kProgressBar, nullptr, 7, 197, 467, 12, kHidden},
    ControlTemplate{kCurrentFileLabel, ControlKind::kLabel, nullptr, 7, 211, 467, 11,
                    kCentreVertically | kHidden},
    ControlTemplate{kStartButton, ControlKind::kDefaultPushButton, "Check", 7, 228, 96, 16,
                    kNoStyle},
    ControlTemplate{kStopButton, ControlKind::kPushButton, "Stop", 7, 228, 96, 16, kHidden},
    ControlTemplate{kCopyFailedButton, ControlKind::kPushButton, "Copy failed names", 110, 228, 130,
                    16, kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kPushButton, "Close", 378, 228, 96, 16, kNoStyle},
};

// Hashing files there is no list row: the counts and the table move up into its place.
constexpr ControlTemplate kFilesCounts{kCountsLabel, ControlKind::kLabel, nullptr, 7, 26, 467,
                                       11,           kCentreVertically};
constexpr ControlTemplate kFilesTable{kTable,  ControlKind::kTable, nullptr, 7, 39, 467, 155,
                                      kNoStyle};

constexpr DialogTemplate kTemplate{"Verify checksum list", 482, 250, false, false, kControls, {}};

const std::vector<ListColumn> kVerifyColumns = {ListColumn::kLine, ListColumn::kName,
                                                ListColumn::kStatus};
const std::vector<ListColumn> kFilesColumns = {ListColumn::kName, ListColumn::kDigest,
                                               ListColumn::kStatus};

}  // namespace

CChecksumListDlg::CChecksumListDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(kTemplate, desktop, parent), fontHost_(*this) {
    setAcceptDrops(true);
    rowTimer_.setInterval(kRowBatchInterval);
    connect(&rowTimer_, &QTimer::timeout, this, [this] { serveRun(); });
}

CChecksumListDlg::~CChecksumListDlg() = default;

int CChecksumListDlg::RunVerifyDialog(FontSettings& fontSettings, std::u16string listPath,
                                      int mainAlgorithm, std::u16string separator) {
    mode_ = Mode::kVerify;
    fontSettings_ = &fontSettings;
    listPath_ = std::move(listPath);
    algorithmIndex_ = mainAlgorithm;
    separator_ = ToUtf8(separator);
    return run();
}

int CChecksumListDlg::RunFilesDialog(FontSettings& fontSettings, std::vector<std::u16string> paths,
                                     int algorithmIndex, bool lowerCase) {
    mode_ = Mode::kHashFiles;
    fontSettings_ = &fontSettings;
    files_ = std::move(paths);
    algorithmIndex_ = algorithmIndex;
    lowerCase_ = lowerCase;
    return run();
}

void CChecksumListDlg::onInitDialog() {
    bindControls();
    applyTexts(languageFile_, ListWindowTables(), *this);
    failureTexts_ = ReadFailureTexts(languageFile_);
    applyModeTexts();
    fontSettings_->applyTo(fontHost_, true);
    bindCommands();
    algorithmList_->setCurrentIndex(algorithmIndex_);
    if (mode_ == Mode::kVerify) {
        showList(listPath_);
        startButton_->setFocus();
    } else {
        lowercaseBox_->setChecked(lowerCase_);
        lowercaseBox_->show();
        for (int id : {kListLabel, kListField, kBrowseButton}) control(id)->hide();
        start();
    }
    sizeColumns();
}

void CChecksumListDlg::bindControls() {
    algorithmList_ = control<QComboBox>(kAlgorithmList);
    lowercaseBox_ = control<QCheckBox>(kLowercaseBox);
    listField_ = control<QLineEdit>(kListField);
    countsLabel_ = control<QLabel>(kCountsLabel);
    table_ = control<QTableView>(kTable);
    startButton_ = control<QPushButton>(kStartButton);
    stopButton_ = control<QPushButton>(kStopButton);
    FillAlgorithmList(*algorithmList_);

    model_ = new ChecksumListModel(mode_ == Mode::kVerify ? kVerifyColumns : kFilesColumns, texts_,
                                   failureTexts_, this);
    model_->setLowerCase(lowerCase_);
    table_->setModel(model_);
    QHeaderView& header = *table_->horizontalHeader();
    header.setSortIndicatorClearable(true);
    header.setSortIndicator(-1, Qt::AscendingOrder);
    header.setSectionResizeMode(QHeaderView::Interactive);
    header.setSectionResizeMode(mode_ == Mode::kVerify ? 1 : 0, QHeaderView::Stretch);
    table_->setSortingEnabled(true);
    // A long path keeps its file name in view.
    table_->setTextElideMode(Qt::ElideMiddle);
    progress_ = new ProgressDisplay(*control<ProgressBar>(kProgressBar),
                                    control<QLabel>(kCurrentFileLabel), this);
}

void CChecksumListDlg::bindCommands() {
    onCommand(kStartButton, [this] { start(); });
    onCommand(kStopButton, [this] { stopRun(); });
    onCommand(kBrowseButton, [this] { chooseList(); });
    onCommand(kCopyFailedButton, [this] { copyFailedNames(); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    connect(control<QCheckBox>(kMismatchesFirstBox), &QCheckBox::toggled, model_,
            &ChecksumListModel::setProblemsFirst);
    connect(lowercaseBox_, &QCheckBox::toggled, model_, &ChecksumListModel::setLowerCase);
    connect(new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this] { copySelectedRows(); });
}

// The texts of the mode that differ from the template's.
void CChecksumListDlg::applyModeTexts() {
    if (mode_ != Mode::kHashFiles) return;
    setWindowTitle(text(ListMemberText::kFilesCaption));
    startButton_->setText(text(ListMemberText::kHashButton));
    startButton_->setAccessibleName(text(ListMemberText::kHashButton));
}

void CChecksumListDlg::setMemberText(int id, const QString& text) {
    if (id < 0 || id >= kListMemberTextCount) return;
    texts_[static_cast<std::size_t>(id)] = text;
    if (id == static_cast<int>(ListMemberText::kTableName)) table_->setAccessibleName(text);
}

const QString& CChecksumListDlg::text(ListMemberText which) const {
    return texts_[static_cast<std::size_t>(which)];
}

void CChecksumListDlg::onClientResized(QSize) {
    if (table_ == nullptr) return;  // the controls are still being built
    if (mode_ == Mode::kHashFiles) {
        for (const ControlTemplate& row : {kFilesCounts, kFilesTable}) {
            const PixelRect rect =
                DialogRectToPixels(row.x, row.y, row.width, row.height, baseUnits());
            control(row.id)->setGeometry(rect.x, rect.y, rect.width, rect.height);
        }
    }
    sizeColumns();
}

// The name column takes what the others leave: the line and status columns fit their longest
// texts, and a digest its digits.
void CChecksumListDlg::sizeColumns() {
    const QFontMetrics metrics(table_->font());
    const int padding = metrics.averageCharWidth() * 2;
    const auto widest = [&](std::initializer_list<QString> texts) {
        int width = 0;
        for (const QString& candidate : texts) {
            width = std::max(width, metrics.horizontalAdvance(candidate) + padding);
        }
        return width;
    };
    int status = widest({text(ListMemberText::kStatusOk), text(ListMemberText::kStatusFailed),
                         text(ListMemberText::kStatusMalformed)});
    for (const ReadFailureWords& words : ReadFailureTable()) {
        status = std::max(status, widest({ToQString(failureTexts_.Status(words.failure))}));
    }
    QHeaderView& header = *table_->horizontalHeader();
    const int last = header.count() - 1;
    header.resizeSection(last, std::max(status, widest({text(ListMemberText::kColumnStatus)})));
    if (mode_ == Mode::kVerify) {
        header.resizeSection(
            0, widest({QStringLiteral("0000000"), text(ListMemberText::kColumnLine)}));
    } else {
        const std::size_t digits =
            2 * AlgorithmForIndex(algorithmList_->currentIndex()).digestBytes;
        header.resizeSection(1, std::min(table_->width() * 2 / 5,
                                         widest({QString(static_cast<qsizetype>(digits), u'f')})));
    }
}

void CChecksumListDlg::showList(std::u16string path) {
    listPath_ = std::move(path);
    listField_->setText(ToQString(listPath_));
    listField_->setCursorPosition(0);
    const ListPreview preview = PreviewList(listPath_, separator_);
    algorithmList_->setCurrentIndex(static_cast<int>(
        &InitialListAlgorithm(listPath_, preview, algorithmIndex_) - AlgorithmCatalogue().data()));
    model_->clear();
    countsLabel_->clear();
    control(kCopyFailedButton)->setEnabled(false);
}

void CChecksumListDlg::chooseList() {
    const MainMessageTexts messages(languageFile_);
    const std::optional<QString> chosen = desktop().chooseFileToOpen(
        this, ToQString(ChecksumListFilter(messages[MainMemberText::kChecksumLists],
                                           messages[MainMemberText::kAllFiles])));
    if (chosen) showList(chosen->toStdU16String());
}

void CChecksumListDlg::start() {
    if (isRunning()) return;
    model_->clear();
    const AlgorithmInfo& algorithm = AlgorithmForIndex(algorithmList_->currentIndex());
    if (mode_ == Mode::kHashFiles) {
        sizeColumns();  // for the digests of the algorithm now chosen
        filesHashed_ = 0;
        if (filesRun_.Start(HashingFiles({files_, &algorithm}))) showRunning(true);
        return;
    }
    auto list = std::make_shared<InputFile>();
    if (const ReadFailure failure = list->Open(listPath_); failure != ReadFailure::kNone) {
        say(ToQString(failureTexts_.Message(failure)), listPath_);
        return;
    }
    ListToCheck check;
    check.bytes = [list](char* buffer, std::size_t capacity) {
        return list->Read(buffer, capacity);
    };
    check.separator = separator_;
    check.listFolder = DirectoryPart(FullPath(listPath_));
    check.ofList = &algorithm;
    if (listRun_.Start(CheckingList(std::move(check)))) showRunning(true);
}

bool CChecksumListDlg::isRunning() const {
    return filesRun_.IsActive() || listRun_.IsActive();
}

void CChecksumListDlg::stopRun() {
    filesRun_.Stop();
    listRun_.Stop();
}

RunProgress CChecksumListDlg::runProgress() const {
    return mode_ == Mode::kHashFiles ? filesRun_.Progress() : listRun_.Progress();
}

void CChecksumListDlg::serveRun() {
    takeRows();
    if (filesRun_.HasEnded() || listRun_.HasEnded()) runEnded();
}

void CChecksumListDlg::takeRows() {
    std::vector<ListRow> rows;
    for (HashedFile& hashed : filesRun_.TakeRows()) {
        rows.push_back(ListRowOf(++filesHashed_, std::move(hashed)));
    }
    for (const VerifyResult& checked : listRun_.TakeRows()) rows.push_back(ListRowOf(checked));
    model_->append(std::move(rows));
    showCounts(false);
}

void CChecksumListDlg::runEnded() {
    ListRunEnding ending;
    if (filesRun_.IsActive()) ending.stopped = filesRun_.Finish().stopped;
    if (listRun_.IsActive()) ending = listRun_.Finish();
    takeRows();
    showRunning(false);
    showCounts(ending.stopped);
    if (mode_ != Mode::kVerify) return;
    const ListCounts& counts = model_->table().Counts();
    if (ending.listReadFailed) {
        say(ToQString(failureTexts_.Message(ReadFailure::kIoError)), listPath_);
    } else if (!ending.stopped &&
               counts.ok + counts.failed + counts.missing + counts.unreadable == 0) {
        say(text(ListMemberText::kNoEntries), listPath_);
    }
}

// While a run goes on, only Stop, the order of the rows and Close can be used.
void CChecksumListDlg::showRunning(bool running) {
    for (int id : {kAlgorithmList, kLowercaseBox, kBrowseButton, kCopyFailedButton}) {
        control(id)->setEnabled(!running);
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
        const RunProgress now = runProgress();
        return ProgressDisplay::View{PercentDone(now.currentDone, now.currentTotal),
                                     ToQString(RunProgressText(now.filesDone, now.bytesDone,
                                                               elapsedSeconds, progressTexts())),
                                     ToQString(now.currentFile)};
    });
}

void CChecksumListDlg::showCounts(bool stopped) {
    const bool checked = mode_ == Mode::kVerify;
    const ListCounts& tally = model_->table().Counts();
    QString counts = ToQString(CountsText(
        tally,
        text(checked ? ListMemberText::kCounts : ListMemberText::kFileCounts).toStdU16String(),
        checked));
    if (stopped) counts = text(ListMemberText::kStopped) + ' ' + counts;
    countsLabel_->setText(counts);
    control(kCopyFailedButton)
        ->setEnabled(!isRunning() && tally.failed + tally.missing + tally.unreadable > 0);
}

void CChecksumListDlg::copyFailedNames() {
    desktop().setClipboardText(ToQString(model_->table().FailedNames()));
}

void CChecksumListDlg::copySelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    if (!rows.empty()) desktop().setClipboardText(model_->rowsText(std::move(rows)));
}

void CChecksumListDlg::endWith(int result) {
    stopRun();
    filesRun_.Finish();
    listRun_.Finish();
    done(result);
}

// A message about a file names it on a line of its own.
void CChecksumListDlg::say(const QString& message, const std::u16string& path) {
    desktop().showMessage(this, message + "\n\n" + ToQString(path), QString(),
                          MessageIcon::kExclamation);
}

void CChecksumListDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (!isRunning() && !DroppedLocalPaths(*event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

// A list dropped onto the verify window is shown for checking; files dropped onto the other are
// hashed at once.
void CChecksumListDlg::dropEvent(QDropEvent* event) {
    std::vector<std::u16string> paths = DroppedLocalPaths(*event->mimeData());
    if (paths.empty() || isRunning()) return;
    event->acceptProposedAction();
    if (mode_ == Mode::kVerify) {
        showList(std::move(paths.front()));
    } else {
        files_ = std::move(paths);
        start();
    }
}

}  // namespace tessik
