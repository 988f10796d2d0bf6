#pragma once
// Reads a checksum list line by line from any source of bytes (a file, standard input, a
// string), so that a list of any length is verified as it is read. LF ends a line and a CR
// before it is dropped, so lists written on Windows read the same, and a UTF-8 byte-order mark
// that editors there put in front is passed over unless the reading is strict. Blank and comment
// lines are passed over; malformed ones are handed out with their numbers for the caller to count
// and report, and never end the reading. A line longer than any real entry is malformed and is
// skipped without being kept, so memory stays bounded whatever the input.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lists/checksum_line.h"

namespace tessik {

enum class ListReading {
    kLenient,  // lists from elsewhere read as their authors meant (see also ListedPath)
    kStrict,   // every byte as written
};

// Fills the buffer with up to `capacity` bytes: the count, 0 at the end, -1 on a read error.
using ListBytes = std::function<std::int64_t(char* buffer, std::size_t capacity)>;

struct ListLine {
    std::uint64_t number = 0;  // from 1
    ChecksumLine line;         // kEntry or kMalformed
};

class ChecksumListReader {
  public:
    // Twice the longest path the platform takes, escaped, with room for tag and digest.
    static constexpr std::size_t kMaxLineBytes = std::size_t{64} << 10;

    // The separator is that of the folder window's lines (see ParseChecksumLine). An SFV list is
    // one named so (IsSfvListName), or one found to hold a ';' comment, from there on.
    ChecksumListReader(ListBytes read, std::string separator,
                       ListReading reading = ListReading::kLenient, bool sfvList = false);

    // The next entry or malformed line. False at the end of the list or after a read error.
    bool Next(ListLine& line);
    bool ReadFailed() const { return readFailed_; }
    ListReading Reading() const { return reading_; }

  private:
    bool NextText(std::string& text);
    bool Refill();

    ListBytes read_;
    const std::string separator_;
    const ListReading reading_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool ended_ = false;
    bool readFailed_ = false;
    bool sfvList_;
    std::uint64_t number_ = 0;
};

// The bytes of a string, for lists held in memory.
ListBytes BytesOf(std::string text);

}  // namespace tessik
