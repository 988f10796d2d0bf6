#include "ui/win32/all_algorithms_window_win32.h"

#include <chrono>

#include "settings/language_catalogue.h"
#include "settings/read_failure_words.h"
#include "ui/rules/algorithm_match.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/progress_text.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

using namespace all_algorithms_window;

// How often the run is asked whether it has ended.
constexpr std::chrono::milliseconds kRunPollInterval{15};

}  // namespace

Win32AllAlgorithmsWindow::Win32AllAlgorithmsWindow(Win32DesktopServices& desktop,
                                                   FontSettings& fonts, std::u16string languageFile,
                                                   Start start, AlgorithmSet& ticked)
    : Win32Dialog(AllAlgorithmsWindowTemplate(), desktop),
      fontHost_(*this),
      fonts_(fonts),
      languageFile_(std::move(languageFile)),
      start_(std::move(start)),
      ticked_(ticked) {}

// A window destroyed another way than its own ending still waits for its run.
Win32AllAlgorithmsWindow::~Win32AllAlgorithmsWindow() {
    run_.Stop();
    if (run_.IsActive()) run_.Finish();
}

void Win32AllAlgorithmsWindow::onInitDialog() {
    applyTexts(languageFile_, AllAlgorithmsWindowTables(), *this);
    fonts_.applyTo(fontHost_, true);
    // Several rows can be selected for Copy.
    HWND list = control(kTable);
    SetWindowLongPtrW(list, GWL_STYLE, GetWindowLongPtrW(list, GWL_STYLE) & ~LVS_SINGLESEL);
    table_ = std::make_unique<Win32AlgorithmTable>(
        list, true, [this] { EnableWindow(control(kHashButton), !table_->ticked().empty()); });
    table_->setHeaders(text(AllAlgorithmsMemberText::kColumnAlgorithm),
                       text(AllAlgorithmsMemberText::kColumnHash));
    table_->setLowerCase(start_.lowerCase);
    table_->setTicked(ticked_);
    EnableWindow(control(kHashButton), !ticked_.empty());
    progress_ = std::make_unique<Win32ProgressDisplay>(*this, kProgressBar, 0);
    setControlText(kExpectedField, start_.expected);
    setControlText(kFileField, start_.file);

    // Shown only while they are the digests of the file named.
    onNotification(kFileField, EN_CHANGE, [this] { forgetDigests(); });
    onNotification(kExpectedField, EN_CHANGE, [this] { showMatch(); });
    onCommand(kBrowseButton, [this] { browse(); });
    onCommand(kHashButton, [this] { start(); });
    onCommand(kCancelButton, [this] { run_.Stop(); });
    onCommand(kCopyButton, [this] { copy(table_->selectedDigests()); });
    onCommand(kCopyAllButton, [this] { copy(table_->digests()); });
    onCommand(kOkResult, [this] { endWith(kOkResult); });
    onCommand(kCancelResult, [this] { endWith(kCancelResult); });
    onEnter(kFileField, kHashButton);
    start();
}

void Win32AllAlgorithmsWindow::setMemberText(int id, const std::u16string& text) {
    if (id < 0 || id >= kAllAlgorithmsMemberTextCount) return;
    texts_[static_cast<std::size_t>(id)] = text;
    // The table has no label of its own.
    if (id == static_cast<int>(AllAlgorithmsMemberText::kTableName)) {
        SetWindowTextTo(control(kTable), text);
    }
}

const std::u16string& Win32AllAlgorithmsWindow::text(AllAlgorithmsMemberText which) const {
    return texts_[static_cast<std::size_t>(which)];
}

// The table's notifications, and Ctrl+C in it, which copies the rows selected.
bool Win32AllAlgorithmsWindow::onMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
    if (message != WM_NOTIFY || !table_) return false;
    auto& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.idFrom == static_cast<UINT_PTR>(kTable) && header.code == LVN_KEYDOWN &&
        reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == 'C' && GetKeyState(VK_CONTROL) < 0) {
        copy(table_->selectedDigests());
        return false;
    }
    return table_->notify(header, answer);
}

// Another file is hashed as soon as it is chosen.
void Win32AllAlgorithmsWindow::browse() {
    const MainMessageTexts messages(languageFile_);
    const std::optional<std::u16string> chosen =
        desktop().chooseFileToOpen(handle(), messages[MainMemberText::kAllFiles]);
    if (!chosen) return;
    setControlText(kFileField, *chosen);
    start();
}

