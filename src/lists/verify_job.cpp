#include "lists/verify_job.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "folder/ordered_file_hasher.h"
#include "lists/algorithm_choice.h"
#include "lists/listed_path.h"

namespace tessik {
namespace {

// A line waiting while its file is hashed: its result so far (final already when there is
// nothing to hash), the expected digest, the file it names when there is one to hash, and which
// of its group's digests it is checked with.
struct PendingLine {
    VerifyResult result;
    Digest expected;
    std::u16string path;
    std::size_t digestIndex = 0;
};

// Lines after one another that name the same file: it is read once for all their algorithms.
struct Group {
    std::vector<PendingLine> lines;
    std::u16string path;
    std::vector<const AlgorithmInfo*> algorithms;  // each once, in the order the lines name them
};

PendingLine Prepared(ListLine listed, const VerifyOptions& options) {
    PendingLine pending;
    pending.result.lineNumber = listed.number;
    pending.result.name = std::move(listed.line.name);
    if (listed.line.kind != LineKind::kEntry) return pending;
    AlgorithmChoice choice =
        ChooseAlgorithm(listed.line, options.named, options.ofList, options.byDefault);
    if (choice.outcome == ChoiceOutcome::kAmbiguous) {
        pending.result.status = VerifyStatus::kAmbiguous;
        pending.result.candidates = std::move(choice.candidates);
    }
    pending.result.algorithm = choice.algorithm;
    pending.expected = std::move(listed.line.digest);
    return pending;
}

void Complete(PendingLine& line, const HashedFile& hashed) {
    VerifyResult& result = line.result;
    if (hashed.result.outcome == FileDigestOutcome::kDigest) {
        const Digest& digest =
            line.digestIndex == 0 ? hashed.result.digest : hashed.alsoDigests[line.digestIndex - 1];
        result.status = digest == line.expected ? VerifyStatus::kOk : VerifyStatus::kFailed;
        return;
    }
    result.failure = hashed.result.failure;
    result.status = hashed.result.failure == ReadFailure::kMissing ? VerifyStatus::kMissing
                                                                   : VerifyStatus::kUnreadable;
}

class ListVerification {
  public:
    ListVerification(ChecksumListReader& reader, const VerifyOptions& options)
        : reader_(reader), options_(options) {}

    // The next group of lines as a file to hash; a line without an algorithm is one of its own.
    bool Next(FileToHash& file) {
        std::optional<PendingLine> first = Take();
        if (!first) return false;
        Group& group = waiting_.emplace_back();
        group.path = first->path;
        Add(group, std::move(*first));
        while (!group.path.empty()) {
            std::optional<PendingLine> line = Take();
            if (!line) break;
            if (line->path != group.path) {
                held_ = std::move(line);
                break;
            }
            Add(group, std::move(*line));
        }
        if (!group.algorithms.empty()) {
            file.path = group.path;
            file.algorithm = group.algorithms.front();
            file.alsoWith.assign(group.algorithms.begin() + 1, group.algorithms.end());
        }
        return true;
    }

    // The hasher hands files back in the order it took them, so the groups wait in that order.
    void Deliver(const HashedFile& hashed, const std::function<void(const VerifyResult&)>& report) {
        Group group = std::move(waiting_.front());
        waiting_.pop_front();
        for (PendingLine& line : group.lines) {
            if (hashed.algorithm != nullptr) Complete(line, hashed);
            report(line.result);
        }
    }

  private:
    std::optional<PendingLine> Take() {
        if (held_) return std::exchange(held_, std::nullopt);
        ListLine listed;
        if (!reader_.Next(listed)) return std::nullopt;
        PendingLine line = Prepared(std::move(listed), options_);
        if (line.result.algorithm != nullptr) {
            line.path = ListedPath(line.result.name, options_.listFolder, reader_.Reading());
        }
        return line;
    }

    static void Add(Group& group, PendingLine line) {
        if (const AlgorithmInfo* algorithm = line.result.algorithm) {
            const auto known =
                std::find(group.algorithms.begin(), group.algorithms.end(), algorithm);
            line.digestIndex = static_cast<std::size_t>(known - group.algorithms.begin());
            if (known == group.algorithms.end()) group.algorithms.push_back(algorithm);
        }
        group.lines.push_back(std::move(line));
    }

    ChecksumListReader& reader_;
    const VerifyOptions& options_;
    std::optional<PendingLine> held_;  // read past the end of the group before it
    std::deque<Group> waiting_;
};

}  // namespace

bool VerifyList(ChecksumListReader& reader, const VerifyOptions& options,
                const std::function<void(const VerifyResult&)>& report) {
    ListVerification verification(reader, options);
    return HashFilesInOrder([&](FileToHash& file) { return verification.Next(file); },
                            [&](HashedFile& hashed) { verification.Deliver(hashed, report); },
                            {options.workers, options.cancel, options.progress, {}});
}

}  // namespace tessik
