#include "settings/key_value_document.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

constexpr char kDeclarationLine[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

TEST(KeyValueDocument, WritesEachLayoutByteForByte) {
    KeyValueDocument empty(DocumentLayout::Xml);
    EXPECT_EQ(empty.serialize(), std::string(kDeclarationLine) + "<InitFile>\r\n</InitFile>\r\n");
    EXPECT_EQ(KeyValueDocument(DocumentLayout::Plain).serialize(), "");

    const struct {
        DocumentLayout layout;
        std::string expected;
    } cases[] = {
        {DocumentLayout::Xml, std::string(kDeclarationLine) + "<InitFile>\r\n"
                                                              "  <Algorithm>7</Algorithm>\r\n"
                                                              "  <Folder></Folder>\r\n"
                                                              "  <Neg>-12</Neg>\r\n"
                                                              "  <On>1</On>\r\n"
                                                              "  <Off>0</Off>\r\n"
                                                              "  <Raw>a<b \"q\" &amp;</Raw>\r\n"
                                                              "</InitFile>\r\n"},
        {DocumentLayout::Plain,
         "Algorithm=\"7\"\r\n"
         "Folder=\"\"\r\n"
         "Neg=\"-12\"\r\n"
         "On=\"1\"\r\n"
         "Off=\"0\"\r\n"
         "Raw=\"a<b \"q\" &amp;\"\r\n"},
    };
    for (const auto& c : cases) {
        KeyValueDocument doc(c.layout);
        doc.setInt("Algorithm", 7);
        doc.setString("Folder", "");
        doc.setInt("Neg", -12);
        doc.setBool("On", true);
        doc.setBool("Off", false);
        doc.setString("Raw", "a<b \"q\" &amp;");
        EXPECT_EQ(doc.serialize(), c.expected);
    }
}

TEST(KeyValueDocument, GettersTreatEmptyAsMissingAndReadNumbersLeniently) {
    for (DocumentLayout layout : {DocumentLayout::Xml, DocumentLayout::Plain}) {
        KeyValueDocument doc(layout);
        const struct {
            const char* key;
            const char* value;
            int asInt;
            bool asBool;
        } cases[] = {
            {"Digits", "12ab", 12, false},
            {"Word", "ab", 0, false},
            {"Neg", "-3", -3, false},
            {"One", "1", 1, true},
            {"Zero1", "01", 1, true},
            {"Two", "2", 2, false},
            {"MinusOne", "-1", -1, false},
            {"Spaced", " \t+1", 1, true},
            {"Zero", "0", 0, false},
            {"Sign", "-", 0, false},
            {"Big", "99999999999", 2147483647, false},
            {"Small", "-99999999999", -2147483647 - 1, false},
            {"Wrap", "4294967297", 2147483647, false},
        };
        for (const auto& c : cases) doc.setString(c.key, c.value);
        doc.setString("Empty", "");
        for (const auto& c : cases) {
            EXPECT_EQ(doc.getInt(c.key, 55), c.asInt) << c.key;
            EXPECT_EQ(doc.getBool(c.key, !c.asBool), c.asBool) << c.key;
            EXPECT_EQ(doc.getString(c.key, "dflt"), c.value) << c.key;
        }
        EXPECT_EQ(doc.getString("Empty", "dflt"), "dflt");
        EXPECT_EQ(doc.getInt("Empty", 55), 55);
        EXPECT_TRUE(doc.getBool("Empty", true));
        EXPECT_EQ(doc.getString("Missing", "dflt"), "dflt");
        EXPECT_EQ(doc.getInt("Missing", -7), -7);
        EXPECT_FALSE(doc.getBool("Missing", false));
    }
}

TEST(KeyValueDocument, FirstEntryWinsAndGetNextWalksRepeatedKeys) {
    KeyValueDocument doc(DocumentLayout::Plain);
    ASSERT_TRUE(
        doc.parse("LanguageName=\"A\"\r\nLanguageFile=\"a\"\r\nLanguageName=\"B\"\r\nLanguageFile="
                  "\"b\"\r\n"));
    EXPECT_EQ(doc.getString("LanguageName", ""), "A");
    EXPECT_EQ(doc.getString("LanguageFile", ""), "a");
    EXPECT_EQ(doc.getNext("LanguageName"), "B");
    EXPECT_EQ(doc.getNext("LanguageFile"), "b");
    EXPECT_EQ(doc.getNext("LanguageName"), "");
    // A miss leaves the cursor where it was.
    EXPECT_EQ(doc.getNext("LanguageFile"), "");
    EXPECT_EQ(doc.cursor(), doc.serialize().size() - 2);

    KeyValueDocument twice(DocumentLayout::Xml);
    twice.setString("Key", "first");
    twice.setString("Key", "second");
    EXPECT_EQ(twice.getString("Key", ""), "first");
    EXPECT_EQ(twice.getNext("Key"), "second");
}

TEST(KeyValueDocument, LookupIsAPlainSubstringSearch) {
    KeyValueDocument doc(DocumentLayout::Plain);
    ASSERT_TRUE(doc.parse("LanguageName=\"Deutsch\"\r\nName=\"own\"\r\nOpen=\"x\r\n"));
    EXPECT_EQ(doc.getString("Name", ""), "Deutsch");
    // An entry without its closing quote is not found and leaves the cursor alone.
    const std::size_t before = doc.cursor();
    EXPECT_EQ(doc.getString("Open", "dflt"), "dflt");
    EXPECT_EQ(doc.cursor(), before);

    KeyValueDocument xml(DocumentLayout::Xml);
    xml.setString("Value", "cut</Value>here");
    EXPECT_EQ(xml.getString("Value", ""), "cut");
}

TEST(KeyValueDocument, ParsesTheXmlFrame) {
    const struct {
        const char* name;
        std::string text;
        bool parses;
        std::string root;
        std::string value;  // of Key, default "none"
    } cases[] = {
        {"own root",
         std::string(kDeclarationLine) + "<Settings>\r\n  <Key>v</Key>\r\n</Settings>\r\n", true,
         "Settings", "v"},
        {"no line break", "<?xml?><InitFile><Key>v</Key></InitFile>", true, "InitFile", "v"},
        {"LF only", "<?xml?><InitFile>\n<Key>v</Key></InitFile>", true, "InitFile", "v"},
        // A broken frame fails the parse, yet the whole entries in the text are still found.
        {"no declaration", "<InitFile>\r\n  <Key>v</Key>\r\n</InitFile>\r\n", false, "InitFile",
         "v"},
        {"no root tag", "<?xml?>", false, "InitFile", "none"},
        {"unclosed root tag", "<?xml?><Root", false, "InitFile", "none"},
        {"no closing root", "<?xml?><Root>\r\n  <Key>v</Key>\r\n", false, "Root", "v"},
        {"closed by another root", "<?xml?><Root><Key>v</Key></InitFile>", false, "Root", "v"},
        {"entry cut short", "<?xml?><Root>\r\n  <Key>v", false, "Root", "none"},
    };
    for (const auto& c : cases) {
        KeyValueDocument doc(DocumentLayout::Xml);
        EXPECT_EQ(doc.parse(c.text), c.parses) << c.name;
        EXPECT_EQ(doc.rootName(), c.root) << c.name;
        EXPECT_EQ(doc.getString("Key", "none"), c.value) << c.name;
    }
    KeyValueDocument doc(DocumentLayout::Xml);
    ASSERT_TRUE(doc.parse(cases[0].text));
    EXPECT_EQ(doc.serialize(), cases[0].text);
    doc.clear();
    EXPECT_EQ(doc.serialize(), std::string(kDeclarationLine) + "<Settings>\r\n</Settings>\r\n");
}

TEST(KeyValueDocument, LoadsOnlyNonEmptyRegularFilesUpToTheFirstZeroByte) {
    SKIP_ON_WINDOWS("no FIFOs or Unix-domain sockets in a Windows file system");
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("empty.ini"), "");
    test::WriteBytes(temp.Native("zero.ini"), std::string("A=\"1\"\r\n\0B=\"2\"\r\n", 14));
    test::MakeFolder(temp.Native("folder.ini"));
    ASSERT_EQ(::mkfifo(temp.Native("fifo.ini").c_str(), 0600), 0);
    const struct {
        const char* name;
        LoadOutcome outcome;
    } refused[] = {{"missing.ini", LoadOutcome::kMissing},
                   {"empty.ini", LoadOutcome::kEmpty},
                   {"folder.ini", LoadOutcome::kUnreadable},
                   {"fifo.ini", LoadOutcome::kUnreadable}};
    for (const auto& c : refused) {
        KeyValueDocument doc(DocumentLayout::Plain);
        EXPECT_EQ(doc.load(temp.U16(c.name)).outcome, c.outcome) << c.name;
        EXPECT_EQ(doc.serialize(), "") << c.name;
    }
    KeyValueDocument doc(DocumentLayout::Plain);
    ASSERT_TRUE(doc.load(temp.U16("zero.ini")).loaded());
    EXPECT_EQ(doc.getInt("A", 0), 1);
    EXPECT_EQ(doc.getInt("B", 0), 0);
}

