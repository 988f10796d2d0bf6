#include "ui/qt/all_algorithms_dlg.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <chrono>

#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "ui/qt/algorithm_table_model.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/algorithm_match.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace all_algorithms_window;

// How often the run is asked whether it has ended.
constexpr std::chrono::milliseconds kRunPollInterval{15};

}  // namespace

CAllAlgorithmsDlg::CAllAlgorithmsDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(AllAlgorithmsWindowTemplate(), desktop, parent), fontHost_(*this) {
    runTimer_.setInterval(kRunPollInterval);
    connect(&runTimer_, &QTimer::timeout, this, [this] { serveRun(); });
}

int CAllAlgorithmsDlg::RunAllAlgorithmsDialog(FontSettings& fontSettings, std::u16string file,
                                              std::u16string expected, AlgorithmSet& ticked,
                                              bool lowerCase, std::u16string separator) {
    fontSettings_ = &fontSettings;
    file_ = std::move(file);
    expected_ = std::move(expected);
    ticked_ = &ticked;
    lowerCase_ = lowerCase;
    separator_ = std::move(separator);
    return run();
}

void CAllAlgorithmsDlg::onInitDialog() {
    bindControls();
    applyTexts(languageFile_, AllAlgorithmsWindowTables(), *this);
    failureTexts_ = ReadFailureTexts(languageFile_);
    fontSettings_->applyTo(fontHost_, true);
    model_->setHeaders(text(AllAlgorithmsMemberText::kColumnAlgorithm),
                       text(AllAlgorithmsMemberText::kColumnHash));
    model_->setLowerCase(lowerCase_);
    model_->setTicked(*ticked_);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    expectedField_->setText(ToQString(expected_));
    fileField_->setText(ToQString(file_));
    fileField_->setCursorPosition(0);
    // Shown only while they are the digests of the file named.
    connect(fileField_, &QLineEdit::textChanged, this, [this] { forgetDigests(); });
    connect(expectedField_, &QLineEdit::textChanged, this, [this] { showMatch(); });
    connect(model_, &AlgorithmTableModel::tickedChanged, this,
            [this] { control(kHashButton)->setEnabled(!model_->ticked().empty()); });
    control(kHashButton)->setEnabled(!model_->ticked().empty());

    onCommand(kBrowseButton, [this] { browse(); });
    onCommand(kHashButton, [this] { start(); });
    onCommand(kCancelButton, [this] { run_.Stop(); });
    onCommand(kCopyButton, [this] { copySelectedRows(); });
    onCommand(kCopyAllButton, [this] { copyAllRows(); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    onEnter(kFileField, kHashButton);
    connect(new QShortcut(QKeySequence::Copy, table_, nullptr, nullptr, Qt::WidgetShortcut),
            &QShortcut::activated, this, [this] { copySelectedRows(); });
    start();
}

void CAllAlgorithmsDlg::bindControls() {
    fileField_ = control<QLineEdit>(kFileField);
    expectedField_ = control<QLineEdit>(kExpectedField);
    table_ = control<QTableView>(kTable);
    matchLabel_ = control<QLabel>(kMatchLabel);
    model_ = new AlgorithmTableModel(true, this);
    table_->setModel(model_);
    progress_ = new ProgressDisplay(*control<ProgressBar>(kProgressBar), nullptr, this);
}

void CAllAlgorithmsDlg::setMemberText(int id, const QString& text) {
    if (id < 0 || id >= kAllAlgorithmsMemberTextCount) return;
    texts_[static_cast<std::size_t>(id)] = text;
    if (id == static_cast<int>(AllAlgorithmsMemberText::kTableName)) {
        table_->setAccessibleName(text);
    }
}

const QString& CAllAlgorithmsDlg::text(AllAlgorithmsMemberText which) const {
    return texts_[static_cast<std::size_t>(which)];
}

// Another file is hashed as soon as it is chosen.
void CAllAlgorithmsDlg::browse() {
    const MainMessageTexts messages(languageFile_);
    const std::optional<QString> chosen = desktop().chooseFileToOpen(
        this, ToQString(messages[MainMemberText::kAllFiles]), {}, {}, {});
    if (!chosen) return;
    fileField_->setText(*chosen);
    start();
}

void CAllAlgorithmsDlg::start() {
    const AlgorithmSet algorithms = model_->ticked();
    if (run_.IsActive() || algorithms.empty()) return;
    forgetDigests();
    FilesToHash files = FilesWithAlgorithms({fileField_->text().toStdU16String()}, algorithms);
    files.workers = 1;
    if (!run_.Start(HashingFiles(std::move(files)))) return;
    showRunning(true);
}

void CAllAlgorithmsDlg::serveRun() {
    if (run_.HasEnded()) finishRun();
}

// A file that could not be read is said with its cause; a cancelled hash shows nothing.
void CAllAlgorithmsDlg::finishRun() {
    run_.Finish();
    showRunning(false);
    const std::vector<HashedFile> rows = run_.TakeRows();
    if (rows.empty()) return;
    const HashedFile& hashed = rows.front();
    if (hashed.result.outcome == FileDigestOutcome::kUnreadable) {
        desktop().showMessage(this,
                              ToQString(failureTexts_.Message(hashed.result.failure)) + "\n\n" +
                                  ToQString(hashed.path),
                              QString(), MessageIcon::kExclamation);
        return;
    }
    if (hashed.result.outcome != FileDigestOutcome::kDigest) return;
    model_->setDigests(DigestsOfFile(hashed));
    showMatch();
}

// While the file is read, only Cancel and Close can be used; the boxes keep their ticks.
void CAllAlgorithmsDlg::showRunning(bool running) {
    for (int id : {kFileField, kBrowseButton, kCopyButton, kCopyAllButton}) {
        control(id)->setEnabled(!running);
    }
    model_->setTickable(!running);
    control(kHashButton)->setVisible(!running);
    control(kCancelButton)->setVisible(running);
    control(running ? kCancelButton : kHashButton)->setFocus();
    if (!running) {
        runTimer_.stop();
        progress_->stop();
        return;
    }
    runTimer_.start();
    progress_->start([this](double elapsedSeconds) {
        const RunProgress now = run_.Progress();
        return ProgressDisplay::View{PercentDone(now.currentDone, now.currentTotal),
                                     ToQString(FileProgressText(now.currentDone, now.currentTotal,
                                                                elapsedSeconds, progressTexts())),
                                     {}};
    });
}

// The rows whose digest is the one expected are marked, the first of them brought into view.
void CAllAlgorithmsDlg::showMatch() {
    const std::u16string expected = expectedField_->text().toStdU16String();
    const std::vector<AlgorithmDigest> digests = model_->digests();
    const AlgorithmSet matching = AlgorithmsMatching(expected, digests, separator_);
    model_->setMarked(matching);
    matchLabel_->setText(ToQString(MatchText(
        expected, digests, separator_, text(AllAlgorithmsMemberText::kMatch).toStdU16String(),
        text(AllAlgorithmsMemberText::kNoMatch).toStdU16String())));
    if (!matching.empty()) {
        table_->scrollTo(model_->index(AlgorithmTableModel::rowOf(*matching.front()), 0));
    }
}

void CAllAlgorithmsDlg::forgetDigests() {
    model_->setDigests({});
    showMatch();
}

void CAllAlgorithmsDlg::copySelectedRows() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    const QString copied = model_->rowsText(std::move(rows));
    if (!copied.isEmpty()) desktop().setClipboardText(copied);
}

void CAllAlgorithmsDlg::copyAllRows() {
    std::vector<int> rows;
    for (int row = 0; row < model_->rowCount(); ++row) rows.push_back(row);
    const QString copied = model_->rowsText(std::move(rows));
    if (!copied.isEmpty()) desktop().setClipboardText(copied);
}

// What the run came to no longer matters. Nothing ticked keeps the choice there was: a choice
// of none is none to remember.
void CAllAlgorithmsDlg::endWith(int result) {
    run_.Stop();
    if (run_.IsActive()) {
        run_.Finish();
        showRunning(false);
    }
    if (const AlgorithmSet ticked = model_->ticked(); !ticked.empty()) *ticked_ = ticked;
    done(result);
}

}  // namespace tessik
