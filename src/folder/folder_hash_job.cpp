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
    std::u16string line;  // the latest file's, not yet in the field
    std::u16string path;
    for (bool more = walker.FindFirst(path); more && !stop_; more = walker.FindNext(path)) {
        if (path.empty()) continue;
        // One visit to the window's thread per file: the previous file's line goes out on the
        // same call that reads the choice for this one, in that order.
        DigestChoice choice;
        OnWindowThread([&] {
            Show(line, output);
            choice = window_.ReadDigestChoice();
        });
        line = path + separator_ +
               FromUtf8(HashFromFile(choice.algorithmIndex, path, choice.lowerCase)) + u"\r\n";
        output += line;
    }
    OnWindowThread([&] {
        Show(line, output);
        StopProcessing();
    });
    mailbox_.Finish();
}

// The output is kept whole but only the new line goes to the field, so a long run stays linear;
// text the user typed into the field is replaced by the whole output. Runs on the window's
// thread.
void FolderHashJob::Show(const std::u16string& line, const std::u16string& output) {
    if (line.empty()) return;
    if (!window_.AppendOutput(line)) window_.SetOutput(output);
}

}  // namespace tessik
