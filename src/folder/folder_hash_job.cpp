#include "folder/folder_hash_job.h"

#include <system_error>
#include <utility>

#include "digest/digest_request.h"
#include "digest/text_conversion.h"
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

bool FolderHashJob::IsRunning() const {
    return worker_.joinable() && !mailbox_.Finished();
}

void FolderHashJob::Run() {
    FolderJobSettings settings;
    OnWindowThread([&] {
        window_.ShowRunning(true);
        settings = window_.ReadJobSettings();
        window_.SetOutput(u"");
    });
    DirectoryWalker walker(WalkOptions{settings.subfolders, settings.folder, settings.nameFilter,
                                       settings.extensionFilter});
    std::u16string output;
    std::u16string path;
    for (bool more = walker.FindFirst(path); more && !stop_; more = walker.FindNext(path)) {
        if (!path.empty()) WriteLine(path, output);
    }
    OnWindowThread([this] { StopProcessing(); });
    mailbox_.Finish();
}

// The output is kept whole but only the new line goes to the field, so a long run stays linear;
// text the user typed into the field is replaced by the whole output.
void FolderHashJob::WriteLine(const std::u16string& path, std::u16string& output) {
    DigestChoice choice;
    OnWindowThread([&] { choice = window_.ReadDigestChoice(); });
    const std::u16string line =
        path + separator_ + FromUtf8(HashFromFile(choice.algorithmIndex, path, choice.lowerCase)) +
        u"\r\n";
    output += line;
    OnWindowThread([&] {
        if (!window_.AppendOutput(line)) window_.SetOutput(output);
    });
}

}  // namespace tessik
