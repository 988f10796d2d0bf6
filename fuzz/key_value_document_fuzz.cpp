// Any bytes, read as a data file in either layout: parsing and every getter stay inside the
// text, a parsed settings file writes back to itself, and a value written is read back up to
// its own closing marker.

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "settings/key_value_document.h"

namespace tessik::fuzz {
namespace {

void ReadEverything(KeyValueDocument& document, const std::string& key) {
    document.getString(key, "default");
    document.getInt(key, -3);
    document.getBool(key, true);
    const std::size_t textSize = document.serialize().size();
    std::size_t previous = document.cursor();
    // Every hit moves the cursor forward, so this walk ends within the body.
    while (!document.getNext(key).empty() || document.cursor() != previous) {
        Require(document.cursor() > previous, "getNext moves forward");
        Require(document.cursor() <= textSize, "cursor stays inside the body");
        previous = document.cursor();
    }
}

void CheckParsedText(DocumentLayout layout, const std::string& text, const std::string& key) {
    KeyValueDocument document(layout);
    const bool parsed = document.parse(text);
    Require(layout == DocumentLayout::Xml || parsed, "plain text always parses");
    if (parsed) {
        const std::string written = document.serialize();
        KeyValueDocument reread(layout);
        Require(reread.parse(written), "a parsed document parses again");
        Require(reread.serialize() == written, "a parsed document writes back to itself");
        Require(reread.rootName() == document.rootName(), "the root name survives");
    }
    ReadEverything(document, key);
}

void CheckWrittenEntry(DocumentLayout layout, const std::string& key, const std::string& value) {
    KeyValueDocument document(layout);
    document.setString(key, value);
    const std::string closing = layout == DocumentLayout::Xml ? "</" + key + ">" : "\"";
    // The value ends at the first closing marker, which may begin inside it.
    const std::string tail = value + closing;
    const std::string expected = tail.substr(0, tail.find(closing));
    const std::string read = document.getString(key, "\x01");
    Require(read == (expected.empty() ? "\x01" : expected), "a value reads back to its marker");
    document.clear();
    Require(document.getString(key, "\x02") == "\x02", "a cleared document is empty");
}

}  // namespace
}  // namespace tessik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessik;
    FuzzedDataProvider input(data, size);
    const DocumentLayout layout = input.ConsumeBool() ? DocumentLayout::Xml : DocumentLayout::Plain;
    const std::string key = input.ConsumeRandomLengthString(32);
    const std::string value = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();
    fuzz::CheckParsedText(layout, text, key);
    fuzz::CheckWrittenEntry(layout, key, value);
    return 0;
}
