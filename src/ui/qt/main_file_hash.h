#pragma once
// The main window's file hash, in a background run while the window stays live: the file the
// window shows, or one compared with its result. After a third of a second its progress and a
// Cancel button take the places of the result and of the button that hashes a file; every other
// control of the window, and its menu, waits until the hash ends.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "digest/file_digest.h"
#include "jobs/files_run.h"

namespace tessik {

class Dialog;
class ProgressDisplay;

class MainFileHash final : public QObject {
    Q_OBJECT
  public:
    // Told on the window's thread what a hash came to, unless it was cancelled.
    using Ended = std::function<void(const std::u16string& path, const FileDigestResult& result)>;

    // The window holds the controls of the main window's template, once built.
    explicit MainFileHash(Dialog& window);

    // Nothing happens while a hash goes on; `ended` is told what it came to.
    void start(const std::u16string& path, const AlgorithmInfo& algorithm, Ended ended);
    // Ends the hash within a moment; nothing is told.
    void cancel() { run_.Stop(); }
    // Cancels the hash and waits for its end, for a window that closes.
    void cancelAndWait();
    bool isActive() const { return run_.IsActive(); }

  private:
    void showHashing();
    void serve();
    void end();

    Dialog& window_;
    Ended ended_;
    ProgressDisplay* const progress_;
    QPointer<QWidget> focusBefore_;
    QTimer timer_;
    FilesRun run_;
};

}  // namespace tessik
