#pragma once
// The progress of long work in any window: a bar with the figures on it and, below it, a line
// that names the item at hand. Nothing shows for work that ends within a third of a second;
// after that the display appears and follows the work a few times a second. The window says
// what to show; this only times and draws it.

#include <QElapsedTimer>
#include <QObject>
#include <QProgressBar>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>

class QLabel;

namespace tessik {

// A bar that shows a text of its window's own: a format would read "%p" and the like in it.
class ProgressBar final : public QProgressBar {
    Q_OBJECT
  public:
    using QProgressBar::QProgressBar;
    void setFigures(const QString& figures);
    QString text() const override { return figures_; }

  private:
    QString figures_;
};

inline constexpr std::chrono::milliseconds kProgressShowsAfter{333};
inline constexpr std::chrono::milliseconds kProgressRefreshInterval{100};

class ProgressDisplay final : public QObject {
    Q_OBJECT
  public:
    struct View {
        int percent = 0;
        QString figures;  // on the bar
        QString item;     // on the line below, shortened in the middle to fit
    };
    // Called on the window's thread with the time since start().
    using Sampler = std::function<View(double elapsedSeconds)>;

    // The bar and the line are the window's controls (the line may be missing); they are
    // hidden while nothing shows.
    ProgressDisplay(ProgressBar& bar, QLabel* itemLine, QObject* parent = nullptr);

    void start(Sampler sampler);
    // Hides the display; the work has ended.
    void stop();
    bool isShowing() const { return showing_; }
    double elapsedSeconds() const;

  signals:
    // The work has gone on long enough for the display to appear.
    void shown();

  private:
    void show();
    void refresh();

    ProgressBar& bar_;
    QLabel* itemLine_;
    Sampler sampler_;
    QElapsedTimer clock_;
    QTimer showTimer_;
    QTimer refreshTimer_;
    bool showing_ = false;
};

}  // namespace tessik
