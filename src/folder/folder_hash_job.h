#pragma once
// The work behind the folder window's Process button: on a thread of its own, walk the chosen
// folder and hash its files on several workers at once, and write one line per file, path +
// separator + digest + CR LF, into the window's output field in the order of the walk; say at
// the end what the run came to. A stop flag, read after every step of the walk and while files
// are digested, ends it early: the files being digested then stop within milliseconds and get
// no line.
//
// Threads. Every member function runs on the window's thread (for a Qt window, its UI thread),
// and every call the job makes on the FolderJobWindow runs there too, through a CallMailbox:
//   - At the start of a run the worker waits while the window's thread shows the run and hands
//     over the folder and filters; at its end it waits while the last lines go out and the
//     buttons return to idle.
//   - In between it never waits for the window: each file's line is posted, and the window's
//     thread adds the lines that have arrived, in order, each time it serves the job; where the
//     run has got (Progress()) the window reads whenever it likes. The digest choice is read on
//     the window's thread when a run starts and again whenever the window reports a change
//     (DigestChoiceChanged), and a file takes the latest one when its hashing starts. A visit to
//     the window's thread per file would cost more than hashing a small file.
// The window serves calls in three ways:
//   - The wake-up function given to the constructor runs on the worker thread whenever a call
//     waits or the worker has ended. The window answers by arranging for ServePendingCalls() to
//     run on its own thread, e.g. QMetaObject::invokeMethod(this, [this] {
//     job.ServePendingCalls(); }, Qt::QueuedConnection). A blocking queued connection is not
//     used: StopAndWait serves this mailbox, not Qt's event queue.
//   - While it shows a run (ShowRunning(true) until ShowRunning(false)), it also runs
//     ServePendingCalls() every kPostedCallsInterval, e.g. on a timer, so that lines appear.
//   - StopAndWait() and WaitWhileServing() serve calls themselves while they wait.
// The window must outlive the worker: its close handler, its cancel (Escape) and its destructor
// call StopAndWait() (never from inside one of the FolderJobWindow calls).

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "folder/call_mailbox.h"
#include "folder/folder_job_window.h"
#include "folder/ordered_file_hasher.h"

namespace tessik {

// A file of a run, kept for saving the run as a checksum list.
struct FolderResult {
    std::u16string relativePath;  // below the folder, as the walk went
    const AlgorithmInfo* algorithm = nullptr;
    Digest digest;  // empty when the file could not be read
    bool operator==(const FolderResult&) const = default;
};

class FolderHashJob {
  public:
    // The separator is the window's copy of the caller's setting, fixed for the window's life.
    FolderHashJob(FolderJobWindow& window, std::u16string separator,
                  std::function<void()> wakeUp = {}, int workers = DefaultWorkerCount());
    // Stops a run and waits for its worker, serving its calls meanwhile.
    ~FolderHashJob();
    FolderHashJob(const FolderHashJob&) = delete;
    FolderHashJob& operator=(const FolderHashJob&) = delete;

    // Process: starts a run. False, and nothing happens, while the worker of an earlier run is
    // still alive (a stopped run may still be digesting a large file).
    bool Start();
    // Stop: the buttons return to idle at once; the worker ends after its current step.
    void StopProcessing();
    // Close or cancel: sets the stop flag and returns once the worker has ended.
    void StopAndWait();
    // Returns once the worker has ended, without stopping it.
    void WaitWhileServing();
    // The answer to the wake-up.
    void ServePendingCalls();
    // The algorithm list or the Lowercase letters box changed: files from the next one on use
    // the new choice.
    void DigestChoiceChanged();
    // A worker is alive.
    bool IsRunning() const;
    // Where the current or last run has got; any thread.
    FolderRunProgress Progress() const;
    // Every file of the current or last run that got its line, in the walk's order; any thread.
    std::vector<FolderResult> Results() const;

  private:
    void Run();
    const AlgorithmInfo* StartFile(const std::u16string& file);
    void ShowFileProgress(const std::u16string& file, std::uint64_t done, std::uint64_t total);
    void EmitLine(const HashedFile& hashed, FolderRunSummary& summary);
    void CountBytesDone();
    DigestChoice LatestChoice();
    void Emit(const std::u16string& line);
    void ShowArrivedLines();
    std::u16string WholeOutput() const;
    void OnWindowThread(const std::function<void()>& call) { mailbox_.Call(call); }

    FolderJobWindow& window_;
    const std::u16string separator_;
    const int workers_;
    std::atomic<bool> stop_{false};
    CallMailbox mailbox_;
    std::thread worker_;

    // Between the two threads.
    mutable std::mutex exchange_;
    DigestChoice choice_;
    std::u16string arrivedLines_;  // written by the worker, not yet in the field
    FolderRunProgress progress_;
    std::map<std::u16string, std::uint64_t> inFlight_;  // bytes of each file being hashed
    std::uint64_t bytesDelivered_ = 0;                  // of the files whose lines are made
    std::deque<bool> startedCases_;  // the letter case of each file started, line not yet made
    std::size_t rootLength_ = 0;     // of the folder as the walk's paths start with it
    std::vector<FolderResult> results_;

    // The window's thread only: every line of the run, for when the field must be set whole.
    std::vector<std::u16string> outputBatches_;
};

}  // namespace tessik
