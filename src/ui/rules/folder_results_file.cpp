#include "ui/rules/folder_results_file.h"

#include <algorithm>

#include "lists/checksum_writer.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/text_conversion.h"
#include "ui/rules/folder_window_rules.h"

namespace tessik {
namespace {

// The field shows the job's lines with line feeds alone; names keep their bytes.
std::string AsShown(std::u16string_view text) {
    std::u16string withCrLf;
    withCrLf.reserve(text.size() + text.size() / 32);
    for (char16_t unit : text) {
        if (unit == u'\n') withCrLf += u'\r';
        withCrLf += unit;
    }
    return ToNativePath(withCrLf);
}

}  // namespace

ResultsFile FormatResults(const std::vector<FolderResult>& results, ResultsFormat format,
                          std::u16string_view shownOutput) {
    ResultsFile file;
    if (format == ResultsFormat::kOutputAsShown) {
        file.bytes = AsShown(shownOutput);
        return file;
    }
    LineFormat line;
    line.style = format == ResultsFormat::kBsdList ? LineStyle::kBsd : LineStyle::kGnu;
    const AlgorithmInfo* listed = nullptr;
    for (const FolderResult& result : results) {
        if (result.digest.empty()) {
            ++file.leftOut;
            continue;
        }
        if (listed == nullptr) listed = result.algorithm;
        if (line.style == LineStyle::kGnu && result.algorithm != listed) return {true, {}, 0};
        file.bytes += FormatChecksumLine(line, result.algorithm->listTag, result.digest,
                                         ToListName(result.relativePath));
    }
    return file;
}

std::u16string SuggestedResultsPath(const std::u16string& folder,
                                    const std::vector<FolderResult>& results) {
    const AlgorithmInfo* algorithm = results.empty() ? nullptr : results.front().algorithm;
    const std::u16string tag =
        algorithm != nullptr ? FromUtf8(std::string(algorithm->listTag)) : u"";
    return FolderFieldText(FullPath(folder.empty() ? u"." : folder)) + tag + u"SUMS";
}

}  // namespace tessik
