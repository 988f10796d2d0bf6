#pragma once
// A checksum list checked, or a set of files hashed, on a worker thread of its own, so that the
// window stays live: the worker queues a row per entry, in list order, and the window takes
// them in batches whenever it likes, reads how far the run has got, and can stop it. Files are
// hashed on several workers below it; a stop ends the run within one piece of a file. The
// worker never waits for the window.

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "folder/folder_job_window.h"
#include "folder/ordered_file_hasher.h"
#include "platform/input_file.h"
#include "ui/checksum_list_table.h"

namespace tessik {

class ChecksumListRun {
  public:
    // `ended` runs on the worker thread, its last act; the owner answers it by calling Finish()
    // on its own thread.
    explicit ChecksumListRun(std::function<void()> ended);
    // Stops a run and waits for it.
    ~ChecksumListRun();
    ChecksumListRun(const ChecksumListRun&) = delete;
    ChecksumListRun& operator=(const ChecksumListRun&) = delete;

    // Checks the open list; its names are taken relative to the folder (ending with a
    // separator). Lines that name no algorithm of their own are checked with the one given.
    // False, and nothing happens, while a run has not been finished or when no thread starts.
    bool StartVerify(std::unique_ptr<InputFile> list, std::u16string listFolder,
                     const AlgorithmInfo& algorithm, std::string separator);
    bool StartHashing(std::vector<std::u16string> paths, const AlgorithmInfo& algorithm);
    void Stop();
    // A run has been started and not finished yet.
    bool IsActive() const { return worker_.joinable(); }

    // Any thread: the rows that came since the last call, in list order.
    std::vector<ListRow> TakeRows();
    FolderRunProgress CurrentProgress() const;

    struct Ending {
        bool stopped = false;
        bool listReadFailed = false;  // the list could not be read to its end
    };
    // Waits for the worker; what the run came to. Rows it left stay to be taken.
    Ending Finish();

  private:
    bool Launch(std::function<Ending()> work);
    void Deliver(ListRow row);
    void Progressed(const std::u16string& path, std::uint64_t done, std::uint64_t total);
    OrderedHashOptions HashOptions();

    const std::function<void()> ended_;
    const int workers_;
    std::atomic<bool> stop_{false};
    Ending ending_;  // written by the worker, read after it has been joined
    std::thread worker_;

    mutable std::mutex exchange_;
    std::vector<ListRow> arrived_;
    FolderRunProgress progress_;
    // How far each hashing thread has got with its file, so bytes are counted once.
    struct InFlight {
        std::u16string path;
        std::uint64_t done = 0;
    };
    std::map<std::thread::id, InFlight> inFlight_;
};

}  // namespace tessik
