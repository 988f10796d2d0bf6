#include "ui/checksum_list_run.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "folder/folder_hash_job.h"
#include "lists/checksum_list_reader.h"
#include "platform/path_encoding.h"

namespace tessik {

ChecksumListRun::ChecksumListRun(std::function<void()> ended)
    : ended_(std::move(ended)), workers_(DefaultWorkerCount()) {}

ChecksumListRun::~ChecksumListRun() {
    Stop();
    Finish();
}

bool ChecksumListRun::StartVerify(std::unique_ptr<InputFile> list, std::u16string listFolder,
                                  const AlgorithmInfo& algorithm, std::string separator) {
    return Launch([this, list = std::shared_ptr<InputFile>(std::move(list)),
                   listFolder = std::move(listFolder), &algorithm,
                   separator = std::move(separator)] {
        ChecksumListReader reader(
            [list](char* buffer, std::size_t capacity) { return list->Read(buffer, capacity); },
            separator);
        VerifyOptions options;
        options.listFolder = listFolder;
        options.ofList = &algorithm;
        const OrderedHashOptions hashing = HashOptions();
        options.workers = hashing.workers;
        options.cancel = hashing.cancel;
        options.progress = hashing.progress;
        Ending ending;
        ending.stopped = !VerifyList(
            reader, options, [this](const VerifyResult& result) { Deliver(ListRowOf(result)); });
        ending.listReadFailed = reader.ReadFailed();
        return ending;
    });
}

bool ChecksumListRun::StartHashing(std::vector<std::u16string> paths,
                                   const AlgorithmInfo& algorithm) {
    return Launch([this, paths = std::move(paths), &algorithm] {
        std::size_t next = 0;
        std::uint64_t place = 0;
        Ending ending;
        ending.stopped = !HashFilesInOrder(
            [&](FileToHash& file) {
                if (next == paths.size()) return false;
                file = {paths[next++], &algorithm};
                return true;
            },
            [&](HashedFile& hashed) { Deliver(ListRowOf(++place, std::move(hashed))); },
            HashOptions());
        return ending;
    });
}

void ChecksumListRun::Stop() {
    stop_ = true;
}

std::vector<ListRow> ChecksumListRun::TakeRows() {
    std::lock_guard lock(exchange_);
    return std::exchange(arrived_, {});
}

FolderRunProgress ChecksumListRun::CurrentProgress() const {
    std::lock_guard lock(exchange_);
    return progress_;
}

ChecksumListRun::Ending ChecksumListRun::Finish() {
    if (!worker_.joinable()) return {};
    worker_.join();
    return std::exchange(ending_, {});
}

bool ChecksumListRun::Launch(std::function<Ending()> work) {
    if (worker_.joinable()) return false;
    stop_ = false;
    {
        std::lock_guard lock(exchange_);
        arrived_.clear();
        progress_ = {};
        inFlight_.clear();
    }
    try {
        worker_ = std::thread([this, work = std::move(work)] {
            ending_ = work();
            if (ended_) ended_();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void ChecksumListRun::Deliver(ListRow row) {
    std::lock_guard lock(exchange_);
    ++progress_.filesDone;
    arrived_.push_back(std::move(row));
}

// Several threads hash at once, each reporting its own file: the bytes are what each has added
// since its last report, and the file shown is the one reported last.
void ChecksumListRun::Progressed(const std::u16string& path, std::uint64_t done,
                                 std::uint64_t total) {
    std::lock_guard lock(exchange_);
    InFlight& mine = inFlight_[std::this_thread::get_id()];
    if (mine.path != path) mine = {path, 0};
    progress_.bytesDone += done - std::min(done, mine.done);
    mine.done = done;
    progress_.currentFile = path;
    progress_.currentDone = done;
    progress_.currentTotal = total;
}

OrderedHashOptions ChecksumListRun::HashOptions() {
    OrderedHashOptions options;
    options.workers = workers_;
    options.cancel = &stop_;
    options.progress = [this](const std::u16string& path, std::uint64_t done, std::uint64_t total) {
        Progressed(path, done, total);
    };
    return options;
}

}  // namespace tessik
