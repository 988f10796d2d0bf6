#pragma once
// The progress of long work in a Win32 window: the bar with the figures drawn on it and, where
// the window has one, a line that names the item at hand. Nothing shows for work that ends
// within a third of a second; after that the display appears and follows the work a few times
// a second. The window says what to show; this only times and draws it.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

namespace tessik {

class Win32Dialog;

inline constexpr std::chrono::milliseconds kProgressShowsAfter{333};
inline constexpr std::chrono::milliseconds kProgressRefreshInterval{100};

class Win32ProgressDisplay {
  public:
    struct View {
        int percent = 0;
        std::u16string figures;  // on the bar
        std::u16string item;     // on the line below
    };
    using Sampler = std::function<View(double elapsedSeconds)>;
    // Told once the work has gone on long enough for the display to appear.
    using Shown = std::function<void()>;

    // The bar and the line (0: none) are controls of the window; they are hidden while nothing
    // shows.
    Win32ProgressDisplay(Win32Dialog& window, int barId, int itemLineId, Shown shown = {});
    ~Win32ProgressDisplay();
    Win32ProgressDisplay(const Win32ProgressDisplay&) = delete;
    Win32ProgressDisplay& operator=(const Win32ProgressDisplay&) = delete;

    void start(Sampler sampler);
    void stop();
    bool isShowing() const { return showing_; }

  private:
    void show();
    void refresh();
    double elapsedSeconds() const;

    Win32Dialog& window_;
    int barId_;
    int itemLineId_;
    Shown shown_;
    Sampler sampler_;
    std::chrono::steady_clock::time_point started_;
    UINT_PTR timer_ = 0;
    bool showing_ = false;
};

}  // namespace tessik
