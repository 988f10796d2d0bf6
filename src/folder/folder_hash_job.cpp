#include "folder/folder_hash_job.h"

#include <system_error>
#include <utility>

#include "digest/digest_request.h"
#include "platform/text_conversion.h"
#include "folder/directory_walker.h"

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

void FolderHashJob::Run() {
    FolderJobSettings settings;
    OnWindowThread([&] {
        window_.ShowRunning(true);
        settings = window_.ReadJobSettings();
        output_.clear();
        window_.SetOutput(output_);
    });
    DirectoryWalker walker(WalkOptions{settings.subfolders, settings.folder, settings.nameFilter,
                                       settings.extensionFilter});
    std::u16string path;
    for (bool more = walker.FindFirst(path); more && !stop_; more = walker.FindNext(path)) {
        if (path.empty()) continue;
        const DigestChoice choice = LatestChoice();
        Emit(path + separator_ +
             FromUtf8(HashFromFile(choice.algorithmIndex, path, choice.lowerCase)) + u"\r\n");
    }
    OnWindowThread([&] {
        ShowArrivedLines();
        StopProcessing();
    });
    mailbox_.Finish();
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
