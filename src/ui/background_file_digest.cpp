#include "ui/background_file_digest.h"

#include <system_error>
#include <utility>

namespace tessik {

BackgroundFileDigest::BackgroundFileDigest(std::function<void()> ended)
    : ended_(std::move(ended)) {}

BackgroundFileDigest::~BackgroundFileDigest() {
    Cancel();
    Finish();
}

bool BackgroundFileDigest::Start(std::unique_ptr<DigestEngine> engine, std::u16string path) {
    if (worker_.joinable() || engine == nullptr) return false;
    cancel_ = false;
    done_ = 0;
    total_ = 0;
    result_ = {};
    try {
        worker_ = std::thread([this, engine = std::move(engine), path = std::move(path)] {
            FileDigestOptions options;
            options.cancel = &cancel_;
            options.progress = [this](std::uint64_t done, std::uint64_t total) {
                total_ = total;
                done_ = done;
            };
            result_ = DigestFile(*engine, path, options);
            if (ended_) ended_();
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void BackgroundFileDigest::Cancel() {
    cancel_ = true;
}

BackgroundFileDigest::Progress BackgroundFileDigest::CurrentProgress() const {
    return {done_, total_};
}

FileDigestResult BackgroundFileDigest::Finish() {
    if (!worker_.joinable()) {
        FileDigestResult none;
        none.outcome = FileDigestOutcome::kCancelled;
        return none;
    }
    worker_.join();
    return std::exchange(result_, {});
}

}  // namespace tessik
