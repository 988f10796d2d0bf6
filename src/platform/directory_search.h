#pragma once
// One folder's listing, shaped after a find-first / find-next search: "." and ".." come first,
// then every other entry (hidden ones included) sorted by name, so a listing is the same from
// run to run and reads as a file manager shows it. The whole listing is taken when the search
// opens, so an open search holds no descriptor.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/input_file.h"

namespace tessik {

struct DirectoryEntry {
    std::u16string name;
    bool isFolder = false;  // links are followed: a link to a folder is a folder
};

// Identifies a folder however it was reached (through links or not).
struct FolderIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderIdentity&) const = default;
};

class DirectorySearch {
  public:
    // False when the path names no folder that can be listed whole; Failure() then says why.
    bool Open(const std::u16string& folder);
    // False when no entries are left.
    bool Next(DirectoryEntry& entry);
    void Close();
    bool IsOpen() const { return open_; }
    FolderIdentity Identity() const { return identity_; }
    // Why the last Open failed; kNone after one that succeeded.
    ReadFailure Failure() const { return failure_; }

  private:
    bool Failed(ReadFailure failure);
    // Takes the entries the system listed, "." and ".." left out, in listing order.
    void Keep(std::vector<DirectoryEntry> found);

    std::vector<DirectoryEntry> entries_;
    std::size_t position_ = 0;
    FolderIdentity identity_;
    bool open_ = false;
    ReadFailure failure_ = ReadFailure::kNone;
};

}  // namespace tessik
