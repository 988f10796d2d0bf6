#include "ui/win32/folder_window_win32.h"

#include <chrono>

#include "platform/file_system.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/language_catalogue.h"
#include "settings/read_failure_words.h"
#include "ui/rules/folder_results_file.h"
#include "ui/rules/folder_window_rules.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/progress_text.h"
#include "ui/rules/text_pattern.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

using namespace folder_window;

// How often a run's lines are fetched: often enough to look continuous.
constexpr std::chrono::milliseconds kRunPollInterval{15};

}  // namespace

Win32FolderWindow::Win32FolderWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                                     std::u16string languageFile, Choices choices,
                                     FolderValues& values, std::u16string separator)
    : Win32Dialog(FolderWindowTemplate(), desktop),
      fontHost_(*this),
      fonts_(fonts),
      languageFile_(std::move(languageFile)),
      choices_(choices),
      values_(values),
      output_(std::move(separator)) {}

void Win32FolderWindow::onInitDialog() {
    applyTexts(languageFile_, FolderWindowTables(), *this);
    fonts_.applyTo(fontHost_, true);
    fillAlgorithmList();
    setChecked(kLowercaseBox, choices_.lowerCase);
    setControlText(kFolderField, folder_.empty() ? values_.lastFolder : folder_);
    setControlText(kNameFilterField, values_.nameFilter);
    setControlText(kExtensionField, values_.extensionFilter);
    // The output field holds as much as a run gives it.
    SendMessageW(control(kOutputField), EM_SETLIMITTEXT, 0, 0);
    EnableWindow(control(kSaveButton), FALSE);  // until a run has results
    progress_ = std::make_unique<Win32ProgressDisplay>(
        *this, kProgressBar, kCurrentFileLabel,
        [this] { ShowWindow(control(kSummaryLabel), SW_HIDE); });

    onCommand(kLowercaseBox, [this] { runs_.choose(digestChoice()); });
    onCommand(kSubfoldersBox, [] {});
    // Anything but the runs' own writing makes the field the user's.
    onNotification(kOutputField, EN_CHANGE, [this] {
        if (!runWritesOutput_) outputIsTheRuns_ = false;
    });
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

void Win32FolderWindow::setMemberText(int id, const std::u16string& text) {
    if (id < 0 || id >= kFolderMemberTextCount) return;
    memberTexts_[static_cast<std::size_t>(id)] = text;
}

bool Win32FolderWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
    return several_ != nullptr && several_->onMessage(message, wParam, lParam);
}

const std::u16string& Win32FolderWindow::text(FolderMemberText which) const {
    return memberTexts_[static_cast<std::size_t>(which)];
}

// A run goes on with the new choice from its next file on.
void Win32FolderWindow::fillAlgorithmList() {
    HWND list = control(kAlgorithmList);
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ToWide(FromUtf8(algorithm.name)).c_str()));
    }
    selectEntry(kAlgorithmList, choices_.algorithmIndex);
    several_ = std::make_unique<Win32SeveralAlgorithmsEntry>(
        *this, desktop(), kAlgorithmList, text(FolderMemberText::kSeveralAlgorithms),
        Win32SeveralAlgorithmsEntry::Context{fonts_, languageFile_, choices_.ticked},
        [this] { runs_.choose(digestChoice()); });
}

void Win32FolderWindow::browse() {
    const std::u16string typed = controlText(kFolderField);
    const std::optional<std::u16string> chosen =
        desktop().chooseFolder(handle(), DirectoryExists(typed) ? typed : std::u16string());
    if (!chosen || chosen->empty()) return;
    setControlText(kFolderField, FolderFieldText(*chosen));
}

void Win32FolderWindow::onCloseRequest() {
    values_.lastFolder = controlText(kFolderField);
    values_.nameFilter = StoredFilter(controlText(kNameFilterField));
    values_.extensionFilter = StoredFilter(controlText(kExtensionField));
    endWith(kOkResult);
}

// A folder that is not there would give a silent empty run. A stopped run may still be ending:
// Process starts the new run once it has.
void Win32FolderWindow::process() {
    const std::u16string folder = controlText(kFolderField);
    const FolderProblem problem = ProblemWithFolder(folder);
    if (problem != FolderProblem::kNone) {
        const std::u16string& cause =
            text(problem == FolderProblem::kMissing ? FolderMemberText::kFolderMissing
                                                    : FolderMemberText::kFolderIsFile);
        desktop().showMessage(handle(), WithSubject(cause, folder), MessageIcon::kExclamation);
        return;
    }
    if (runs_.mayStartNow()) startRun();
}

void Win32FolderWindow::startRun() {
    runFolder_ = controlText(kFolderField);
    output_.Clear();
    setOutput({});
    runs_.choose(digestChoice());
    FolderToHash folder;
    folder.folder = runFolder_;
    folder.nameFilter = controlText(kNameFilterField);
    folder.extensionFilter = controlText(kExtensionField);
    folder.subfolders = isChecked(kSubfoldersBox);
    if (!runs_.start(std::move(folder))) return;
    runTimer_ = startTimer(kRunPollInterval, [this] { serveRun(); });
    showRunning(true);
}

