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

// What the verify window checks: a list, whose names are looked up in a folder.
struct VerifySubject {
    std::u16string listPath;
    std::u16string folder;  // ending with a separator
    std::string separator;  // of the folder window's lines
    // The user picked the folder, or answered the offer of one: no folder is offered again.
    bool folderSettled = false;
};

// Lines that name no algorithm of their own are checked with the one chosen; a folder the user
// has not settled may be found to hold the names instead.
ListToCheck CheckOf(const VerifySubject& subject, const AlgorithmInfo& chosen, bool findNew);

// The new rows' files to add to the list: its own algorithm wins, the one chosen stands in for a
// list that does not tell it. Nothing when there are none.
std::optional<FilesToAdd> AddingOf(const VerifySubject& subject, const ListTable& table,
                                   const AlgorithmInfo& chosen);

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
// The message of a note that is one, naming the list; nothing for the others.
std::optional<std::u16string> MessageOfNote(CheckNote note, const ListRunEnding& ending,
                                            const std::u16string& listPath, const ListText& text,
                                            const ReadFailureTexts& failures);

// What the counts go on with after a check that looked for new files: how many, and once the run
// has ended (foldersNotSearched given), the folders the search could not list.
std::u16string NewFilesCounts(const ListCounts& counts,
                              std::optional<std::size_t> foldersNotSearched, const ListText& text);

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

}  // namespace tessik
