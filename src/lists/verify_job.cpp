#include "lists/verify_job.h"

#include <deque>

#include "folder/ordered_file_hasher.h"
#include "lists/algorithm_choice.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"

namespace tessik {
namespace {

// What a line is waiting for while its file is hashed: the expected digest, and its result so
// far (final already when there is nothing to hash).
struct Pending {
    VerifyResult result;
    Digest expected;
};

Pending Prepared(ListLine listed, const VerifyOptions& options) {
    Pending pending;
    pending.result.lineNumber = listed.number;
    pending.result.name = std::move(listed.line.name);
    if (listed.line.kind != LineKind::kEntry) return pending;
    AlgorithmChoice choice = ChooseAlgorithm(listed.line, options.named, options.ofList);
    if (choice.outcome == ChoiceOutcome::kAmbiguous) {
        pending.result.status = VerifyStatus::kAmbiguous;
        pending.result.candidates = std::move(choice.candidates);
    }
    pending.result.algorithm = choice.algorithm;
    pending.expected = std::move(listed.line.digest);
    return pending;
}

std::u16string ResolvedPath(const std::string& name, const std::u16string& listFolder) {
    const std::u16string path = FromNativePath(name);
    return IsAbsolutePath(path) ? path : listFolder + path;
}

void Complete(VerifyResult& result, const FileDigestResult& hashed, const Digest& expected) {
    if (hashed.outcome == FileDigestOutcome::kDigest) {
        result.status = hashed.digest == expected ? VerifyStatus::kOk : VerifyStatus::kFailed;
        return;
    }
    result.failure = hashed.failure;
    result.status = hashed.failure == ReadFailure::kMissing ? VerifyStatus::kMissing
                                                            : VerifyStatus::kUnreadable;
}

}  // namespace

bool VerifyList(ChecksumListReader& reader, const VerifyOptions& options,
                const std::function<void(const VerifyResult&)>& report) {
    // The hasher hands files back in the order it took them, so the lines wait in that order.
    std::deque<Pending> waiting;
    const auto next = [&](FileToHash& file) {
        ListLine listed;
        if (!reader.Next(listed)) return false;
        Pending& pending = waiting.emplace_back(Prepared(std::move(listed), options));
        file.algorithm = pending.result.algorithm;
        if (file.algorithm != nullptr)
            file.path = ResolvedPath(pending.result.name, options.listFolder);
        return true;
    };
    const auto deliver = [&](HashedFile& hashed) {
        Pending pending = std::move(waiting.front());
        waiting.pop_front();
        if (hashed.algorithm != nullptr) Complete(pending.result, hashed.result, pending.expected);
        report(pending.result);
    };
    return HashFilesInOrder(next, deliver, {options.workers, options.cancel, options.progress, {}});
}

}  // namespace tessik
