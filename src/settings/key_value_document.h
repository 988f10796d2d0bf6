#pragma once
// The in-memory form of every data file the program keeps: a flat list of key/value entries in
// UTF-8, written either as an XML-looking frame with one element per entry (the settings file)
// or as one key="value" line per entry (everything else). It is deliberately not a parser:
// entries are found by plain substring search, values are kept verbatim, and writes append, so
// the files stay byte for byte what earlier versions wrote and read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/input_file.h"

namespace tessik {

enum class DocumentLayout { Xml, Plain };

// What a load found.
enum class LoadOutcome {
    kLoaded,      // the whole file, read and parsed
    kMissing,     // no file by that name
    kEmpty,       // a file of no bytes
    kUnreadable,  // a file that could not be read: nothing was taken from it
    kDamaged,     // read, but its frame is broken or it is larger than the cap: the entries it
                  // still holds whole were taken
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::kMissing;
    ReadFailure failure = ReadFailure::kNone;  // why, with kUnreadable
    bool loaded() const { return outcome == LoadOutcome::kLoaded; }
};

class KeyValueDocument {
  public:
    // Data files are a few dozen lines: of a larger file only this much is read.
    static constexpr std::uint64_t kMaxFileBytes = 16u << 20;

    explicit KeyValueDocument(DocumentLayout layout);

    // A file that is missing, empty or unreadable leaves the document as it was; a damaged one
    // gives the entries it still holds whole.
    LoadResult load(const std::u16string& path);
    // Replaces the file whole: the old file stays intact unless the new one is complete. With
    // `keepOldAs`, an old file is moved there first (see ReplaceFileContents).
    WriteFailure save(const std::u16string& path, const std::u16string& keepOldAs = {}) const;

    // False when an Xml text has no whole frame; the body is then the text after the root's
    // opening tag (all of it without one), so the entries in it can still be found.
    bool parse(std::string_view text);
    std::string serialize() const;

    // Lookups from the start of the body; a missing entry or an empty value gives the default.
    std::string getString(std::string_view key, std::string_view defaultValue);
    int getInt(std::string_view key, int defaultValue);
    bool getBool(std::string_view key, bool defaultValue);
    // Lookup from just after the entry the last successful lookup found; empty on a miss.
    std::string getNext(std::string_view key);

    // Each appends one entry; setting a key twice leaves two entries.
    void setString(std::string_view key, std::string_view value);
    void setInt(std::string_view key, int value);
    void setBool(std::string_view key, bool value);

    void clear();

    DocumentLayout layout() const { return layout_; }
    const std::string& rootName() const { return rootName_; }
    std::size_t cursor() const { return cursor_; }

  private:
    // The value of the first entry whose opening marker lies at or after `start`; moves the
    // cursor past that entry. The view lives until the body changes.
    std::optional<std::string_view> lookup(std::string_view key, std::size_t start);
    // Lookup from the start; an empty value counts as missing.
    std::optional<std::string_view> nonEmptyValue(std::string_view key);
    void setRootName(std::string_view name);

    DocumentLayout layout_;
    std::string rootName_;
    std::string header_;
    std::string footer_;
    std::string body_;
    std::size_t cursor_ = 0;
};

}  // namespace tessik
