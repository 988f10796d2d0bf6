// The checksum-list reader on any bytes: it ends, numbers lines in order, hands out only entries
// whose digest some algorithm has, reads the same however its source cuts the bytes, and every
// entry written back as a GNU, a BSD or an SFV line reads back as it was. Read leniently, a
// byte-order mark in front is all that is passed over: the list reads as a strict reading of what
// follows it, and a list without one reads as strictly. The signed text taken out of a clear-signed
// list is the same however its source cuts the bytes, and comes only from bytes seen to hold one.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "lists/checksum_list_reader.h"
#include "lists/checksum_writer.h"
#include "lists/clear_signed_text.h"

namespace tessik::fuzz {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The bytes, handed out at most `readSize` at a time.
ListBytes InPieces(const std::string& bytes, std::size_t readSize) {
    return [&bytes, readSize, offset = std::size_t{0}](char* buffer, std::size_t capacity) mutable {
        const std::size_t count = std::min({capacity, readSize, bytes.size() - offset});
        std::memcpy(buffer, bytes.data() + offset, count);
        offset += count;
        return static_cast<std::int64_t>(count);
    };
}

std::vector<ListLine> ReadAll(const std::string& list, std::size_t readSize,
                              ListReading reading = ListReading::kLenient) {
    ChecksumListReader reader(InPieces(list, readSize), "|", reading);
    std::vector<ListLine> lines;
    for (ListLine line; reader.Next(line);) lines.push_back(std::move(line));
    return lines;
}

std::string SignedText(const std::string& list, std::size_t readSize) {
    ListBytes text = SignedTextOf(InPieces(list, readSize));
    std::string all;
    char buffer[97];
    for (std::int64_t got; (got = text(buffer, sizeof buffer)) > 0;)
        all.append(buffer, static_cast<std::size_t>(got));
    return all;
}

bool SameLines(const std::vector<ListLine>& a, const std::vector<ListLine>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ListLine& x, const ListLine& y) {
                          return x.number == y.number && x.line.kind == y.line.kind &&
                                 x.line.name == y.line.name && x.line.digest == y.line.digest;
                      });
}

void CheckRoundTrip(const ChecksumLine& entry) {
    const auto catalogue = AlgorithmCatalogue();
    const AlgorithmInfo& tagged =
        entry.tagged != nullptr
            ? *entry.tagged
            : *std::find_if(catalogue.begin(), catalogue.end(), [&](const AlgorithmInfo& a) {
                  return a.digestBytes == entry.digest.size();
              });
    for (const LineStyle style : {LineStyle::kGnu, LineStyle::kBsd, LineStyle::kSfv}) {
        if (style == LineStyle::kSfv && !FitsSfv(tagged)) continue;
        std::string written =
            FormatChecksumLine({style, entry.binary}, tagged, entry.digest, entry.name);
        written.pop_back();
        const ChecksumLine read = ParseChecksumLine(written, "|", style == LineStyle::kSfv);
        Require(read.kind == LineKind::kEntry, "a written line reads as an entry");
        Require(read.name == entry.name, "a written name reads back unchanged");
        Require(read.digest == entry.digest, "a written digest reads back unchanged");
    }
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessik;
    if (size == 0) return 0;
    const std::size_t readSize = 1 + data[0] % 64;
    const std::string list(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<ListLine> lines = fuzz::ReadAll(list, list.size() + 1);
    const auto lineEnds = static_cast<std::uint64_t>(std::count(list.begin(), list.end(), '\n'));
    std::uint64_t previous = 0;
    for (const ListLine& line : lines) {
        fuzz::Require(line.number > previous && line.number <= lineEnds + 1,
                      "lines are numbered in order within the list");
        previous = line.number;
        if (line.line.kind != LineKind::kEntry) continue;
        fuzz::Require(!line.line.name.empty() && line.line.name.find('\0') == std::string::npos,
                      "an entry names a file");
        const auto catalogue = AlgorithmCatalogue();
        fuzz::Require(std::any_of(catalogue.begin(), catalogue.end(),
                                  [&](const AlgorithmInfo& a) {
                                      return a.digestBytes == line.line.digest.size();
                                  }),
                      "an entry's digest has the size of some algorithm's");
        fuzz::CheckRoundTrip(line.line);
    }
    fuzz::Require(fuzz::SameLines(fuzz::ReadAll(list, readSize), lines),
                  "small reads read the same lines");
    const std::vector<ListLine> strict = fuzz::ReadAll(list, list.size() + 1, ListReading::kStrict);
    fuzz::Require(list.starts_with(fuzz::kByteOrderMark) || fuzz::SameLines(strict, lines),
                  "without a byte-order mark, a lenient reading is a strict one");
    const std::string marked = std::string(fuzz::kByteOrderMark) + list;
    fuzz::Require(fuzz::SameLines(fuzz::ReadAll(marked, readSize), strict),
                  "a byte-order mark in front is passed over, and nothing else");
    const std::string text = fuzz::SignedText(list, list.size() + 1);
    fuzz::Require(fuzz::SignedText(list, readSize) == text,
                  "small reads take out the same signed text");
    fuzz::Require(text.empty() || HoldsClearSignedText(list),
                  "signed text comes only from what is seen to be clear-signed");
    return 0;
}
