#pragma once
// Failures of the platform's system calls on demand, for one scope. The test runner may be
// root, for whom a read-only folder is writable, so permissions alone cannot make these calls
// fail. Install them before starting any thread that uses the platform layer.

#include <cerrno>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/system_calls.h"

namespace tessik::test {

enum class Call { kOpen, kRead, kWrite, kFsync, kRename, kLink, kMap, kReadFolder };
inline constexpr int kCallCount = static_cast<int>(Call::kReadFolder) + 1;

// One way for a call to fail, as a row of a test's table.
struct Fault {
    const char* name;
    Call call;
    int error;
    std::size_t bytesFirst = 0;  // for reads, writes and maps: how much gets through first
};

// Every step at which replacing a file can fail.
inline constexpr Fault kSaveFailures[] = {
    {"open", Call::kOpen, EACCES},           {"first write", Call::kWrite, ENOSPC},
    {"later write", Call::kWrite, EIO, 100}, {"fsync", Call::kFsync, EIO},
    {"rename", Call::kRename, EXDEV},
};

// Makes every use of the call fail with `error`. A read or a write first lets `bytesFirst`
// bytes through, cut short where they run out, so the failure comes in the middle of the data;
// maps succeed while their lengths fit into `bytesFirst`, and a folder's listing fails after
// `bytesFirst` entries.
class FailingCall {
  public:
    FailingCall(Call call, int error, std::size_t bytesFirst = 0);
    explicit FailingCall(const Fault& fault)
        : FailingCall(fault.call, fault.error, fault.bytesFirst) {}
    ~FailingCall();
    FailingCall(const FailingCall&) = delete;
    FailingCall& operator=(const FailingCall&) = delete;

  private:
    SystemCalls saved_;
};

// Behaves as a folder without write permission does for an ordinary user: nothing can be
// created in it or renamed into or out of it. Files in it stay readable.
class ReadOnlyFolder {
  public:
    explicit ReadOnlyFolder(const std::string& nativeFolder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  private:
    SystemCalls saved_;
};

// Behaves as a folder without read permission does for an ordinary user: it cannot be listed.
class UnreadableFolder {
  public:
    explicit UnreadableFolder(const std::string& nativeFolder);
    ~UnreadableFolder();
    UnreadableFolder(const UnreadableFolder&) = delete;
    UnreadableFolder& operator=(const UnreadableFolder&) = delete;

  private:
    SystemCalls saved_;
};

// Runs `work` in a child process that dies, as a killed program does, at its n-th call through
// the system-call table (counting from 1), before the call is made. True when it died there,
// false when the work ended first. For single-threaded work, in a test that runs no threads.
// Windows has no fork: there the work runs on the caller's thread and stops at that call with an
// exception that it must let pass, and the files it left open are closed.
bool KilledAtCall(int n, const std::function<void()>& work);

// Holds the n-th open, read or map (counting from 1 while it is in force) on the thread that makes
// it until Release(), so that a test can act while a worker is at a known point of its work.
// Outlive every thread that may make the call: install it before they start and let them end
// before it goes.
class HeldCall {
  public:
    // `reached` runs on the held thread once it is held, e.g. to wake the test's event loop.
    HeldCall(Call call, int number, std::function<void()> reached = {});
    // Holds the first open of a path that ends with `pathEnding`: with several workers, the n-th
    // call may be made for any of their files.
    explicit HeldCall(std::string pathEnding);
    ~HeldCall();
    HeldCall(const HeldCall&) = delete;
    HeldCall& operator=(const HeldCall&) = delete;

    bool IsHeld() const;
    void Release();

  private:
    SystemCalls saved_;
};

}  // namespace tessik::test
