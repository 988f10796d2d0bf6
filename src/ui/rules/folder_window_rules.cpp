#include "ui/rules/folder_window_rules.h"

#include "platform/path_utilities.h"
#include "platform/path_encoding.h"

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

}  // namespace tessik
