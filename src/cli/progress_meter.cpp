#include "cli/progress_meter.h"

#include <cstdio>

#include "cli/quoted_name.h"
#include "platform/path_encoding.h"

namespace tessik {
namespace {

constexpr double kShortestMeasure = 0.2;  // seconds

std::string Size(std::uint64_t bytes) {
    static constexpr const char* kUnits[] = {"B", "KiB", "MiB", "GiB", "TiB"};
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(kUnits)) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", value, kUnits[unit]);
    return text;
}

}  // namespace

std::string FormatProgress(std::string_view name, std::uint64_t done, std::uint64_t total,
                           double bytesPerSecond) {
    const unsigned percent = total == 0 ? 100U : static_cast<unsigned>(done * 100 / total);
    std::string line(name);
    line += ": " + Size(done) + " of " + Size(total) + ", " + std::to_string(percent) + "%";
    if (bytesPerSecond >= 0) {
        char speed[32];
        std::snprintf(speed, sizeof speed, ", %.1f MB/s", bytesPerSecond / 1e6);
        line += speed;
    }
    return line;
}

ProgressMeter::ProgressMeter(Console& console, std::uint64_t fromBytes)
    : console_(console), fromBytes_(fromBytes) {}

void ProgressMeter::Show(const RunProgress& progress) {
    if (progress.currentFile.empty() || progress.currentTotal == 0 ||
        progress.currentTotal < fromBytes_) {
        return;
    }
    if (progress.currentDone >= progress.currentTotal) {
        Clear();
        return;
    }
    const Clock::time_point now = Clock::now();
    // The speed is measured from when the line appeared; too short a time gives a speed that
    // means nothing.
    if (!shown_) {
        since_ = now;
        bytesSince_ = progress.bytesDone;
    }
    const std::chrono::duration<double> seconds = now - since_;
    const double speed =
        seconds.count() >= kShortestMeasure
            ? static_cast<double>(progress.bytesDone - bytesSince_) / seconds.count()
            : -1.0;
    console_.ShowProgress(FormatProgress(QuotedName(ToNativePath(progress.currentFile)),
                                         progress.currentDone, progress.currentTotal, speed));
    shown_ = true;
}

void ProgressMeter::Clear() {
    if (!shown_) return;
    console_.ShowProgress({});
    shown_ = false;
}

}  // namespace tessik
