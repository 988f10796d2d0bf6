#include "settings/read_failure_words.h"

#include "settings/language_catalogue.h"

namespace tessik {
namespace {

constexpr ReadFailureWords kWords[] = {
    {ReadFailure::kMissing,
     "No such file or directory",
     {"FrmMain.m_acMFileMissing", u"This file does not exist:"},
     {"FrmList.m_acMStatusMissing", u"missing"}},
    {ReadFailure::kFolder,
     "Is a directory",
     {"FrmMain.m_acMFileIsFolder", u"This is a folder, not a file:"},
     {"FrmList.m_acMStatusFolder", u"unreadable: a folder"}},
    {ReadFailure::kNotRegularFile,
     "Not a regular file",
     {"FrmMain.m_acMFileNotRegular", u"This is no regular file but a device, a pipe or a socket:"},
     {"FrmList.m_acMStatusNotRegular", u"unreadable: a device, pipe or socket"}},
    {ReadFailure::kPermissionDenied,
     "Permission denied",
     {"FrmMain.m_acMFilePermissionDenied", u"You are not allowed to read this file:"},
     {"FrmList.m_acMStatusDenied", u"unreadable: not allowed"}},
    {ReadFailure::kIoError,
     "Input/output error",
     {"FrmMain.m_acMFileReadError", u"This file could not be read to its end (a read error):"},
     {"FrmList.m_acMStatusReadError", u"unreadable: read error"}},
    {ReadFailure::kLinkLoop,
     "Too many levels of symbolic links",
     {"FrmMain.m_acMFileLinkLoop", u"This path leads round in a loop of symbolic links:"},
     {"FrmList.m_acMStatusLinkLoop", u"unreadable: a loop of links"}},
    {ReadFailure::kPathThroughFile,
     "Not a directory",
     {"FrmMain.m_acMFilePathThroughFile", u"A part of this path is a file, not a folder:"},
     {"FrmList.m_acMStatusPathThroughFile", u"unreadable: a file in the path"}},
    {ReadFailure::kNameTooLong,
     "File name too long",
     {"FrmMain.m_acMFileNameTooLong", u"This name is longer than the system allows:"},
     {"FrmList.m_acMStatusNameTooLong", u"unreadable: name too long"}},
};

// The row of any cause the table lacks: a read error.
constexpr std::size_t kReadErrorRow = 4;
static_assert(kWords[kReadErrorRow].failure == ReadFailure::kIoError);

std::size_t RowOf(ReadFailure failure) {
    for (std::size_t row = 0; row < std::size(kWords); ++row) {
        if (kWords[row].failure == failure) return row;
    }
    return kReadErrorRow;
}

}  // namespace

std::span<const ReadFailureWords> ReadFailureTable() {
    return kWords;
}

const ReadFailureWords& WordsFor(ReadFailure failure) {
    return kWords[RowOf(failure)];
}

ReadFailureTexts::ReadFailureTexts(const std::u16string& languageFile) {
    static_assert(std::size(kWords) == kCauses);
    KeyValueDocument document = LoadLanguageFile(languageFile);
    for (std::size_t row = 0; row < kCauses; ++row) {
        messages_[row] = translate(document, kWords[row].message.key, kWords[row].message.english);
        statuses_[row] = translate(document, kWords[row].status.key, kWords[row].status.english);
    }
}

const std::u16string& ReadFailureTexts::Message(ReadFailure failure) const {
    return messages_[RowOf(failure)];
}

const std::u16string& ReadFailureTexts::Status(ReadFailure failure) const {
    return statuses_[RowOf(failure)];
}

}  // namespace tessik
