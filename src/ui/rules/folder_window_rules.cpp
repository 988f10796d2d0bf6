#include "ui/rules/folder_window_rules.h"

#include <algorithm>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"

namespace tessik {

std::u16string FolderFieldText(std::u16string chosenFolder) {
    if (!chosenFolder.empty() && !IsPathSeparator(chosenFolder.back())) {
        chosenFolder += kPathSeparator;
    }
    return chosenFolder;
}

FolderProblem ProblemWithFolder(const std::u16string& folder) {
    if (folder.empty() || DirectoryExists(folder)) return FolderProblem::kNone;
    return FileExists(folder) ? FolderProblem::kIsFile : FolderProblem::kMissing;
}

std::u16string StoredFilter(std::u16string filter) {
    return filter.empty() ? std::u16string(u"*") : filter;
}

std::u16string WithLineFeeds(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        out += text[i];
    }
    return out;
}

FolderMemberText ResultsFormatName(ResultsFormat format) {
    switch (format) {
        case ResultsFormat::kGnuList:
            return FolderMemberText::kGnuList;
        case ResultsFormat::kBsdList:
            return FolderMemberText::kBsdList;
        case ResultsFormat::kSfvList:
            return FolderMemberText::kSfvList;
        case ResultsFormat::kOutputAsShown:
            break;
    }
    return FolderMemberText::kOutputAsShown;
}

ResultsFormat ChosenResultsFormat(const std::vector<ResultsFormat>& offered, int filterEntry) {
    if (offered.empty()) return ResultsFormat::kOutputAsShown;
    return offered[static_cast<std::size_t>(
        std::clamp(filterEntry, 0, static_cast<int>(offered.size()) - 1))];
}

}  // namespace tessik
