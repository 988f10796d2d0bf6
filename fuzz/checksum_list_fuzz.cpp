// The checksum-list reader on any bytes: it ends, numbers lines in order, hands out only entries
// whose digest some algorithm has, reads the same however its source cuts the bytes, and every
// entry written back as a GNU or a BSD line reads back as it was.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "lists/checksum_list_reader.h"
#include "lists/checksum_writer.h"

namespace tessik::fuzz {
namespace {

std::vector<ListLine> ReadAll(const std::string& list, std::size_t readSize) {
    std::size_t offset = 0;
    ChecksumListReader reader(
        [&](char* buffer, std::size_t capacity) -> std::int64_t {
            const std::size_t count = std::min({capacity, readSize, list.size() - offset});
            std::memcpy(buffer, list.data() + offset, count);
            offset += count;
            return static_cast<std::int64_t>(count);
        },
        "|");
    std::vector<ListLine> lines;
    for (ListLine line; reader.Next(line);) lines.push_back(std::move(line));
    return lines;
}

void CheckRoundTrip(const ChecksumLine& entry) {
    const auto catalogue = AlgorithmCatalogue();
    const AlgorithmInfo& tagged =
        entry.tagged != nullptr
            ? *entry.tagged
            : *std::find_if(catalogue.begin(), catalogue.end(), [&](const AlgorithmInfo& a) {
                  return a.digestBytes == entry.digest.size();
              });
    for (const LineStyle style : {LineStyle::kGnu, LineStyle::kBsd}) {
        std::string written =
            FormatChecksumLine({style, entry.binary}, tagged.listTag, entry.digest, entry.name);
        written.pop_back();
        const ChecksumLine read = ParseChecksumLine(written, "|");
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
    const std::vector<ListLine> cut = fuzz::ReadAll(list, readSize);
    fuzz::Require(cut.size() == lines.size(), "small reads find the same lines");
    for (std::size_t i = 0; i < cut.size(); ++i) {
        fuzz::Require(cut[i].number == lines[i].number && cut[i].line.name == lines[i].line.name &&
                          cut[i].line.digest == lines[i].line.digest,
                      "small reads read the same lines");
    }
    return 0;
}
