#include "ui/rules/verify_window_rules.h"

#include "lists/algorithm_choice.h"
#include "platform/path_encoding.h"
#include "ui/rules/main_commands.h"
#include "ui/rules/text_pattern.h"

namespace tessik {
namespace {

// A message names at most this many files; a line with an ellipsis stands for the others.
constexpr std::size_t kFilesNamed = 10;

std::u16string FileLines(const std::vector<UnreadFile>& files) {
    std::u16string lines;
    for (std::size_t i = 0; i < files.size() && i < kFilesNamed; ++i) {
        lines += u'\n' + files[i].path;
    }
    if (files.size() > kFilesNamed) lines += u"\n\u2026";
    return lines;
}

}  // namespace

CheckNote NoteOfCheck(const ListRunEnding& ending, const ListCounts& counts, bool folderSettled) {
    if (ending.openFailure != ReadFailure::kNone) return CheckNote::kOpenFailure;
    if (ending.listReadFailed) return CheckNote::kReadFailure;
    if (!ending.stopped && counts.ok + counts.failed + counts.missing + counts.unreadable == 0) {
        return CheckNote::kNoEntries;
    }
    if (!ending.namesFolder.empty() && !folderSettled) return CheckNote::kOfferFolder;
    return CheckNote::kNone;
}

std::optional<std::u16string> MessageOfNote(CheckNote note, const ListRunEnding& ending,
                                            const std::u16string& listPath, const ListText& text,
                                            const ReadFailureTexts& failures) {
    switch (note) {
        case CheckNote::kOpenFailure:
            return WithSubject(failures.Message(ending.openFailure), listPath);
        case CheckNote::kReadFailure:
            return WithSubject(failures.Message(ReadFailure::kIoError), listPath);
        case CheckNote::kNoEntries:
            return WithSubject(text(ListMemberText::kNoEntries), listPath);
        case CheckNote::kOfferFolder:
        case CheckNote::kNone:
            break;
    }
    return std::nullopt;
}

std::u16string NewFilesCounts(const ListCounts& counts,
                              std::optional<std::size_t> foldersNotSearched, const ListText& text) {
    constexpr std::u16string_view kSeparator = u" \u2013 ";
    std::u16string more = std::u16string(kSeparator) +
                          FillIn(text(ListMemberText::kNewCount), {NumberText(counts.newFiles)});
    if (foldersNotSearched.value_or(0) > 0) {
        more += std::u16string(kSeparator) + FillIn(text(ListMemberText::kFoldersNotSearched),
                                                    {NumberText(*foldersNotSearched)});
    }
    return more;
}

ListToCheck CheckOf(const VerifySubject& subject, const AlgorithmInfo& chosen, bool findNew) {
    ListToCheck check;
    check.path = subject.listPath;
    check.separator = subject.separator;
    check.listFolder = subject.folder;
    check.ofList = &chosen;
    check.sfvList = IsSfvListName(subject.listPath);
    check.findNew = findNew;
    check.lookForNamesFolder = !subject.folderSettled;
    return check;
}

std::optional<FilesToAdd> AddingOf(const VerifySubject& subject, const ListTable& table,
                                   const AlgorithmInfo& chosen) {
    FilesToAdd add;
    for (std::size_t row = 0; row < table.Size(); ++row) {
        if (table.Row(row).status == RowStatus::kNew) {
            add.files.push_back(subject.folder + FromNativePath(table.Row(row).name));
        }
    }
    if (add.files.empty()) return std::nullopt;
    add.listPath = subject.listPath;
    add.folder = subject.folder;
    add.separator = subject.separator;
    add.algorithm = &chosen;
    return add;
}

std::optional<AddingReport> ReportOfAdding(const AppendOutcome& outcome,
                                           const std::u16string& listPath, const ListText& text,
                                           const ReadFailureTexts& failures,
                                           const MainMessageTexts& messages) {
    switch (outcome.status) {
        case AppendStatus::kAdded: {
            AddingReport report;
            report.text = FillIn(text(ListMemberText::kFilesAdded), {NumberText(outcome.added)});
            if (!outcome.unread.empty()) {
                report.text +=
                    u"\n\n" + text(ListMemberText::kNotAdded) + FileLines(outcome.unread);
            }
            if (!outcome.staleSignature.empty()) {
                report.text += u"\n\n" + text(ListMemberText::kStaleSignature) + u'\n' +
                               outcome.staleSignature;
            }
            report.warns = !outcome.unread.empty() || !outcome.staleSignature.empty();
            // Once lines were added, they show as entries.
            report.checkAgain = outcome.added > 0;
            return report;
        }
        case AppendStatus::kListUnreadable:
            return AddingReport{WithSubject(failures.Message(outcome.readFailure), listPath)};
        case AppendStatus::kClearSigned:
            return AddingReport{WithSubject(text(ListMemberText::kClearSignedList), listPath)};
        case AppendStatus::kNoAlgorithm:
            return AddingReport{WithSubject(text(ListMemberText::kNoAlgorithm), listPath)};
        case AppendStatus::kCancelled:
            break;
        case AppendStatus::kNotSaved:
            return AddingReport{WithSubject(
                text(ListMemberText::kListNotSaved),
                listPath + u"\n\n" + messages[WriteFailureMessage(outcome.saveFailure)])};
    }
    return std::nullopt;
}

}  // namespace tessik
