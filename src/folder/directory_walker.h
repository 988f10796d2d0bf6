#pragma once
// Lists every file below one folder, one entry per call, so that the caller can do its own
// work and look at its stop flag between any two steps. Depth-first, in the order the platform
// lists each folder (a folder's contents come at the place of its entry), with an explicit
// stack of open searches instead of recursion, so any depth the system's paths reach is walked.
// Only files are reported, never folders; folders that cannot be listed are named with their
// causes.

#include <cstddef>
#include <string>
#include <vector>

#include "platform/directory_search.h"

namespace tessik {

// A folder the walk could not list, and why; it was passed over as if empty.
struct UnopenedFolder {
    std::u16string path;  // as the walk's paths start, without a trailing separator
    ReadFailure cause = ReadFailure::kNone;
    bool operator==(const UnopenedFolder&) const = default;
};

struct WalkOptions {
    bool recurse = false;
    // Reported paths start with it as given; a missing trailing separator is supplied. Empty:
    // the current folder, and the reported paths are bare names.
    std::u16string rootFolder;
    // "*": no test. Otherwise a plain text the file name must contain, ASCII case ignored.
    std::u16string nameFilter = u"*";
    // "*": no test. Otherwise extensions with their dots, separated by ';' (".jpg;.png";
    // "*.jpg;*.png" works the same). A lone "." item first admits names without extension.
    std::u16string extensionFilter = u"*";
    // Files whose name starts with '.' are reported too. The folder window leaves them out; a
    // checksum list of a tree must not.
    bool dotFiles = false;
};

class DirectoryWalker {
  public:
    explicit DirectoryWalker(const WalkOptions& options);

    // Starts the walk and takes its first step. False when the root cannot be listed.
    bool FindFirst(std::u16string& path);
    // Takes the next step. False when the walk is complete.
    // Both set path to the step's file, or leave it empty when the step reported nothing (a
    // folder entry, a file the filters reject, the end of a sub-folder); the caller goes on.
    bool FindNext(std::u16string& path);
    // Folders of this walk, the root included (named as given, "." when empty), that could not
    // be listed (access denied, gone meanwhile, a path longer than the system takes), in the
    // order the walk came to them; a caller that reports as it goes reads those added since its
    // last step. A folder skipped because the walk is already inside it (a link back up) is not
    // among them.
    const std::vector<UnopenedFolder>& UnopenedFolders() const { return unopened_; }
    std::size_t FoldersNotOpened() const { return unopened_.size(); }

    // Folders never match, nor names starting with '.' unless asked for; then the extension and
    // name filters.
    bool EntryMatches(const DirectoryEntry& entry) const;

  private:
    struct Level {
        DirectorySearch search;
        std::size_t folderLength = 0;  // length of folder_ while this level is read
    };

    bool NextEntry(DirectoryEntry& entry);
    bool OpenTopLevel();
    bool CloseTopLevel();
    void HandleEntry(const DirectoryEntry& entry, std::u16string& path);
    bool ExtensionPasses(const std::u16string& name) const;

    bool recurse_;
    bool dotFiles_;
    std::u16string rootName_;  // how the root is named when it cannot be listed
    std::u16string root_;
    std::u16string nameFilter_;       // ASCII-lowered
    std::u16string extensionFilter_;  // ASCII-lowered
    std::u16string folder_;           // the folder being read, with its trailing separator
    std::vector<Level> levels_;       // the open searches, the root's first
    std::vector<UnopenedFolder> unopened_;
};

}  // namespace tessik
