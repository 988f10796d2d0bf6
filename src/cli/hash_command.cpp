#include "cli/hash_command.h"

#include <atomic>
#include <optional>
#include <vector>

#include "cli/progress_meter.h"
#include "digest/digest_request.h"
#include "digest/hex.h"
#include "folder/directory_walker.h"
#include "folder/ordered_file_hasher.h"
#include "lists/checksum_writer.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/read_failure_words.h"

namespace tessik {
namespace {

constexpr std::size_t kInputPieceBytes = std::size_t{1} << 20;

class FileHashing {
  public:
    FileHashing(const SumOptions& options, Console& console)
        : options_(options),
          console_(console),
          meter_(console, options.progress ? 0 : kAutomaticProgressBytes) {}

    int Run() {
        while (operand_ < options_.operands.size() && !stop_) {
            if (options_.operands[operand_] == "-") {
                ++operand_;
                HashInput();
            } else {
                HashUpToInput();
            }
        }
        meter_.Clear();
        return status_;
    }

  private:
    // The files from here to the next "-" (standard input is read on this thread, in its
    // place) or to the end.
    void HashUpToInput() {
        OrderedHashOptions hashOptions{options_.workers, &stop_, {}, {}};
        if (options_.progress || console_.ErrorIsTerminal()) {
            hashOptions.progress = [this](const std::u16string& path, std::uint64_t done,
                                          std::uint64_t total) {
                meter_.Report(path, done, total);
            };
        }
        HashFilesInOrder([this](FileToHash& file) { return NextFile(file); },
                         [this](HashedFile& hashed) { Deliver(hashed); }, hashOptions);
    }

    bool NextFile(FileToHash& file) {
        while (!stop_) {
            if (walker_) {
                std::u16string path;
                const bool more = walkStarted_ ? walker_->FindNext(path) : walker_->FindFirst(path);
                if (!more && !walkStarted_) Fail(walkRoot_, "cannot list the folder");
                walkStarted_ = true;
                if (!more) walker_.reset();
                if (path.empty()) continue;
                file = FileToHash{std::move(path), options_.algorithm};
                return true;
            }
            if (operand_ == options_.operands.size() || options_.operands[operand_] == "-") break;
            std::u16string path = FromNativePath(options_.operands[operand_++]);
            if (options_.recursive && DirectoryExists(path)) {
                WalkOptions walk;
                walk.recurse = true;
                walk.rootFolder = path;
                walk.dotFiles = true;
                walker_.emplace(walk);
                walkStarted_ = false;
                walkRoot_ = ToNativePath(path);
                continue;
            }
            file = FileToHash{std::move(path), options_.algorithm};
            return true;
        }
        return false;
    }

    void Deliver(const HashedFile& hashed) {
        const std::string name = ToNativePath(hashed.path);
        if (hashed.result.outcome == FileDigestOutcome::kDigest) {
            Print(name, hashed.result.digest);
        } else {
            Fail(name, WordsFor(hashed.result.failure).toolWords);
        }
    }

    void HashInput() {
        const auto engine = options_.algorithm->makeEngine();
        std::vector<char> piece(kInputPieceBytes);
        std::int64_t got;
        while ((got = console_.ReadInput(piece.data(), piece.size())) > 0) {
            engine->Update(reinterpret_cast<const std::uint8_t*>(piece.data()),
                           static_cast<std::size_t>(got));
        }
        if (got < 0) {
            Fail("-", "read error");
            return;
        }
        Print("-", TakeDigest(*engine));
    }

    void Print(std::string_view name, const Digest& digest) {
        if (!console_.Write(
                FormatChecksumLine(options_.format, options_.algorithm->listTag, digest, name))) {
            stop_ = true;
            status_ = kExitFailure;
        }
    }

    void Fail(std::string_view name, std::string_view cause) {
        console_.Error(std::string(name) + ": " + std::string(cause));
        status_ = kExitFailure;
    }

    const SumOptions& options_;
    Console& console_;
    ProgressMeter meter_;
    std::atomic<bool> stop_{false};  // standard output is gone: nothing more to do
    int status_ = kExitSuccess;
    std::size_t operand_ = 0;
    std::optional<DirectoryWalker> walker_;
    bool walkStarted_ = false;
    std::string walkRoot_;
};

}  // namespace

int HashFiles(const SumOptions& options, Console& console) {
    return FileHashing(options, console).Run();
}

int HashText(const SumOptions& options, Console& console) {
    const Digest digest = DigestOfText(*options.algorithm,
                                       FromUtf8(WithLineEnds(options.text, options.crlfLineEnds)));
    return console.Write(HexDigest(digest, !options.format.upperCase) + options.format.end)
               ? kExitSuccess
               : kExitFailure;
}

std::string WithLineEnds(std::string_view text, bool crlf) {
    const std::string_view lineEnd = crlf ? "\r\n" : "\n";
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            result += text[i];
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        result += lineEnd;
    }
    return result;
}

}  // namespace tessik
