#pragma once
// What the folder window decides without its widgets: the text a folder chosen in the browser
// puts into the folder field, whether a typed folder can be walked at all, the filters it keeps
// when it closes, and how the job's lines show in the output field.

#include <string>
#include <string_view>
#include <vector>

#include "ui/rules/folder_results_file.h"
#include "ui/rules/folder_window.h"

namespace tessik {

// The chosen folder with a separator at its end, so that the job's paths read folder + name; a
// folder that already ends with one (the root "/") keeps it as it is.
std::u16string FolderFieldText(std::u16string chosenFolder);

// Why a run over the typed folder would list nothing at all, said before it starts. An empty
// field is no problem: it walks the current folder.
enum class FolderProblem { kNone, kMissing, kIsFile };
FolderProblem ProblemWithFolder(const std::u16string& folder);

// An empty filter is kept as "*", which lets every name through.
std::u16string StoredFilter(std::u16string filter);

// The job ends its lines with CR LF; the output field starts a new line at a line feed alone.
std::u16string WithLineFeeds(std::u16string_view text);

// The text that names a format in "Save results..."'s filter.
FolderMemberText ResultsFormatName(ResultsFormat format);

// The format of the filter entry the save dialog gave back; an entry it could not have given is
// read as the nearest one offered.
ResultsFormat ChosenResultsFormat(const std::vector<ResultsFormat>& offered, int filterEntry);

}  // namespace tessik