void Win32AllAlgorithmsWindow::start() {
    const AlgorithmSet algorithms = table_->ticked();
    if (run_.IsActive() || algorithms.empty()) return;
    forgetDigests();
    FilesToHash files = FilesWithAlgorithms({controlText(kFileField)}, algorithms);
    files.workers = 1;
    if (!run_.Start(HashingFiles(std::move(files)))) return;
    showRunning(true);
}

void Win32AllAlgorithmsWindow::serveRun() {
    if (run_.HasEnded()) finishRun();
}

// A file that could not be read is said with its cause; a cancelled hash shows nothing.
void Win32AllAlgorithmsWindow::finishRun() {
    run_.Finish();
    showRunning(false);
    const std::vector<HashedFile> rows = run_.TakeRows();
    if (rows.empty()) return;
    const HashedFile& hashed = rows.front();
    if (hashed.result.outcome == FileDigestOutcome::kUnreadable) {
        desktop().showMessage(
            handle(),
            WithSubject(ReadFailureTexts(languageFile_).Message(hashed.result.failure), hashed.path),
            MessageIcon::kExclamation);
        return;
    }
    if (hashed.result.outcome != FileDigestOutcome::kDigest) return;
    table_->setDigests(DigestsOfFile(hashed));
    showMatch();
}

// While the file is read, only Cancel and Close can be used; the boxes keep their ticks.
void Win32AllAlgorithmsWindow::showRunning(bool running) {
    for (int id : {kFileField, kBrowseButton, kCopyButton, kCopyAllButton}) {
        EnableWindow(control(id), !running);
    }
    table_->setTickable(!running);
    ShowWindow(control(kHashButton), running ? SW_HIDE : SW_SHOW);
    ShowWindow(control(kCancelButton), running ? SW_SHOW : SW_HIDE);
    SendMessageW(handle(), DM_SETDEFID, running ? kCancelButton : kHashButton, 0);
    SendMessageW(handle(), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(control(running ? kCancelButton : kHashButton)), TRUE);
    if (!running) {
        if (runTimer_ != 0) stopTimer(runTimer_);
        runTimer_ = 0;
        progress_->stop();
        return;
    }
    runTimer_ = startTimer(kRunPollInterval, [this] { serveRun(); });
    progress_->start([this](double elapsedSeconds) {
        const RunProgress now = run_.Progress();
        return Win32ProgressDisplay::View{
            PercentDone(now.currentDone, now.currentTotal),
            FileProgressText(now.currentDone, now.currentTotal, elapsedSeconds, progressTexts()),
            {}};
    });
}

// The rows whose digest is the one expected are marked, the first of them brought into view.
void Win32AllAlgorithmsWindow::showMatch() {
    const std::u16string expected = controlText(kExpectedField);
    const std::vector<AlgorithmDigest> digests = table_->digests();
    const AlgorithmSet matching = AlgorithmsMatching(expected, digests, start_.separator);
    table_->setMarked(matching);
    setControlText(kMatchLabel, MatchText(expected, digests, start_.separator,
                                          text(AllAlgorithmsMemberText::kMatch),
                                          text(AllAlgorithmsMemberText::kNoMatch)));
    if (!matching.empty()) {
        table_->showRow(static_cast<int>(matching.front() - AlgorithmCatalogue().data()));
    }
}

void Win32AllAlgorithmsWindow::forgetDigests() {
    table_->setDigests({});
    showMatch();
}

void Win32AllAlgorithmsWindow::copy(const std::vector<AlgorithmDigest>& rows) {
    if (rows.empty()) return;
    desktop().setClipboardText(handle(), AlgorithmRowsText(rows, start_.lowerCase, u"\r\n"));
}

// What the run came to no longer matters. Nothing ticked keeps the choice there was: a choice
// of none is none to remember.
void Win32AllAlgorithmsWindow::endWith(int result) {
    run_.Stop();
    if (run_.IsActive()) {
        run_.Finish();
        showRunning(false);
    }
    if (const AlgorithmSet ticked = table_->ticked(); !ticked.empty()) ticked_ = ticked;
    done(result);
}

}  // namespace tessik
