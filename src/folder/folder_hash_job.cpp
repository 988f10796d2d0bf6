#include "folder/folder_hash_job.h"

#include <chrono>
#include <system_error>
#include <utility>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"
#include "digest/hex.h"
#include "folder/directory_walker.h"
#include "platform/text_conversion.h"

namespace tessik {

FolderHashJob::FolderHashJob(FolderJobWindow& window, std::u16string separator,
                             std::function<void()> wakeUp)
    : window_(window), separator_(std::move(separator)), mailbox_(std::move(wakeUp)) {}

FolderHashJob::~FolderHashJob() {
    StopAndWait();
}

bool FolderHashJob::Start() {
    if (worker_.joinable()) {
        // One stop flag and one output field per window: never two workers at once.
        if (!mailbox_.Finished()) return false;
        worker_.join();
    }
    stop_ = false;
    {
        std::lock_guard lock(exchange_);
        progress_ = {};
    }
    window_.ShowRunning(true);
    DigestChoiceChanged();
    mailbox_.Begin();
    try {
        worker_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        mailbox_.Finish();
        StopProcessing();
        return false;
    }
    return true;
}

void FolderHashJob::StopProcessing() {
    stop_ = true;
    window_.ShowRunning(false);
}

void FolderHashJob::StopAndWait() {
    stop_ = true;
    WaitWhileServing();
}

void FolderHashJob::WaitWhileServing() {
    if (!worker_.joinable()) return;
    mailbox_.ServeUntilFinished();
    worker_.join();
}

void FolderHashJob::ServePendingCalls() {
    if (mailbox_.ServePending() && worker_.joinable()) worker_.join();
}

void FolderHashJob::DigestChoiceChanged() {
    const DigestChoice choice = window_.ReadDigestChoice();
    std::lock_guard lock(exchange_);
    choice_ = choice;
}

bool FolderHashJob::IsRunning() const {
    return worker_.joinable() && !mailbox_.Finished();
}

FolderRunProgress FolderHashJob::Progress() const {
    std::lock_guard lock(exchange_);
    return progress_;
}

void FolderHashJob::Run() {
    using Clock = std::chrono::steady_clock;
    FolderJobSettings settings;
    OnWindowThread([&] {
        window_.ShowRunning(true);
        settings = window_.ReadJobSettings();
        output_.clear();
        window_.SetOutput(output_);
    });
    const Clock::time_point started = Clock::now();
    DirectoryWalker walker(WalkOptions{settings.subfolders, settings.folder, settings.nameFilter,
                                       settings.extensionFilter});
    FolderRunSummary summary;
    std::u16string path;
    for (bool more = walker.FindFirst(path); more; more = walker.FindNext(path)) {
        if (stop_ || (!path.empty() && !HashFile(path, summary))) {
            summary.stopped = true;
            break;
        }
    }
    summary.foldersNotOpened = walker.FoldersNotOpened();
    summary.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    OnWindowThread([&] {
        ShowArrivedLines();
        StopProcessing();
        window_.ShowSummary(summary);
    });
    mailbox_.Finish();
}

// The one place where a file is hashed and its line made. A file that cannot be read gets the
// algorithm's unreadable result; one cancelled by the stop flag gets no line, and false comes
// back.
bool FolderHashJob::HashFile(const std::u16string& path, FolderRunSummary& summary) {
    std::uint64_t before;
    {
        std::lock_guard lock(exchange_);
        before = progress_.bytesDone;
        progress_.currentFile = path;
        progress_.currentDone = progress_.currentTotal = 0;
    }
    const DigestChoice choice = LatestChoice();
    const AlgorithmInfo& algorithm = AlgorithmForIndex(choice.algorithmIndex);
    FileDigestOptions options;
    options.cancel = &stop_;
    options.progress = [&](std::uint64_t done, std::uint64_t total) {
        std::lock_guard lock(exchange_);
        progress_.currentDone = done;
        progress_.currentTotal = total;
        progress_.bytesDone = before + done;
    };
    const FileDigestResult result = DigestFile(*algorithm.makeEngine(), path, options);
    {
        std::lock_guard lock(exchange_);
        progress_.bytesDone = before + result.bytes;
        progress_.currentFile.clear();
        if (result.outcome != FileDigestOutcome::kCancelled) ++progress_.filesDone;
    }
    std::string digest;
    switch (result.outcome) {
        case FileDigestOutcome::kCancelled:
            return false;
        case FileDigestOutcome::kDigest:
            ++summary.filesHashed;
            summary.bytes += result.bytes;
            digest = HexDigest(result.digest);
            if (!choice.lowerCase) digest = AsciiUpper(std::move(digest));
            break;
        case FileDigestOutcome::kUnreadable:
            ++summary.filesUnreadable;
            digest = algorithm.unreadableHex;
            break;
    }
    Emit(path + separator_ + FromUtf8(digest) + u"\r\n");
    return true;
}

DigestChoice FolderHashJob::LatestChoice() {
    std::lock_guard lock(exchange_);
    return choice_;
}

// Worker: the line waits with the others that have not reached the field yet; only the first of
// them asks the window's thread to come.
void FolderHashJob::Emit(const std::u16string& line) {
    bool first;
    {
        std::lock_guard lock(exchange_);
        first = arrivedLines_.empty();
        arrivedLines_ += line;
    }
    if (first) mailbox_.Post([this] { ShowArrivedLines(); });
}

// The output is kept whole but only the new lines go to the field, so a long run stays linear;
// text the user typed into the field is replaced by the whole output. Runs on the window's
// thread.
void FolderHashJob::ShowArrivedLines() {
    std::u16string lines;
    {
        std::lock_guard lock(exchange_);
        lines.swap(arrivedLines_);
    }
    if (lines.empty()) return;
    output_ += lines;
    if (!window_.AppendOutput(lines)) window_.SetOutput(output_);
}

}  // namespace tessik