TEST(KeyValueDocument, ReadErrorFailsTheLoadAndKeepsWhatTheDocumentHeld) {
    TemporaryFolder temp;
    test::WriteBytes(temp.Native("new.ini"), "A=\"2\"\r\n" + std::string(5000, ' '));
    for (std::size_t bytesFirst : {std::size_t{0}, std::size_t{3}, std::size_t{4096}}) {
        KeyValueDocument doc(DocumentLayout::Plain);
        ASSERT_TRUE(doc.parse("A=\"1\"\r\n"));
        test::FailingCall failing(test::Call::kRead, EIO, bytesFirst);
        const LoadResult result = doc.load(temp.U16("new.ini"));
        EXPECT_EQ(result.outcome, LoadOutcome::kUnreadable) << bytesFirst;
        EXPECT_EQ(result.failure, ReadFailure::kIoError) << bytesFirst;
        EXPECT_EQ(doc.getInt("A", 9), 1) << bytesFirst;
    }
}

// Of a file larger than the cap, the entries within the cap are still taken.
TEST(KeyValueDocument, ReadsFilesUpToTheCap) {
    TemporaryFolder temp;
    const struct {
        const char* name;
        std::uint64_t size;
        LoadOutcome outcome;
    } cases[] = {{"at-cap.ini", KeyValueDocument::kMaxFileBytes, LoadOutcome::kLoaded},
                 {"over-cap.ini", KeyValueDocument::kMaxFileBytes + 1, LoadOutcome::kDamaged}};
    for (const auto& c : cases) {
        // Sparse files: the zero bytes after the entry end its text without costing a write.
        test::WriteBytes(temp.Native(c.name), "A=\"1\"\r\n");
        ASSERT_EQ(::truncate(temp.Native(c.name).c_str(), static_cast<off_t>(c.size)), 0);
        KeyValueDocument doc(DocumentLayout::Plain);
        EXPECT_EQ(doc.load(temp.U16(c.name)).outcome, c.outcome) << c.name;
        EXPECT_EQ(doc.getInt("A", 9), 1) << c.name;
    }
}

TEST(KeyValueDocument, SaveAndLoadRoundTripAndXmlReadAsPlainFindsNothing) {
    TemporaryFolder temp;
    KeyValueDocument written(DocumentLayout::Xml);
    written.setInt("Algorithm", 3);
    written.setString("Folder", "/data");
    ASSERT_EQ(written.save(temp.U16("Tessik.ini")), WriteFailure::kNone);
    EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini")), written.serialize());

    KeyValueDocument asXml(DocumentLayout::Xml);
    ASSERT_TRUE(asXml.load(temp.U16("Tessik.ini")).loaded());
    EXPECT_EQ(asXml.getInt("Algorithm", 7), 3);
    EXPECT_EQ(asXml.getString("Folder", ""), "/data");

    KeyValueDocument asPlain(DocumentLayout::Plain);
    ASSERT_TRUE(asPlain.load(temp.U16("Tessik.ini")).loaded());
    EXPECT_EQ(asPlain.getInt("Algorithm", 7), 7);
    EXPECT_EQ(asPlain.getString("Folder", "none"), "none");

    EXPECT_EQ(written.save(temp.U16("missing/Tessik.ini")), WriteFailure::kCannotCreate);
}

}  // namespace
}  // namespace tessik
