#include "ui/qt/hash_folder_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <array>
#include <chrono>

#include "platform/file_system.h"
#include "platform/path_utilities.h"
#include "settings/font_settings.h"
#include "settings/language_catalogue.h"
#include "settings/read_failure_words.h"
#include "ui/qt/algorithm_list.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/several_algorithms_entry.h"
#include "ui/rules/folder_results_file.h"
#include "ui/rules/folder_window_rules.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/progress_text.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

using namespace folder_window;

// How often a run's lines are fetched: often enough to look continuous.
constexpr std::chrono::milliseconds kRunPollInterval{15};

}  // namespace

CHashFolderDlg::CHashFolderDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(FolderWindowTemplate(), desktop, parent), fontHost_(*this) {
    runTimer_.setInterval(kRunPollInterval);
    connect(&runTimer_, &QTimer::timeout, this, [this] { serveRun(); });
}

int CHashFolderDlg::RunFolderDialog(FontSettings& fontSettings, int algorithmIndex, bool lowerCase,
                                    FolderValues& values, std::u16string separator) {
    fontSettings_ = &fontSettings;
    algorithmIndex_ = algorithmIndex;
    lowerCase_ = lowerCase;
    values_ = &values;
    output_.emplace(std::move(separator));
    return run();
}

void CHashFolderDlg::onInitDialog() {
    bindControls();
    applyTexts(languageFile_, FolderWindowTables(), *this);
    fontSettings_->applyTo(fontHost_, true);
    algorithmList_->setCurrentIndex(algorithmIndex_);
    m_CHKLowercase->setChecked(lowerCase_);
    folderField_->setText(ToQString(folder_.empty() ? values_->lastFolder : folder_));
    nameFilterField_->setText(ToQString(values_->nameFilter));
    extensionField_->setText(ToQString(values_->extensionFilter));
    // A run goes on with the new choice from its next file on.
    const auto follow = [this] { runs_.choose(digestChoice()); };
    if (ticked_ != nullptr) {
        several_ =
            new SeveralAlgorithmsEntry(*algorithmList_, text(FolderMemberText::kSeveralAlgorithms),
                                       {desktop(), *fontSettings_, languageFile_, *ticked_});
        connect(several_, &SeveralAlgorithmsEntry::choiceMade, this, follow);
    } else {
        connect(algorithmList_, &QComboBox::currentIndexChanged, this, follow);
    }
    connect(m_CHKLowercase, &QCheckBox::toggled, this, [this] { runs_.choose(digestChoice()); });

    onCommand(kBrowseButton, [this] { browse(); });
    onCommand(kProcessButton, [this] { process(); });
    onCommand(kSaveButton, [this] { saveResults(); });
    onCommand(kStopButton, [this] { stop(); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    for (int field : {kFolderField, kNameFilterField, kExtensionField}) {
        onEnter(field, kProcessButton);
    }
}

void CHashFolderDlg::setMemberText(int id, const QString& text) {
    if (id < 0 || id >= static_cast<int>(memberTexts_.size())) return;
    memberTexts_[static_cast<std::size_t>(id)] = text;
    // The output field has no label of its own.
    if (id == static_cast<int>(FolderMemberText::kOutputName))
        outputField_->setAccessibleName(text);
}

const QString& CHashFolderDlg::text(FolderMemberText which) const {
    return memberTexts_[static_cast<std::size_t>(which)];
}

void CHashFolderDlg::bindControls() {
    folderField_ = control<QLineEdit>(kFolderField);
    m_CHKSubfolders = control<QCheckBox>(kSubfoldersBox);
    nameFilterField_ = control<QLineEdit>(kNameFilterField);
    extensionField_ = control<QLineEdit>(kExtensionField);
    algorithmList_ = control<QComboBox>(kAlgorithmList);
    m_CHKLowercase = control<QCheckBox>(kLowercaseBox);
    outputField_ = control<QPlainTextEdit>(kOutputField);
    m_BTNProcessFolder = control<QPushButton>(kProcessButton);
    m_BTNOk = control<QPushButton>(kOkResult);
    m_BTNStopProcessing = control<QPushButton>(kStopButton);
    summaryLabel_ = control<QLabel>(kSummaryLabel);
    control(kSaveButton)->setEnabled(false);  // until a run has results

    FillAlgorithmList(*algorithmList_);
    progress_ = new ProgressDisplay(*control<ProgressBar>(kProgressBar),
                                    control<QLabel>(kCurrentFileLabel), this);
    connect(progress_, &ProgressDisplay::shown, summaryLabel_, &QWidget::hide);
    // Anything but the runs' own writing makes the field the user's.
    connect(outputField_->document(), &QTextDocument::contentsChange, this, [this] {
        if (!runWritesOutput_) outputIsTheRuns_ = false;
    });
}

void CHashFolderDlg::browse() {
    const QString typed = folderField_->text();
    const QString initial = DirectoryExists(typed.toStdU16String()) ? typed : QString();
    const std::optional<QString> chosen = desktop().chooseFolder(this, initial);
    if (!chosen || chosen->isEmpty()) return;
    folderField_->setText(ToQString(FolderFieldText(chosen->toStdU16String())));
}

void CHashFolderDlg::onCloseRequest() {
    values_->lastFolder = folderField_->text().toStdU16String();
    values_->nameFilter = StoredFilter(nameFilterField_->text().toStdU16String());
    values_->extensionFilter = StoredFilter(extensionField_->text().toStdU16String());
    endWith(kOkResult);
}

// A folder that is not there would give a silent empty run. A stopped run may still be ending:
// Process starts the new run once it has.
void CHashFolderDlg::process() {
    const QString folder = folderField_->text();
    const FolderProblem problem = ProblemWithFolder(folder.toStdU16String());
    if (problem != FolderProblem::kNone) {
        const QString cause =
            text(problem == FolderProblem::kMissing ? FolderMemberText::kFolderMissing
                                                    : FolderMemberText::kFolderIsFile);
        desktop().showMessage(this, cause + "\n\n" + folder, QString(), MessageIcon::kExclamation);
        return;
    }
    if (runs_.mayStartNow()) startRun();
}

void CHashFolderDlg::startRun() {
    runFolder_ = folderField_->text().toStdU16String();
    output_->Clear();
    setOutput({});
    runs_.choose(digestChoice());
    FolderToHash folder;
    folder.folder = runFolder_;
    folder.nameFilter = nameFilterField_->text().toStdU16String();
    folder.extensionFilter = extensionField_->text().toStdU16String();
    folder.subfolders = m_CHKSubfolders->isChecked();
    if (!runs_.start(std::move(folder))) return;
    runTimer_.start();
    showRunning(true);
}

// The buttons return to idle at once; the run ends within a moment, its last lines and summary
// still shown.
void CHashFolderDlg::stop() {
    runs_.stop();
    showRunning(false);
}

void CHashFolderDlg::serveRun() {
    showLines();
    const std::optional<FolderWindowRun::Ending> ending = runs_.ended();
    if (!ending) return;
    finishRun(ending->summary);
    if (ending->startNext) startRun();
}

void CHashFolderDlg::finishRun(const FolderRunSummary& summary) {
    runTimer_.stop();
    showLines();
    showRunning(false);
    showSummary(summary);
}

// Even OK waits for a stopped run.
void CHashFolderDlg::endWith(int result) {
    if (const std::optional<FolderRunSummary> summary = runs_.endNow()) finishRun(*summary);
    done(result);
}

// The results are saved in the folder they came from, wherever the field points meanwhile, in
// one of the formats they fit. A file that cannot be written is said; the file that was there is
// then kept as it was.
void CHashFolderDlg::saveResults() {
    const std::vector<FolderResult>& results = output_->Results();
    const std::vector<ResultsFormat> formats = FittingFormats(results);
    QString filter;
    for (const ResultsFormat format : formats) filter += formatName(format) + "|*|";
    const std::optional<DesktopServices::SaveChoice> choice = desktop().chooseFileToSave(
        this, ToQString(SuggestedResultsPath(runFolder_, results)), filter + "|");
    if (!choice) return;
    const ResultsFormat format = ChosenResultsFormat(formats, choice->filterEntry);
    const ResultsFile file =
        FormatResults(results, format, outputField_->toPlainText().toStdU16String());
    const WriteFailure failure = ReplaceFileContents(choice->path.toStdU16String(), file.bytes);
    if (failure != WriteFailure::kNone) {
        const MainMessageTexts messages(languageFile_);
        desktop().showMessage(this,
                              text(FolderMemberText::kNotSaved) + "\n\n" + choice->path + "\n\n" +
                                  ToQString(messages[WriteFailureMessage(failure)]),
                              QString(), MessageIcon::kExclamation);
        return;
    }
    // Between runs, the line of the file at hand says where the results went.
    auto* statusLine = control<QLabel>(kCurrentFileLabel);
    statusLine->setText(ToQString(
        FillIn(text(FolderMemberText::kSaved).toStdU16String(), {choice->path.toStdU16String()})));
    statusLine->show();
    if (file.leftOut > 0) {
        desktop().showMessage(this,
                              ToQString(FillIn(text(FolderMemberText::kLeftOut).toStdU16String(),
                                               {NumberText(file.leftOut)})),
                              QString(), MessageIcon::kInformation);
    }
}

const QString& CHashFolderDlg::formatName(ResultsFormat format) const {
    return text(ResultsFormatName(format));
}

DigestChoice CHashFolderDlg::digestChoice() const {
    DigestChoice choice{algorithmList_->currentIndex(), m_CHKLowercase->isChecked()};
    if (several_ != nullptr && several_->isChosen()) choice.several = several_->algorithms();
    return choice;
}

void CHashFolderDlg::showRunning(bool running) {
    if (running) {
        summaryLabel_->clear();
        progress_->start([this](double elapsedSeconds) {
            const RunProgress now = runs_.progress();
            return ProgressDisplay::View{
                WholeRunPercent(now),
                ToQString(WholeRunProgressText(now, elapsedSeconds, progressTexts())),
                ToQString(now.currentFile)};
        });
    } else {
        progress_->stop();
    }
    m_BTNStopProcessing->setVisible(running);
    m_BTNOk->setEnabled(!running);
    m_BTNProcessFolder->setEnabled(!running);
    control(kSaveButton)->setEnabled(!running && !output_->Results().empty());
}

// Only the new lines go to the field, so a long run stays linear; text the user typed into the
// field is replaced by the whole output.
void CHashFolderDlg::showLines() {
    const std::u16string& lines = output_->Add(runs_.takeRows());
    if (lines.empty()) return;
    if (!outputIsTheRuns_) {
        setOutput(output_->Whole());
        return;
    }
    QTextCursor end(outputField_->document());
    end.movePosition(QTextCursor::End);
    runWritesOutput_ = true;
    end.insertText(ToQString(WithLineFeeds(lines)));
    runWritesOutput_ = false;
    scrollOutputToEnd();
}

void CHashFolderDlg::setOutput(const std::u16string& text) {
    runWritesOutput_ = true;
    outputField_->setPlainText(ToQString(WithLineFeeds(text)));
    runWritesOutput_ = false;
    outputIsTheRuns_ = true;
    scrollOutputToEnd();
}

void CHashFolderDlg::showSummary(const FolderRunSummary& summary) {
    const std::u16string pattern = text(FolderMemberText::kSummary).toStdU16String();
    const std::u16string stopped = text(FolderMemberText::kStopped).toStdU16String();
    const std::u16string notShown = text(FolderMemberText::kNotShown).toStdU16String();
    const std::u16string notOpened = text(FolderMemberText::kNotOpened).toStdU16String();
    const ReadFailureTexts causes(languageFile_);
    summaryLabel_->setText(ToQString(FolderSummaryText(
        summary, {pattern, stopped, notShown, notOpened}, progressTexts(), causes)));
    // Every folder not opened, where the label has room for a few.
    summaryLabel_->setToolTip(ToQString(
        FoldersNotOpenedText(summary.foldersNotOpened, causes, summary.foldersNotOpened.size())));
    summaryLabel_->show();
}

void CHashFolderDlg::scrollOutputToEnd() {
    outputField_->moveCursor(QTextCursor::End);
    outputField_->ensureCursorVisible();
}

}  // namespace tessik
