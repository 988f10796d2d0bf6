#include "ui/qt/main_file_hash.h"

#include <QApplication>
#include <QMenuBar>
#include <chrono>

#include "ui/qt/dialog.h"
#include "ui/qt/progress_display.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/main_window.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace main_window;

// How often the hash is asked whether it has ended.
constexpr std::chrono::milliseconds kPollInterval{15};

}  // namespace

MainFileHash::MainFileHash(Dialog& window)
    : QObject(&window),
      window_(window),
      progress_(new ProgressDisplay(*window.control<ProgressBar>(kProgressBar), nullptr, this)) {
    connect(progress_, &ProgressDisplay::shown, this, [this] { showHashing(); });
    timer_.setInterval(kPollInterval);
    connect(&timer_, &QTimer::timeout, this, [this] { serve(); });
}

void MainFileHash::start(const std::u16string& path, const AlgorithmInfo& algorithm, Ended ended) {
    if (!run_.Start(HashingFiles({{path}, &algorithm, false, 1}))) return;
    ended_ = std::move(ended);
    timer_.start();
    focusBefore_ = QApplication::focusWidget();
    QWidget* const cancel = window_.control(kCancelHashButton);
    QWidget* const bar = window_.control(kProgressBar);
    for (QWidget* child :
         window_.clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child != cancel && child != bar) child->setEnabled(false);
    }
    window_.menuBar()->setEnabled(false);
    progress_->start([this](double elapsedSeconds) {
        const RunProgress now = run_.Progress();
        return ProgressDisplay::View{
            PercentDone(now.currentDone, now.currentTotal),
            ToQString(FileProgressText(now.currentDone, now.currentTotal, elapsedSeconds,
                                       window_.progressTexts())),
            {}};
    });
}

void MainFileHash::cancelAndWait() {
    if (!isActive()) return;
    run_.Stop();
    run_.Finish();
    end();
}

// The hash takes longer than a moment: its progress and Cancel take the places of the result
// and of the button that started it.
void MainFileHash::showHashing() {
    window_.control(kResultField)->hide();
    window_.control(kHashFileButton)->hide();
    window_.control(kCancelHashButton)->show();
    window_.control(kCancelHashButton)->setFocus();
}

// A cancelled hash hands nothing over.
void MainFileHash::serve() {
    if (!run_.HasEnded()) return;
    run_.Finish();
    const std::vector<HashedFile> hashed = run_.TakeRows();
    end();
    if (!hashed.empty()) ended_(hashed.front().path, hashed.front().result);
}

void MainFileHash::end() {
    timer_.stop();
    progress_->stop();
    window_.control(kCancelHashButton)->hide();
    window_.control(kHashFileButton)->show();
    window_.control(kResultField)->show();
    for (QWidget* child :
         window_.clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        child->setEnabled(true);
    }
    window_.menuBar()->setEnabled(true);
    if (focusBefore_) focusBefore_->setFocus();
}

}  // namespace tessik
