#pragma once
// The decisions behind the main window's commands, free of any window so they can be tested
// alone: the text that is hashed, what a comparison says, which message names a read failure,
// the dropped path and where the first command-line argument goes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_engine.h"
#include "jobs/list_search_run.h"
#include "lists/list_finder.h"
#include "platform/input_file.h"
#include "settings/application_settings.h"
#include "settings/read_failure_words.h"
#include "ui/rules/main_message_texts.h"
#include "ui/rules/main_window.h"
#include "ui/rules/signature_text.h"

namespace tessik {

// The multi-line field keeps its lines apart with U+2029 in its raw text; each line end is
// hashed as CR LF or LF, as chosen. Every other unit, a no-break space or U+2028 too, is hashed
// as typed.
std::u16string WithLineBreaks(const std::u16string& rawFieldText, TypedLineEnds lineEnds);

// What the expected field holds: a digest, or a whole checksum line pasted from a list (GNU,
// BSD or the folder window's own, with its separator), whose digest is compared and whose file
// the message names. Taken without the white space around it, as it comes when pasted from a
// listing or a web page; inside it nothing is trimmed.
struct ExpectedValue {
    std::u16string digest;    // as written, so that the letter case still counts when asked to
    std::u16string fileName;  // empty unless a line named one
};
ExpectedValue ExpectedFromField(const std::u16string& field, std::u16string_view separator);

// An empty result matches nothing. An expected value made of hexadecimal digits that no digest
// of the algorithm has as many of is said to be of the wrong length rather than different, and
// one with other characters is no digest at all.
enum class CompareOutcome { kNoResult, kIdentical, kDifferent, kWrongLength, kNotADigest };
CompareOutcome CompareDigests(const std::u16string& result, const std::u16string& expected,
                              bool caseSensitive, std::size_t digestBytes);

// What Compare says of the result and the expected field, in the words of the language in use;
// the file a pasted checksum line names follows on a line of its own.
struct CompareMessage {
    std::u16string text;
    bool identical = false;
};
CompareMessage MessageOfCompare(const std::u16string& result, const std::u16string& expectedField,
                                bool caseSensitive, const AlgorithmInfo& algorithm,
                                std::u16string_view separator, const MainMessageTexts& texts);

// The algorithm of an entry a list beside a hashed file holds for it: the one its tag or the
// list's name says, else the chosen one where the digest fits it, else, of several it fits, the
// one the standard tools make; null when that leaves none.
const AlgorithmInfo* AlgorithmOfFoundEntry(const FoundEntry& entry);

// Where the expected value came from, for the comparison's message: the list and its line, and
// what became of the list's signature when it has one.
std::u16string FoundEntryText(const FoundEntry& entry, const MainMessageTexts& texts,
                              const ListText& listTexts);

// Nothing but the blanks a field holds before anything is typed or pasted into it, or around
// what is pasted.
bool IsBlankField(std::u16string_view field);

// What the main window does with an entry a list beside the hashed file holds for it: nothing
// unless the window still shows that file's digest with the algorithm searched for and nothing
// has been typed as expected meanwhile; then it compares with the entry's digest when the entry
// is for that algorithm, or offers the entry's algorithm.
enum class FoundEntryUse { kNone, kCompare, kOfferAlgorithm };
struct MainWindowMoment {
    bool hashing = false;
    bool resultShown = false;
    std::u16string shownFile;  // whose digest is shown; empty for the string's
    const AlgorithmInfo* chosen = nullptr;
    bool expectedBlank = true;
};
FoundEntryUse UseOfFoundEntry(const ListSearch& search, const FoundEntry& entry,
                              const MainWindowMoment& now);

// The question that offers the algorithm of a list's entry, naming the list.
std::u16string OfferListAlgorithmQuestion(const AlgorithmInfo& listed, const FoundEntry& entry,
                                          const MainMessageTexts& texts);

// A message about a path or an address names it on a line of its own.
std::u16string WithSubject(std::u16string_view message, std::u16string_view subject);

// What the close box says of the save: nothing when all went well; else why the settings could
// not be saved, or that the file read at start (unreadable, with its cause, or damaged) was kept
// aside under its new name.
std::optional<std::u16string> SettingsSaveMessage(const SettingsSave& saved,
                                                  const std::u16string& path,
                                                  const LoadResult& load,
                                                  const MainMessageTexts& texts,
                                                  const ReadFailureTexts& failures);

// What "Compare with file..." says: whether the digest shown and the file's are identical,
// naming both (the shown one's file, or the string typed when `shownFile` is empty).
CompareMessage MessageOfFileCompare(const Digest& shown, const Digest& other,
                                    const std::u16string& shownFile,
                                    const std::u16string& otherFile, const MainMessageTexts& texts);

// The message that says why a file could not be written.
MainMemberText WriteFailureMessage(WriteFailure failure);

// A dropped name longer than this many units is cut to it.
inline constexpr std::size_t kMaxDroppedPathUnits = 2046;
std::u16string CutDroppedPath(std::u16string path);

// The first command-line argument goes into the file name field when it names an existing
// file and into the string field otherwise (a folder or plain text).
enum class ArgumentField { kFileName, kString };
ArgumentField FieldForArgument(const std::u16string& argument);

}  // namespace tessik
