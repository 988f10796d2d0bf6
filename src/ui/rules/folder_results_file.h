#pragma once
// What the folder window's "Save results..." writes: the last run as a GNU or a BSD checksum
// list, byte for byte as the standard tools write theirs, with the names below the folder, so
// that the list checks from the folder (sha256sum -c for the algorithms those tools have, the
// verify window for all); or the output field's text as shown, with the job's CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/folder_run.h"

namespace tessik {

enum class ResultsFormat { kGnuList, kBsdList, kOutputAsShown };

struct ResultsFile {
    // A GNU line names no algorithm: a run that used several cannot be one list of them.
    bool severalAlgorithms = false;
    std::string bytes;
    std::size_t leftOut = 0;  // files that could not be read, which a list has no line for
};

ResultsFile FormatResults(const std::vector<FolderResult>& results, ResultsFormat format,
                          std::u16string_view shownOutput);

// In the folder, named as the standard tools name their lists: "SHA256SUMS", "MD5SUMS".
std::u16string SuggestedResultsPath(const std::u16string& folder,
                                    const std::vector<FolderResult>& results);

}  // namespace tessik
