#include "cli/hash_command.h"

#include <memory>
#include <vector>

#include "cli/follow_run.h"
#include "cli/progress_meter.h"
#include "cli/quoted_name.h"
#include "digest/digest_request.h"
#include "digest/hex.h"
#include "jobs/files_run.h"
#include "lists/checksum_writer.h"
#include "platform/path_encoding.h"
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
          meter_(console, options.progress ? 0 : kAutomaticProgressBytes),
          showProgress_(options.progress || console.ErrorIsTerminal()) {}

    int Run() {
        while (operand_ < options_.operands.size() && !outputGone_) {
            if (options_.operands[operand_] == "-") {
                ++operand_;
                HashInput();
            } else {
                HashUpToInput();
            }
        }
        return status_;
    }

  private:
    // The files from here to the next "-" (standard input is read on this thread, in its
    // place) or to the end.
    void HashUpToInput() {
        FilesToHash files;
        for (; operand_ < options_.operands.size() && options_.operands[operand_] != "-";
             ++operand_) {
            files.paths.push_back(FromNativePath(options_.operands[operand_]));
        }
        files.algorithm = options_.algorithm;
        files.alsoWith = options_.alsoWith;
        files.walkFolders = options_.recursive;
        files.workers = options_.workers;
        FilesRun run;
        if (!run.Start(HashingFiles(std::move(files)))) {
            console_.Error("cannot start a thread");
            status_ = kExitFailure;
            outputGone_ = true;
            return;
        }
        FollowRun(run, showProgress_ ? &meter_ : nullptr, [&](HashedFile& hashed) {
            Deliver(hashed);
            if (outputGone_) run.Stop();
        });
    }

    void Deliver(const HashedFile& hashed) {
        if (outputGone_) return;
        const std::string name = ToListName(hashed.path);
        if (hashed.algorithm == nullptr) {
            Fail(name, "cannot list the folder: " +
                           std::string(WordsFor(hashed.result.failure).toolWords));
        } else if (hashed.result.outcome == FileDigestOutcome::kDigest) {
            Print(name, *hashed.algorithm, hashed.result.digest);
            for (std::size_t i = 0; i < hashed.alsoWith.size(); ++i) {
                Print(name, *hashed.alsoWith[i], hashed.alsoDigests[i]);
            }
        } else {
            Fail(name, WordsFor(hashed.result.failure).toolWords);
        }
    }

    void HashInput() {
        // Whoever typed "tessik-sum -r" alone at a terminal may think it is at work on a folder.
        if (options_.recursive && options_.noOperands && console_.InputIsTerminal()) {
            console_.Error("no folder given: hashing standard input until it ends (Ctrl+D)");
        }
        const std::vector<const AlgorithmInfo*> algorithms = AlgorithmsGiven(options_);
        std::vector<std::unique_ptr<DigestEngine>> engines;
        for (const AlgorithmInfo* algorithm : algorithms)
            engines.push_back(algorithm->makeEngine());
        std::vector<char> piece(kInputPieceBytes);
        std::int64_t got;
        while ((got = console_.ReadInput(piece.data(), piece.size())) > 0) {
            for (const auto& engine : engines) {
                engine->Update(reinterpret_cast<const std::uint8_t*>(piece.data()),
                               static_cast<std::size_t>(got));
            }
        }
        if (got < 0) {
            Fail("-", "read error");
            return;
        }
        for (std::size_t i = 0; i < engines.size(); ++i) {
            Print("-", *algorithms[i], TakeDigest(*engines[i]));
        }
    }

    void Print(std::string_view name, const AlgorithmInfo& algorithm, const Digest& digest) {
        if (outputGone_) return;
        if (!console_.Write(FormatChecksumLine(options_.format, algorithm, digest, name))) {
            outputGone_ = true;
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
    const bool showProgress_;
    bool outputGone_ = false;  // standard output is gone: nothing more to do
    int status_ = kExitSuccess;
    std::size_t operand_ = 0;
};

}  // namespace

int HashFiles(const SumOptions& options, Console& console) {
    return FileHashing(options, console).Run();
}

int HashText(const SumOptions& options, Console& console) {
    const std::u16string text = FromUtf8(WithLineEnds(options.text, options.crlfLineEnds));
    std::string lines;
    for (const AlgorithmInfo* algorithm : AlgorithmsGiven(options)) {
        lines += HexDigest(DigestOfText(*algorithm, text), !options.format.upperCase) +
                 options.format.end;
    }
    return console.Write(lines) ? kExitSuccess : kExitFailure;
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
