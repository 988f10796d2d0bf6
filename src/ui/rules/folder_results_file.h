#pragma once
// What the folder window's "Save results..." writes: the last run as a GNU, a BSD or an SFV
// checksum list, byte for byte as the tools that check such lists write theirs, with the names
// below the folder, so that the list checks from the folder (sha256sum -c, b3sum -c, xxhsum -c
// or rhash -c for the algorithms those tools have, the verify window for all); or the output
// field's text as shown, with the job's CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jobs/folder_run.h"

namespace tessik {

enum class ResultsFormat { kGnuList, kBsdList, kSfvList, kOutputAsShown };

// The formats the results fit, in the order the save dialog offers them. GNU and SFV lines name
// no algorithm, so they fit only a run of one (files that could not be read aside); SFV lines
// only one of 32-bit digests.
std::vector<ResultsFormat> FittingFormats(const std::vector<FolderResult>& results);

struct ResultsFile {
    std::string bytes;
    std::size_t leftOut = 0;  // files that could not be read, which a list has no line for
};

// In a format the results fit.
ResultsFile FormatResults(const std::vector<FolderResult>& results, ResultsFormat format,
                          std::u16string_view shownOutput);

// In the folder, named as the standard tools name their lists: "SHA256SUMS", "MD5SUMS"; a run of
// several algorithms "CHECKSUMS".
std::u16string SuggestedResultsPath(const std::u16string& folder,
                                    const std::vector<FolderResult>& results);

}  // namespace tessik
