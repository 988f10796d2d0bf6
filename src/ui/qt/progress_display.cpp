#include "ui/qt/progress_display.h"

#include <QLabel>

namespace tessik {

void ProgressBar::setFigures(const QString& figures) {
    figures_ = figures;
    update();
}

ProgressDisplay::ProgressDisplay(ProgressBar& bar, QLabel* itemLine, QObject* parent)
    : QObject(parent), bar_(bar), itemLine_(itemLine) {
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(kProgressShowsAfter);
    refreshTimer_.setInterval(kProgressRefreshInterval);
    connect(&showTimer_, &QTimer::timeout, this, [this] { show(); });
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { refresh(); });
}

void ProgressDisplay::start(Sampler sampler) {
    stop();
    sampler_ = std::move(sampler);
    clock_.start();
    showTimer_.start();
}

void ProgressDisplay::stop() {
    showTimer_.stop();
    refreshTimer_.stop();
    showing_ = false;
    bar_.hide();
    if (itemLine_ != nullptr) itemLine_->hide();
}

double ProgressDisplay::elapsedSeconds() const {
    return clock_.isValid() ? clock_.nsecsElapsed() / 1e9 : 0;
}

void ProgressDisplay::show() {
    showing_ = true;
    refresh();
    bar_.show();
    if (itemLine_ != nullptr) itemLine_->show();
    refreshTimer_.start();
    emit shown();
}

void ProgressDisplay::refresh() {
    const View view = sampler_(elapsedSeconds());
    bar_.setValue(view.percent);
    bar_.setFigures(view.figures);
    if (itemLine_ != nullptr) {
        itemLine_->setText(itemLine_->fontMetrics().elidedText(view.item, Qt::ElideMiddle,
                                                               itemLine_->contentsRect().width()));
        itemLine_->setToolTip(view.item);
    }
}

}  // namespace tessik
