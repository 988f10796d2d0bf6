#include "folder/folder_hash_job.h"

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>

#include "digest/algorithm_catalogue.h"
#include "digest/hex.h"
#include "folder/directory_walker.h"
#include "folder/ordered_file_hasher.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"

namespace tessik {

FolderHashJob::FolderHashJob(FolderJobWindow& window, std::u16string separator,
                             std::function<void()> wakeUp, int workers)
    : window_(window),
      separator_(std::move(separator)),
      workers_(std::max(1, workers)),
      mailbox_(std::move(wakeUp)) {}

FolderHashJob::~FolderHashJob() {
    StopAndWait();
}

bool FolderHashJob::Start() {
    if (worker_.joinable()) {
        // One stop flag and one output field per window: never two runs at once.
        if (!mailbox_.Finished()) return false;
        worker_.join();
    }
    stop_ = false;
    {
        std::lock_guard lock(exchange_);
        progress_ = {};
        inFlight_.clear();
        startedCases_.clear();
        bytesDelivered_ = 0;
        results_.clear();
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

std::vector<FolderResult> FolderHashJob::Results() const {
    std::lock_guard lock(exchange_);
    return results_;
}

void FolderHashJob::Run() {
    using Clock = std::chrono::steady_clock;
    FolderJobSettings settings;
    OnWindowThread([&] {
        window_.ShowRunning(true);
        settings = window_.ReadJobSettings();
        outputBatches_.clear();
        window_.SetOutput({});
    });
    const Clock::time_point started = Clock::now();
    {
        // The walk's paths start with the folder and a separator it lacked.
        std::lock_guard lock(exchange_);
        const std::u16string& root = settings.folder;
        rootLength_ = root.size() + (root.empty() || IsPathSeparator(root.back()) ? 0 : 1);
    }
    DirectoryWalker walker(WalkOptions{settings.subfolders, settings.folder, settings.nameFilter,
                                       settings.extensionFilter});
    FolderRunSummary summary;
    bool walking = false;
    std::u16string path;
    // The walk goes on only as fast as the workers take its files, so memory stays flat however
    // large the folder.
    const auto next = [&](FileToHash& file) {
        do {
            if (stop_) return false;
            const bool more = walking ? walker.FindNext(path) : walker.FindFirst(path);
            walking = true;
            if (!more) return false;
        } while (path.empty());
        file.path = path;
        // Replaced by the choice in force when the file's hashing starts.
        file.algorithm = &AlgorithmForIndex(LatestChoice().algorithmIndex);
        return true;
    };
    OrderedHashOptions options;
    options.workers = workers_;
    options.cancel = &stop_;
    options.algorithmAtStart = [this](const std::u16string& file) { return StartFile(file); };
    options.progress = [this](const std::u16string& file, std::uint64_t done, std::uint64_t total) {
        ShowFileProgress(file, done, total);
    };
    summary.stopped = !HashFilesInOrder(
        next, [&](HashedFile& hashed) { EmitLine(hashed, summary); }, options);
    summary.foldersNotOpened = walker.FoldersNotOpened();
    summary.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    OnWindowThread([&] {
        ShowArrivedLines();
        StopProcessing();
        window_.ShowSummary(summary);
    });
    mailbox_.Finish();
}

// On a worker, as it starts the file; files start in the walk's order. The file takes the choice
// made before it starts, as with one file at a time: a change applies from the next file.
const AlgorithmInfo* FolderHashJob::StartFile(const std::u16string& file) {
    std::lock_guard lock(exchange_);
    startedCases_.push_back(choice_.lowerCase);
    progress_.currentFile = file;
    progress_.currentDone = progress_.currentTotal = 0;
    return &AlgorithmForIndex(choice_.algorithmIndex);
}

// On a worker, while it hashes the file.
void FolderHashJob::ShowFileProgress(const std::u16string& file, std::uint64_t done,
                                     std::uint64_t total) {
    std::lock_guard lock(exchange_);
    inFlight_[file] = done;
    progress_.currentFile = file;
    progress_.currentDone = done;
    progress_.currentTotal = total;
    CountBytesDone();
}

// Under the exchange lock.
void FolderHashJob::CountBytesDone() {
    progress_.bytesDone = bytesDelivered_;
    for (const auto& [name, bytes] : inFlight_) progress_.bytesDone += bytes;
}

// The one place where a file's line is made, in the walk's order, which is the order files
// started in. A file that cannot be read gets the algorithm's unreadable result.
void FolderHashJob::EmitLine(const HashedFile& hashed, FolderRunSummary& summary) {
    bool lowerCase;
    {
        std::lock_guard lock(exchange_);
        lowerCase = startedCases_.front();
        startedCases_.pop_front();
        inFlight_.erase(hashed.path);
        bytesDelivered_ += hashed.result.bytes;
        CountBytesDone();
        ++progress_.filesDone;
        if (progress_.currentFile == hashed.path) progress_.currentFile.clear();
        results_.push_back({hashed.path.substr(std::min(rootLength_, hashed.path.size())),
                            hashed.algorithm, hashed.result.digest});
    }
    std::string digest;
    if (hashed.result.outcome == FileDigestOutcome::kDigest) {
        ++summary.filesHashed;
        summary.bytes += hashed.result.bytes;
        digest = HexDigest(hashed.result.digest, lowerCase);
    } else {
        ++summary.filesUnreadable;
        digest = hashed.algorithm->unreadableHex;
    }
    Emit(hashed.path + separator_ + FromUtf8(digest) + u"\r\n");
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
// text the user typed into the field is replaced by the whole output. It is kept in the batches
// it came in: one string would need twice its size each time it grows. Runs on the window's
// thread.
void FolderHashJob::ShowArrivedLines() {
    std::u16string lines;
    {
        std::lock_guard lock(exchange_);
        lines.swap(arrivedLines_);
    }
    if (lines.empty()) return;
    outputBatches_.push_back(std::move(lines));
    if (!window_.AppendOutput(outputBatches_.back())) window_.SetOutput(WholeOutput());
}

std::u16string FolderHashJob::WholeOutput() const {
    std::size_t length = 0;
    for (const std::u16string& batch : outputBatches_) length += batch.size();
    std::u16string whole;
    whole.reserve(length);
    for (const std::u16string& batch : outputBatches_) whole += batch;
    return whole;
}

}  // namespace tessik
