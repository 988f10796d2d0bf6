#pragma once
// What the verify window decides once a run has ended, free of its widgets: what a finished
// check leaves to say, what the counts go on with, which files "Add new files to the list" adds,
// and what is said once they were added.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "jobs/append_run.h"
#include "jobs/list_run.h"
#include "settings/read_failure_words.h"
#include "ui/rules/checksum_list_table.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/signature_text.h"

namespace tessik {

// What a check that ended still has to tell the user, in this order of importance.
enum class CheckNote {
    kNone,
    kOpenFailure,  // the list could not be opened: nothing else is shown
    kReadFailure,  // it was cut short
    kNoEntries,    // it names no file
    kOfferFolder,  // its names seem to belong to the ending's namesFolder
};
// A folder the user settled is never offered again.
CheckNote NoteOfCheck(const ListRunEnding& ending, const ListCounts& counts, bool folderSettled);

// What the counts go on with after a check that looked for new files: how many, and once the run
// has ended (foldersNotSearched given), the folders the search could not list.
std::u16string NewFilesCounts(const ListCounts& counts,
                              std::optional<std::size_t> foldersNotSearched, const ListText& text);

// The files of the table's new rows, below the folder they were found in (ending with a
// separator), in the order shown.
std::vector<std::u16string> NewFilesOf(const ListTable& table, const std::u16string& folder);

// A message about the adding of new files, and whether the list is checked again.
struct AddingReport {
    std::u16string text;
    bool warns = true;
    bool checkAgain = false;
};
// Nothing for adding that was stopped.
std::optional<AddingReport> ReportOfAdding(const AppendOutcome& outcome,
                                           const std::u16string& listPath, const ListText& text,
                                           const ReadFailureTexts& failures,
                                           const MainMessageTexts& messages);

// A message about a file names it on a line of its own.
std::u16string MessageAbout(const std::u16string& message, const std::u16string& path);

}  // namespace tessik
