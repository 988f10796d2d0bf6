// The walker's filters on any file name and any filters: the name test is a plain
// case-blind substring test, the extension test is the first occurrence of the name's
// extension in the filter, beginning with its dot and ending at ';' or at the end, and neither
// depends on ASCII letter case or on items being written "*.ext" instead of ".ext".

#include <cstdint>
#include <iterator>
#include <string>

#include "folder/directory_walker.h"
#include "platform/path_utilities.h"
#include "fuzz_support.h"

namespace tessik::fuzz {
namespace {

bool Matches(const std::u16string& name, bool isFolder, const std::u16string& nameFilter,
             const std::u16string& extensionFilter) {
    WalkOptions options;
    options.nameFilter = nameFilter;
    options.extensionFilter = extensionFilter;
    return DirectoryWalker(options).EntryMatches({name, isFolder});
}

// The extension rule in its own words, for names whose extension holds no ';'.
bool ExtensionRule(const std::u16string& name, const std::u16string& filter) {
    const std::u16string f = AsciiLower(filter);
    const std::u16string e = LowerExtensionOf(name);
    const std::size_t p = f.find(e);
    if (p == std::u16string::npos || p == f.size() || f[p] != u'.') return false;
    const std::size_t end = p + (e.empty() ? 1 : e.size());
    return end == f.size() || f[end] == u';';
}

// Upper-case letters lowered and lower-case ones raised, ASCII only.
std::u16string SwapAsciiCase(std::u16string text) {
    for (char16_t& unit : text) {
        if (unit >= u'a' && unit <= u'z') {
            unit = static_cast<char16_t>(unit - 32);
        } else if (unit >= u'A' && unit <= u'Z') {
            unit = static_cast<char16_t>(unit + 32);
        }
    }
    return text;
}

// ".jpg;.png" becomes "*.jpg;*.png".
std::u16string Starred(const std::u16string& filter) {
    std::u16string starred;
    for (std::size_t i = 0; i < filter.size(); ++i) {
        if (filter[i] == u'.' && (i == 0 || filter[i - 1] == u';')) starred += u'*';
        starred += filter[i];
    }
    return starred;
}

void Check(const std::u16string& name, bool isFolder, const std::u16string& nameFilter,
           const std::u16string& extensionFilter) {
    const bool matches = Matches(name, isFolder, nameFilter, extensionFilter);
    if (isFolder || name.empty() || name.front() == u'.') {
        Require(!matches, "folders and dot names never match");
        return;
    }
    const bool nameTest =
        nameFilter == u"*" || AsciiLower(name).find(AsciiLower(nameFilter)) != std::u16string::npos;
    const bool extensionTest = extensionFilter == u"*" || ExtensionRule(name, extensionFilter);
    if (LowerExtensionOf(name).find(u';') == std::u16string::npos) {
        Require(matches == (nameTest && extensionTest), "both filters as their rules say");
    }
    Require(Matches(SwapAsciiCase(name), false, SwapAsciiCase(nameFilter),
                    SwapAsciiCase(extensionFilter)) == matches,
            "ASCII letter case never matters");
    // A name without extension looks for a lone "." item, which a star would hide.
    if (extensionFilter != u"*" && !ExtensionOf(name).empty() &&
        name.find_first_of(u"*;") == std::u16string::npos) {
        Require(Matches(name, false, nameFilter, Starred(extensionFilter)) == matches,
                "*.ext items work as .ext items");
    }
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool isFolder = input.ConsumeIntegralInRange<int>(0, 15) == 0;
    // Short texts over a small alphabet meet the interesting cases far more often than
    // arbitrary UTF-16; one of each three texts is arbitrary.
    const auto text = [&input](std::size_t maxUnits) {
        if (input.ConsumeIntegralInRange<int>(0, 2) == 0) {
            return tessik::fuzz::ConsumeUtf16(input, maxUnits);
        }
        static constexpr char16_t kAlphabet[] = u".;*aAbBtTxX\u00c4\u00e4";
        std::u16string result;
        const std::string picks = input.ConsumeRandomLengthString(maxUnits);
        for (char pick : picks) {
            result += kAlphabet[static_cast<unsigned char>(pick) % (std::size(kAlphabet) - 1)];
        }
        return result;
    };
    const std::u16string name = text(24);
    const std::u16string nameFilter = input.ConsumeBool() ? u"*" : text(8);
    const std::u16string extensionFilter = input.ConsumeBool() ? u"*" : text(24);
    tessik::fuzz::Check(name, isFolder, nameFilter, extensionFilter);
    return 0;
}
