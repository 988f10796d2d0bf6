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

std::vector<ResultsFormat> FittingFormats(const std::vector<FolderResult>& results) {
    const AlgorithmInfo* one = nullptr;
    bool several = false;
    for (const FolderResult& result : results) {
        if (result.digest.empty()) continue;
        several =
            several || !result.alsoWith.empty() || (one != nullptr && result.algorithm != one);
        one = result.algorithm;
    }
    std::vector<ResultsFormat> formats;
    if (!several) formats.push_back(ResultsFormat::kGnuList);
    formats.push_back(ResultsFormat::kBsdList);
    if (!several && one != nullptr && FitsSfv(*one)) formats.push_back(ResultsFormat::kSfvList);
    formats.push_back(ResultsFormat::kOutputAsShown);
    return formats;
}

ResultsFile FormatResults(const std::vector<FolderResult>& results, ResultsFormat format,
                          std::u16string_view shownOutput) {
    ResultsFile file;
    if (format == ResultsFormat::kOutputAsShown) {
        file.bytes = AsShown(shownOutput);
        return file;
    }
    LineFormat line;
    line.style = format == ResultsFormat::kBsdList   ? LineStyle::kBsd
                 : format == ResultsFormat::kSfvList ? LineStyle::kSfv
                                                     : LineStyle::kGnu;
    for (const FolderResult& result : results) {
        if (result.digest.empty()) {
            ++file.leftOut;
            continue;
        }
        const std::string name = ToListName(result.relativePath);
        file.bytes += FormatChecksumLine(line, *result.algorithm, result.digest, name);
        for (std::size_t i = 0; i < result.alsoWith.size(); ++i) {
            file.bytes +=
                FormatChecksumLine(line, *result.alsoWith[i], result.alsoDigests[i], name);
        }
    }
    return file;
}

std::u16string SuggestedResultsPath(const std::u16string& folder,
                                    const std::vector<FolderResult>& results) {
    const FolderResult* first = results.empty() ? nullptr : &results.front();
    const std::u16string tag = first == nullptr ? u""
                               : !first->alsoWith.empty()
                                   ? u"CHECK"
                                   : FromUtf8(std::string(first->algorithm->listTag));
    return FolderFieldText(FullPath(folder.empty() ? u"." : folder)) + tag + u"SUMS";
}

}  // namespace tessik
