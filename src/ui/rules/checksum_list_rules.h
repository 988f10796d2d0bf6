#pragma once
// What the windows decide about checksum lists without their widgets: whether a file is a list,
// which algorithm its window shows at first, what a drop onto the main window opens, and the
// patterns the list file dialog shows.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "platform/input_file.h"

namespace tessik {

// What the first lines of a file say about it as a checksum list.
struct ListPreview {
    ReadFailure failure = ReadFailure::kNone;
    std::size_t entries = 0;
    std::size_t malformed = 0;
    const AlgorithmInfo* tagged = nullptr;  // what the first entry names (AlgorithmOfLine)
    std::size_t digestBytes = 0;            // the first entry's digest length
};

// Looks at whole lines within the first kListPreviewBytes; the separator is that of the folder
// window's own lines.
inline constexpr std::size_t kListPreviewBytes = std::size_t{16} << 10;
ListPreview PreviewList(const std::u16string& path, std::string_view separator);

// Of algorithms a digest fits, the one the standard tools (md5sum, sha1sum, sha224sum ...
// sha512sum) make, when there is one; else null.
const AlgorithmInfo* StandardToolsAlgorithm(const std::vector<const AlgorithmInfo*>& fitting);

// A list by its name (".sha256", ".md5", ..., "SHA256SUMS": the names the algorithm choice
// knows), or by its first lines: at least one entry among them and nothing malformed.
bool IsRecognisablyAList(const std::u16string& path, const ListPreview& preview);

// The algorithm the list window shows at first: the one the list's name stands for, else the
// one the first entry names (its tag, or CRC-32 for an SFV line), else the main window's selection.
// When the first entry's length rules the selection out, the one algorithm of that length takes its
// place, or the one among them that the standard tools (md5sum, sha1sum, sha224sum ... sha512sum)
// make.
const AlgorithmInfo& InitialListAlgorithm(const std::u16string& path, const ListPreview& preview,
                                          int mainSelection);

// The list file dialog's filter: the description with every name a list of the catalogue's
// algorithms may have ("*.md5;*.sha256;...;*SUMS"), then the filter for all files, in the
// "description|pattern|...||" form of the language files.
std::u16string ChecksumListFilter(std::u16string_view description, std::u16string_view allFiles);

// What files dropped onto the main window open.
enum class DropAction {
    kNone,
    kFileName,      // one file, into the file name field
    kVerifyList,    // one file that is a list, in the verify window
    kFolderWindow,  // one folder, in the folder window
    kHashFiles,     // several, hashed in the list window
};
DropAction ActionForDrop(const std::vector<std::u16string>& paths, std::string_view separator);

}  // namespace tessik
