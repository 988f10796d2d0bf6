#include "lists/list_finder.h"

#include <algorithm>
#include <memory>
#include <set>

#include "lists/algorithm_choice.h"
#include "lists/list_names.h"
#include "lists/listed_path.h"
#include "lists/signed_list.h"
#include "platform/directory_search.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"

namespace tessik {
namespace {

struct Target {
    std::u16string path;    // full
    std::u16string folder;  // with its trailing separator
    std::u16string name;
};

struct Candidate {
    int rank = 0;  // 0: for the preferred algorithm (or any without one), 1: for none, 2: other
    bool sidecar = false;
    std::u16string name;
    const AlgorithmInfo* ofList = nullptr;
};

bool Cancelled(const FindOptions& options) {
    return options.cancel != nullptr && options.cancel->load(std::memory_order_relaxed);
}

// "CHECKSUM", "Release-1.0-x86_64-CHECKSUM", "checksums.txt", "sha256sum.txt", "SUMS", "x.DIGESTS":
// names of lists whose lines say their algorithm, or leave it to the digest's length.
bool HasListOfAnyAlgorithmName(const std::u16string& name) {
    std::u16string stem = AsciiLower(name);
    if (stem.ends_with(u".txt") || stem.ends_with(u".asc")) stem.resize(stem.size() - 4);
    return stem.ends_with(u"sum") || stem.ends_with(u"sums") || stem.ends_with(u"digests");
}

bool IsDetachedSignature(const std::u16string& name, const std::set<std::u16string>& files) {
    return HasSignatureExtension(name) && files.contains(WithoutExtension(name));
}

// The lists beside the file in the order they are read. A sidecar of another file names that
// file alone, and is passed over.
std::vector<Candidate> ListsBeside(const Target& target, const AlgorithmInfo* preferred) {
    DirectorySearch search;
    if (!search.Open(target.folder)) return {};
    std::set<std::u16string> files;
    for (DirectoryEntry entry; search.Next(entry);) {
        if (!entry.isFolder) files.insert(std::move(entry.name));
    }
    std::vector<Candidate> lists;
    for (const std::u16string& name : files) {
        Candidate list{0, false, name, AlgorithmOfListName(name)};
        if (name == target.name || (list.ofList == nullptr && !HasListOfAnyAlgorithmName(name)) ||
            IsDetachedSignature(name, files)) {
            continue;
        }
        const std::u16string listed = WithoutExtension(name);
        list.sidecar = listed == target.name;
        if (!list.sidecar && listed != name && list.ofList != nullptr && files.contains(listed))
            continue;
        if (list.ofList == nullptr) {
            list.rank = 1;
        } else if (preferred != nullptr && list.ofList != preferred) {
            list.rank = 2;
        }
        lists.push_back(std::move(list));
    }
    std::stable_sort(lists.begin(), lists.end(), [](const Candidate& a, const Candidate& b) {
        return std::pair(a.rank, !a.sidecar) < std::pair(b.rank, !b.sidecar);
    });
    return lists;
}

bool NamesTarget(const std::string& listed, const Target& target) {
    const std::u16string name = FromNativePath(listed);
    // Most lines name other files: their last part tells, without a look at the disk.
    if (!name.ends_with(target.name)) return false;
    const std::size_t before = name.size() - target.name.size();
    if (before > 0 && !IsPathSeparator(name[before - 1])) return false;
    return FullPath(ListedPath(listed, target.folder, ListReading::kLenient)) == target.path;
}

FoundEntry EntryOf(ListLine& listed, const Candidate& list, const Target& target,
                   const AlgorithmInfo* preferred) {
    AlgorithmChoice choice = ChooseAlgorithm(listed.line, nullptr, list.ofList);
    FoundEntry entry;
    if (choice.outcome == ChoiceOutcome::kMismatch) return entry;
    entry.found = true;
    entry.expected = std::move(listed.line.digest);
    entry.listPath = target.folder + list.name;
    entry.lineNumber = listed.number;
    entry.algorithm = choice.algorithm;
    const bool preferredFits = std::find(choice.candidates.begin(), choice.candidates.end(),
                                         preferred) != choice.candidates.end();
    if (choice.outcome == ChoiceOutcome::kAmbiguous && preferredFits) {
        entry.algorithm = preferred;
    } else {
        entry.candidates = std::move(choice.candidates);
    }
    return entry;
}

// A list's bytes up to the limit; past it a read error, so that the line it cuts is not read.
ListBytes Limited(ListBytes bytes, std::uint64_t limit) {
    auto left = std::make_shared<std::uint64_t>(limit + 1);
    return [bytes = std::move(bytes), left](char* buffer, std::size_t capacity) -> std::int64_t {
        const std::int64_t got =
            bytes(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(capacity, *left)));
        if (got > 0) *left -= static_cast<std::uint64_t>(got);
        return *left == 0 ? -1 : got;
    };
}

}  // namespace

FoundEntry FindListEntry(const std::u16string& filePath, const FindOptions& options) {
    Target target;
    target.path = FullPath(filePath);
    if (target.path.empty()) return {};
    target.folder = DirectoryPart(target.path);
    target.name = FileNamePart(target.path);
    const auto checking =
        options.checkSignatures ? SignedList::Checking::kCheck : SignedList::Checking::kSkip;
    FoundEntry first;
    int read = 0;
    for (const Candidate& list : ListsBeside(target, options.preferred)) {
        if (Cancelled(options)) return {};
        // Once a line was found, lists for other algorithms can offer nothing better.
        if (read == kMaxListsRead || (first.found && list.rank == 2)) break;
        SignedList opened;
        if (opened.Open(target.folder + list.name, checking) != ReadFailure::kNone ||
            opened.FileSize() > kMaxListBytes) {
            continue;
        }
        ++read;
        ChecksumListReader reader(Limited(opened.Bytes(), kMaxListBytes), options.separator);
        for (ListLine listed; reader.Next(listed);) {
            if (Cancelled(options)) return {};
            if (listed.line.kind != LineKind::kEntry || !NamesTarget(listed.line.name, target))
                continue;
            FoundEntry entry = EntryOf(listed, list, target, options.preferred);
            if (!entry.found) continue;
            entry.signature = opened.Signature();
            if (options.preferred == nullptr || entry.algorithm == options.preferred) return entry;
            if (!first.found) first = std::move(entry);
        }
    }
    return first;
}

}  // namespace tessik