// The buttons return to idle at once; the run ends within a moment, its last lines and summary
// still shown.
void Win32FolderWindow::stop() {
    runs_.stop();
    showRunning(false);
}

void Win32FolderWindow::serveRun() {
    showLines();
    const std::optional<FolderWindowRun::Ending> ending = runs_.ended();
    if (!ending) return;
    finishRun(ending->summary);
    if (ending->startNext) startRun();
}

void Win32FolderWindow::finishRun(const FolderRunSummary& summary) {
    if (runTimer_ != 0) stopTimer(runTimer_);
    runTimer_ = 0;
    showLines();
    showRunning(false);
    showSummary(summary);
}

// Even OK waits for a stopped run.
void Win32FolderWindow::endWith(int result) {
    if (const std::optional<FolderRunSummary> summary = runs_.endNow()) finishRun(*summary);
    done(result);
}

// The results are saved in the folder they came from, wherever the field points meanwhile, in
// one of the formats they fit. A file that cannot be written is said; the file that was there is
// then kept as it was.
void Win32FolderWindow::saveResults() {
    const std::vector<FolderResult>& results = output_.Results();
    const std::vector<ResultsFormat> formats = FittingFormats(results);
    std::u16string filter;
    for (const ResultsFormat format : formats) filter += text(ResultsFormatName(format)) + u"|*|";
    const std::optional<Win32DesktopServices::SaveChoice> choice = desktop().chooseFileToSave(
        handle(), SuggestedResultsPath(runFolder_, results), filter + u"|");
    if (!choice) return;
    const ResultsFile file = FormatResults(
        results, ChosenResultsFormat(formats, choice->filterEntry), controlText(kOutputField));
    const WriteFailure failure = ReplaceFileContents(choice->path, file.bytes);
    if (failure != WriteFailure::kNone) {
        const MainMessageTexts messages(languageFile_);
        desktop().showMessage(handle(),
                              text(FolderMemberText::kNotSaved) + u"\n\n" + choice->path + u"\n\n" +
                                  messages[WriteFailureMessage(failure)],
                              MessageIcon::kExclamation);
        return;
    }
    // Between runs, the line of the file at hand says where the results went.
    setControlText(kCurrentFileLabel, FillIn(text(FolderMemberText::kSaved), {choice->path}));
    ShowWindow(control(kCurrentFileLabel), SW_SHOW);
    if (file.leftOut > 0) {
        desktop().showMessage(handle(),
                              FillIn(text(FolderMemberText::kLeftOut), {NumberText(file.leftOut)}),
                              MessageIcon::kInformation);
    }
}

DigestChoice Win32FolderWindow::digestChoice() const {
    DigestChoice choice{selectedEntry(kAlgorithmList), isChecked(kLowercaseBox)};
    if (several_->isChosen()) choice.several = several_->algorithms();
    return choice;
}

void Win32FolderWindow::showRunning(bool running) {
    if (running) {
        setControlText(kSummaryLabel, {});
        progress_->start([this](double elapsedSeconds) {
            const RunProgress now = runs_.progress();
            return Win32ProgressDisplay::View{
                WholeRunPercent(now), WholeRunProgressText(now, elapsedSeconds, progressTexts()),
                now.currentFile};
        });
    } else {
        progress_->stop();
    }
    ShowWindow(control(kStopButton), running ? SW_SHOW : SW_HIDE);
    EnableWindow(control(kOkResult), !running);
    EnableWindow(control(kProcessButton), !running);
    EnableWindow(control(kSaveButton), !running && !output_.Results().empty());
}

// Only the new lines go to the field, so a long run stays linear; text the user typed into the
// field is replaced by the whole output. The job's lines end with CR LF, as the field's do.
void Win32FolderWindow::showLines() {
    const std::u16string& lines = output_.Add(runs_.takeRows());
    if (lines.empty()) return;
    if (!outputIsTheRuns_) {
        setOutput(output_.Whole());
        return;
    }
    appendOutput(lines);
}

void Win32FolderWindow::appendOutput(const std::u16string& text) {
    HWND field = control(kOutputField);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(field));
    runWritesOutput_ = true;
    SendMessageW(field, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
    runWritesOutput_ = false;
    SendMessageW(field, EM_SCROLLCARET, 0, 0);
}

void Win32FolderWindow::setOutput(const std::u16string& text) {
    runWritesOutput_ = true;
    setControlText(kOutputField, {});
    runWritesOutput_ = false;
    outputIsTheRuns_ = true;
    if (!text.empty()) appendOutput(text);
}

void Win32FolderWindow::showSummary(const FolderRunSummary& summary) {
    const ReadFailureTexts causes(languageFile_);
    setControlText(
        kSummaryLabel,
        FolderSummaryText(summary,
                          {text(FolderMemberText::kSummary), text(FolderMemberText::kStopped),
                           text(FolderMemberText::kNotShown), text(FolderMemberText::kNotOpened)},
                          progressTexts(), causes));
    // Every folder not opened, where the label has room for a few.
    setToolTip(kSummaryLabel, FoldersNotOpenedText(summary.foldersNotOpened, causes,
                                                   summary.foldersNotOpened.size()));
    ShowWindow(control(kSummaryLabel), SW_SHOW);
}

}  // namespace tessik
