#include "lists/list_appender.h"

#include "digest/hex.h"
#include "folder/ordered_file_hasher.h"
#include "lists/algorithm_choice.h"
#include "lists/checksum_list_reader.h"
#include "lists/checksum_writer.h"
#include "lists/clear_signed_text.h"
#include "lists/list_signature.h"
#include "lists/listed_path.h"
#include "platform/path_encoding.h"

namespace tessik {
namespace {

enum class Naming { kBare, kDotSlash, kFull };

struct ListStyle {
    LineForm form = LineForm::kGnu;
    bool binary = false;
    bool upperCase = false;
    bool crlf = false;
    Naming naming = Naming::kBare;
    const AlgorithmInfo* algorithm = nullptr;
};

// The whole list: it is written anew whole in any case.
ReadFailure ReadList(const std::u16string& path, std::string& bytes) {
    InputFile file;
    if (const ReadFailure failure = file.Open(path); failure != ReadFailure::kNone) return failure;
    std::string piece(std::size_t{64} << 10, '\0');
    for (std::int64_t got; (got = file.Read(piece.data(), piece.size())) != 0;) {
        if (got < 0) return ReadFailure::kIoError;
        bytes.append(piece, 0, static_cast<std::size_t>(got));
    }
    return ReadFailure::kNone;
}

std::string_view LineNumbered(std::string_view bytes, std::uint64_t number) {
    for (; number > 1 && !bytes.empty(); --number) {
        const std::size_t end = bytes.find('\n');
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    }
    return bytes.substr(0, bytes.find('\n'));
}

// As the list's first entry has it; for a list without one, GNU lines with bare names and the
// algorithm its name stands for.
ListStyle StyleOf(const std::string& bytes, const std::u16string& listPath,
                  const std::string& separator) {
    ListStyle style;
    const std::size_t firstEnd = bytes.find('\n');
    style.crlf = firstEnd != std::string::npos && firstEnd > 0 && bytes[firstEnd - 1] == '\r';
    const AlgorithmInfo* ofList = AlgorithmOfListName(listPath);
    style.algorithm = ofList;
    ChecksumListReader reader(BytesOf(bytes), separator, ListReading::kLenient,
                              IsSfvListName(listPath));
    for (ListLine listed; reader.Next(listed);) {
        if (listed.line.kind != LineKind::kEntry) continue;
        const ChecksumLine& line = listed.line;
        style.form = line.form;
        style.binary = line.binary;
        style.naming = IsFullListName(line.name)     ? Naming::kFull
                       : line.name.starts_with("./") ? Naming::kDotSlash
                                                     : Naming::kBare;
        const std::string hex = HexDigest(line.digest);
        const std::string_view text = LineNumbered(bytes, listed.number);
        style.upperCase = text.find(hex) == std::string_view::npos &&
                          text.find(AsciiUpper(hex)) != std::string_view::npos;
        style.algorithm = ChooseAlgorithm(line, nullptr, ofList).algorithm;
        break;
    }
    return style;
}

std::u16string NameInList(const std::u16string& path, const std::u16string& root, Naming naming) {
    const std::u16string full = FullPath(path);
    if (naming == Naming::kFull || !full.starts_with(root)) return full;
    const std::u16string below = full.substr(root.size());
    return naming == Naming::kDotSlash ? u"./" + below : below;
}

// Empty when a separated line cannot hold the name: its line end would cut it. Separated lines
// name files as the folder window shows them; lists, with the separator every system reads.
std::string LineFor(const ListStyle& style, const std::string& separator, const Digest& digest,
                    const std::u16string& path) {
    std::string line;
    if (style.form == LineForm::kSeparated) {
        const std::string name = ToNativePath(path);
        if (name.find_first_of("\r\n") != std::string::npos) return {};
        const std::string hex = HexDigest(digest);
        line = name + separator + (style.upperCase ? AsciiUpper(hex) : hex) + '\n';
    } else {
        const LineFormat format{StyleOfForm(style.form), style.binary, style.upperCase, '\n'};
        line = FormatChecksumLine(format, *style.algorithm, digest, ToListName(path));
    }
    if (style.crlf) line.insert(line.size() - 1, 1, '\r');
    return line;
}

}  // namespace

AppendOutcome AddFilesToList(const std::u16string& listPath, const std::u16string& folder,
                             const std::vector<std::u16string>& files,
                             const AppendOptions& options) {
    AppendOutcome outcome;
    std::string bytes;
    outcome.readFailure = ReadList(listPath, bytes);
    if (outcome.readFailure != ReadFailure::kNone) return outcome;
    if (HoldsClearSignedText(bytes)) {
        outcome.status = AppendStatus::kClearSigned;
        return outcome;
    }
    ListStyle style = StyleOf(bytes, listPath, options.separator);
    if (style.algorithm == nullptr) style.algorithm = options.algorithm;
    outcome.algorithm = style.algorithm;
    if (style.algorithm == nullptr) {
        outcome.status = AppendStatus::kNoAlgorithm;
        return outcome;
    }
    const std::u16string root = FullPath(folder);
    if (!bytes.empty() && !bytes.ends_with('\n')) bytes += style.crlf ? "\r\n" : "\n";
    std::size_t next = 0;
    const bool complete = HashFilesInOrder(
        [&](FileToHash& file) {
            if (next == files.size()) return false;
            file = {files[next++], style.algorithm};
            return true;
        },
        [&](HashedFile& hashed) {
            ReadFailure failure = hashed.result.failure;
            if (hashed.result.outcome == FileDigestOutcome::kDigest) {
                const std::string line = LineFor(style, options.separator, hashed.result.digest,
                                                 NameInList(hashed.path, root, style.naming));
                bytes += line;
                if (!line.empty()) {
                    ++outcome.added;
                    return;
                }
            }
            outcome.unread.push_back({hashed.path, failure});
        },
        OrderedHashOptions{options.workers, options.cancel, options.progress, {}});
    if (!complete) {
        outcome.status = AppendStatus::kCancelled;
        return outcome;
    }
    if (outcome.added > 0) {
        outcome.saveFailure = ReplaceFileContents(listPath, bytes);
        if (outcome.saveFailure != WriteFailure::kNone) {
            outcome.status = AppendStatus::kNotSaved;
            return outcome;
        }
        outcome.staleSignature = DetachedSignatureOf(listPath);
    }
    outcome.status = AppendStatus::kAdded;
    return outcome;
}

}  // namespace tessik
