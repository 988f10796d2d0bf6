#include "cli/hash_command.h"

#include <atomic>
#include <deque>
#include <optional>
#include <vector>

#include "cli/progress_meter.h"
#include "cli/quoted_name.h"
#include "cli/read_failure_text.h"
#include "digest/hex.h"
#include "folder/directory_walker.h"
#include "folder/ordered_file_hasher.h"
#include "lists/checksum_writer.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"

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
                if (TakeUnopenedFolder(file)) return true;
                if (walkEnded_) {
                    walker_.reset();
                    continue;
                }
                std::u16string path;
                walkEnded_ = !(walkStarted_ ? walker_->FindNext(path) : walker_->FindFirst(path));
                walkStarted_ = true;
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
                walkStarted_ = walkEnded_ = false;
                foldersReported_ = 0;
                continue;
            }
            file = FileToHash{std::move(path), options_.algorithm};
            return true;
        }
        return false;
    }

    // A folder the walk could not list goes out in its place among the files, as a file without
    // an algorithm, which is not hashed.
    bool TakeUnopenedFolder(FileToHash& file) {
        const std::vector<UnopenedFolder>& unopened = walker_->UnopenedFolders();
        if (foldersReported_ == unopened.size()) return false;
        const UnopenedFolder& folder = unopened[foldersReported_++];
        folderCauses_.push_back(folder.cause);
        file = FileToHash{folder.path, nullptr};
        return true;
    }

    void Deliver(const HashedFile& hashed) {
        const std::string name = ToListName(hashed.path);
        if (hashed.algorithm == nullptr) {
            Fail(name,
                 "cannot list the folder: " + std::string(ReadFailureText(folderCauses_.front())));
            folderCauses_.pop_front();
        } else if (hashed.result.outcome == FileDigestOutcome::kDigest) {
            Print(name, hashed.result.digest);
        } else {
            Fail(name, ReadFailureText(hashed.result.failure));
        }
    }

    void HashInput() {
        // Whoever typed "tessik-sum -r" alone at a terminal may think it is at work on a folder.
        if (options_.recursive && options_.noOperands && console_.InputIsTerminal()) {
            console_.Error("no folder given: hashing standard input until it ends (Ctrl+D)");
        }
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
        console_.Error(QuotedName(name) + ": " + std::string(cause));
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
    bool walkEnded_ = false;
    std::size_t foldersReported_ = 0;       // of the walk's unopened folders
    std::deque<ReadFailure> folderCauses_;  // of those on their way to Deliver
};

}  // namespace

int HashFiles(const SumOptions& options, Console& console) {
    return FileHashing(options, console).Run();
}

int HashText(const SumOptions& options, Console& console) {
    const std::string bytes = ToUtf8(FromUtf8(WithLineEnds(options.text, options.crlfLineEnds)));
    const auto engine = options.algorithm->makeEngine();
    std::string hex = HexDigest(
        DigestOfBytes(*engine, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (options.format.upperCase) hex = AsciiUpper(std::move(hex));
    return console.Write(hex + options.format.end) ? kExitSuccess : kExitFailure;
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
