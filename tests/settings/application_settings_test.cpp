#include "settings/application_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "fake_font_host.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::FakeFontHost;
using test::MakeFont;
using test::TemporaryFolder;

const FontDescription kSystem = MakeFont(u"Message Sans", -12, 400, 0, 34);
const FontDescription kOwn = MakeFont(u"Dialog Serif", -11, 700, 2, 18);
const StorageLocations kLocations{u"/opt/tessik/", u"/home/u/.config/Korvane/Tessik/", false};

const std::string kEveryId =
    "md2,md4,md5,sha1,sha2-224,sha2-256,sha2-384,sha2-512,keccak-224,keccak-256,keccak-384,"
    "keccak-512,sha3-224,sha3-256,sha3-384,sha3-512,ak,bkdr,dek,djb,elf,js,pjw,rs,sdbm,crc32,"
    "crc32c,xxh32,xxh64,xxh3,xxh128,blake2b-512,blake2s-256,blake3,sha2-512-224,sha2-512-256";

std::string SettingsFile(const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n" + entries +
           "</InitFile>\r\n";
}

// One start of the program: a main window's fonts, the settings loaded from the file, and where
// the window is when they are saved.
struct Session {
    explicit Session(const std::u16string& path) : host(kSystem, kOwn, nullptr), fonts(host) {
        LoadedSettings read = loadSettings(path, fonts);
        settings = std::move(read.settings);
        loaded = read.load;
    }
    SettingsSave SaveReporting(const std::u16string& path) {
        settings.position = PositionToStore(placed);
        return saveSettings(path, settings, fonts, kLocations, loaded);
    }
    bool Save(const std::u16string& path) {
        return SaveReporting(path).failure == WriteFailure::kNone;
    }

    FakeFontHost host;
    FontSettings fonts;
    ApplicationSettings settings;
    LoadResult loaded;
    WindowPlacement placed{WindowState::kNormal, {100, 50, 740, 430}, {100, 50, 740, 430}};
};

TEST(ApplicationSettings, FirstStartTakesTheDefaultsAndSavesTwentyKeysInOrder) {
    TemporaryFolder temp;
    Session session(temp.U16("Tessik.ini"));
    EXPECT_EQ(session.settings, ApplicationSettings{});
    EXPECT_EQ(session.settings.algorithmIndex, 7);
    EXPECT_TRUE(session.settings.smallLetters);
    EXPECT_EQ(session.settings.folder, (FolderValues{u"", u"*", u"*"}));
    EXPECT_EQ(session.settings.separator, u"|");
    EXPECT_EQ(session.settings.position.action, StoredPositionAction::kKeep);
    EXPECT_EQ(session.host.currentFont(), MakeFont(u"Message Sans", -11, 700, 0, 34));

    ASSERT_TRUE(session.Save(temp.U16("Tessik.ini")));
    EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini")),
              SettingsFile("  <Algorithm>7</Algorithm>\r\n"
                           "  <CaseSensitive>0</CaseSensitive>\r\n"
                           "  <SmallLetters>1</SmallLetters>\r\n"
                           "  <Folder></Folder>\r\n"
                           "  <Filename>*</Filename>\r\n"
                           "  <Fileextension>*</Fileextension>\r\n"
                           "  <Separator>|</Separator>\r\n"
                           "  <UseBuildInFont>0</UseBuildInFont>\r\n"
                           "  <UseFontSettings>1</UseFontSettings>\r\n"
                           "  <UseFontHeight>0</UseFontHeight>\r\n"
                           "  <FontDefName>Message Sans</FontDefName>\r\n"
                           "  <FontDefCharset>0</FontDefCharset>\r\n"
                           "  <FontDefHeight>-11</FontDefHeight>\r\n"
                           "  <FontDefPitch>34</FontDefPitch>\r\n"
                           "  <LanguageName></LanguageName>\r\n"
                           "  <WinPos>100;50;740;430</WinPos>\r\n"
                           "  <FolderHomeBase>/opt/tessik/</FolderHomeBase>\r\n"
                           "  <FolderAppDir>/home/u/.config/Korvane/Tessik/</FolderAppDir>\r\n"
                           "  <LineEnds>CRLF</LineEnds>\r\n"
                           "  <LookForChecksumLists>1</LookForChecksumLists>\r\n"
                           "  <AllAlgorithms>" +
                           kEveryId + "</AllAlgorithms>\r\n"));
}

TEST(ApplicationSettings, EveryKeyRoundTripsAndIsAppliedInOrder) {
    TemporaryFolder temp;
    const std::string stored = SettingsFile(
        "  <Algorithm>3</Algorithm>\r\n"
        "  <CaseSensitive>1</CaseSensitive>\r\n"
        "  <SmallLetters>0</SmallLetters>\r\n"
        "  <Folder>/data/\xc3\xa4</Folder>\r\n"
        "  <Filename>photo</Filename>\r\n"
        "  <Fileextension>jpg</Fileextension>\r\n"
        "  <Separator> -> </Separator>\r\n"
        "  <UseBuildInFont>0</UseBuildInFont>\r\n"
        "  <UseFontSettings>1</UseFontSettings>\r\n"
        "  <UseFontHeight>1</UseFontHeight>\r\n"
        "  <FontDefName>Stored Face</FontDefName>\r\n"
        "  <FontDefCharset>204</FontDefCharset>\r\n"
        "  <FontDefHeight>-15</FontDefHeight>\r\n"
        "  <FontDefPitch>49</FontDefPitch>\r\n"
        "  <LanguageName>Deutsch</LanguageName>\r\n"
        "  <WinPos>10;20;650;400</WinPos>\r\n"
        "  <FolderHomeBase>/opt/tessik/</FolderHomeBase>\r\n"
        "  <FolderAppDir>/home/u/.config/Korvane/Tessik/</FolderAppDir>\r\n"
        "  <LineEnds>LF</LineEnds>\r\n"
        "  <LookForChecksumLists>0</LookForChecksumLists>\r\n"
        "  <AllAlgorithms>md5,blake3</AllAlgorithms>\r\n");
    test::WriteBytes(temp.Native("Tessik.ini"), stored);
    Session session(temp.U16("Tessik.ini"));
    ApplicationSettings expected;
    expected.algorithmIndex = 3;
    expected.caseSensitive = true;
    expected.smallLetters = false;
    expected.folder = {u"/data/\u00e4", u"photo", u"jpg"};
    expected.separator = u" -> ";
    expected.languageName = "Deutsch";
    expected.position = {StoredPositionAction::kMove, {10, 20, 650, 400}};
    expected.lineEnds = TypedLineEnds::kLf;
    expected.tickedAlgorithms = {AlgorithmWithId("md5"), AlgorithmWithId("blake3")};
    expected.lookForLists = false;
    EXPECT_EQ(session.settings, expected);
    // The window keeps its own weight; the stored typeface and height reach it.
    EXPECT_EQ(session.host.currentFont(), MakeFont(u"Stored Face", -15, 700, 204, 49));

    session.placed = {WindowState::kNormal, {10, 20, 650, 400}, {10, 20, 650, 400}};
    ASSERT_TRUE(session.Save(temp.U16("Tessik.ini")));
    EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini")), stored);
}

TEST(ApplicationSettings, OddStoredValues) {
    const struct {
        const char* name;
        std::string entries;
        std::string expectedLine;  // in the file saved next
    } cases[] = {
        {"unknown algorithm", "<Algorithm>99</Algorithm>", "<Algorithm>7</Algorithm>"},
        {"negative algorithm", "<Algorithm>-1</Algorithm>", "<Algorithm>7</Algorithm>"},
        {"algorithm in words", "<Algorithm>md5</Algorithm>", "<Algorithm>0</Algorithm>"},
        {"empty filter", "<Filename></Filename>", "<Filename>*</Filename>"},
        {"empty separator", "<Separator></Separator>", "<Separator>|</Separator>"},
        {"box as word", "<SmallLetters>yes</SmallLetters>", "<SmallLetters>0</SmallLetters>"},
        {"box as 01", "<CaseSensitive>01</CaseSensitive>", "<CaseSensitive>1</CaseSensitive>"},
        {"charset low byte", "<FontDefCharset>300</FontDefCharset>",
         "<FontDefCharset>44</FontDefCharset>"},
        {"pitch low byte", "<FontDefPitch>-1</FontDefPitch>", "<FontDefPitch>255</FontDefPitch>"},
        {"long face name", "<FontDefName>" + std::string(40, 'F') + "</FontDefName>",
         "<FontDefName>" + std::string(31, 'F') + "</FontDefName>"},
        {"face names ignored", "<UseFontSettings>0</UseFontSettings><FontDefName>X</FontDefName>",
         "<FontDefName>Message Sans</FontDefName>"},
        {"height not applied", "<FontDefHeight>-40</FontDefHeight>",
         "<FontDefHeight>-11</FontDefHeight>"},
        {"height applied", "<UseFontHeight>1</UseFontHeight><FontDefHeight>-40</FontDefHeight>",
         "<FontDefHeight>-40</FontDefHeight>"},
        {"height beyond 72 points",
         "<UseFontHeight>1</UseFontHeight><FontDefHeight>-2000000</FontDefHeight>",
         "<FontDefHeight>-96</FontDefHeight>"},
        {"cell height below 6 points",
         "<UseFontHeight>1</UseFontHeight><FontDefHeight>3</FontDefHeight>",
         "<FontDefHeight>8</FontDefHeight>"},
        {"no frame", "", "<Algorithm>7</Algorithm>"},
        {"line ends in other words", "<LineEnds>lf</LineEnds>", "<LineEnds>CRLF</LineEnds>"},
        {"ticked out of order, unknown and repeated ones",
         "<AllAlgorithms> blake3,md99 ,md5,blake3</AllAlgorithms>",
         "<AllAlgorithms>md5,blake3</AllAlgorithms>"},
        {"ticked none known", "<AllAlgorithms>md5;sha1</AllAlgorithms>",
         "<AllAlgorithms>" + kEveryId + "</AllAlgorithms>"},
    };
    for (const auto& c : cases) {
        TemporaryFolder temp;
        test::WriteBytes(temp.Native("Tessik.ini"), SettingsFile(c.entries));
        Session session(temp.U16("Tessik.ini"));
        ASSERT_TRUE(session.Save(temp.U16("Tessik.ini")));
        EXPECT_NE(test::ReadBytes(temp.Native("Tessik.ini")).find("  " + c.expectedLine + "\r\n"),
                  std::string::npos)
            << c.name;
    }
}

// A file cut short, or whose frame is broken, still gives every key it holds whole; at the next
// save it is kept aside, so nothing it held is lost.
TEST(ApplicationSettings, ADamagedFileGivesTheKeysItStillHoldsAndIsKeptAside) {
    TemporaryFolder temp;
    const std::string damaged =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n"
        "  <Algorithm>3</Algorithm>\r\n  <Separator> -> </Separator>\r\n  <WinPos>10;2";
    test::WriteBytes(temp.Native("Tessik.ini"), damaged);
    Session session(temp.U16("Tessik.ini"));
    EXPECT_EQ(session.loaded.outcome, LoadOutcome::kDamaged);
    EXPECT_EQ(session.settings.algorithmIndex, 3);
    EXPECT_EQ(session.settings.separator, u" -> ");
    // The cut position is not used.
    EXPECT_EQ(session.settings.position.action, StoredPositionAction::kKeep);

    const SettingsSave saved = session.SaveReporting(temp.U16("Tessik.ini"));
    EXPECT_EQ(saved.failure, WriteFailure::kNone);
    EXPECT_EQ(saved.keptAsidePath, temp.U16("Tessik.ini.bak"));
    EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini.bak")), damaged);
    EXPECT_EQ(Session(temp.U16("Tessik.ini")).loaded.outcome, LoadOutcome::kLoaded);
}

// Killed at any step of a save that keeps a damaged file aside, with links or, where the file
// system has none, by moving the file aside: the next start finds the old file or the new
// settings, never nothing, and the damaged file stays in place or is kept aside.
TEST(ApplicationSettings, ASaveKilledAtAnyStepLosesNeitherTheOldFileNorTheNewSettings) {
    const std::string damaged =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n  <Algorithm>3</Algorithm>";
    // The temporary holds the whole file after its open and write: a killed program loses
    // nothing it wrote (the fsync is for a power cut).
    constexpr int kCallsUntilComplete = 2;
    for (const bool links : {true, false}) {
        SCOPED_TRACE(links ? "links" : "no links");
        bool killed = true;
        for (int call = 1; killed; ++call) {
            SCOPED_TRACE(call);
            TemporaryFolder temp;
            const std::u16string path = temp.U16("Tessik.ini");
            test::WriteBytes(temp.Native("Tessik.ini"), damaged);
            // Written long before the save, as a settings file is: the killed save's temporary is
            // then newer by more than the file system's clock tick.
            std::filesystem::last_write_time(
                temp.Native("Tessik.ini"),
                std::filesystem::file_time_type::clock::now() - std::chrono::seconds(10));
            Session before(path);
            before.settings.algorithmIndex = 5;
            killed = test::KilledAtCall(call, [&] {
                std::optional<test::FailingCall> noLinks;
                if (!links) noLinks.emplace(test::Call::kLink, EPERM);
                before.Save(path);
            });
            const Session after(path);
            const bool saved = after.settings.algorithmIndex == 5;
            EXPECT_EQ(saved, call > kCallsUntilComplete);
            if (saved) {
                EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini.bak")), damaged);
            } else {
                EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini")), damaged);
                EXPECT_EQ(after.settings.algorithmIndex, 3);
            }
        }
    }
}

// Only a missing or empty file may be replaced by defaults. One that could not be read (denied
// to this user, or failing) is kept aside whole before the defaults are written.
TEST(ApplicationSettings, AFileThatCouldNotBeReadIsKeptAsideNotOverwritten) {
    const struct {
        const char* name;
        test::Fault fault;
        ReadFailure failure;
    } cases[] = {{"denied", {"open", test::Call::kOpen, EACCES}, ReadFailure::kPermissionDenied},
                 {"failing", {"read", test::Call::kRead, EIO}, ReadFailure::kIoError}};
    for (const auto& c : cases) {
        TemporaryFolder temp;
        const std::string stored = SettingsFile("  <Algorithm>3</Algorithm>\r\n");
        test::WriteBytes(temp.Native("Tessik.ini"), stored);
        std::optional<Session> session;
        {
            test::FailingCall failing(c.fault);
            session.emplace(temp.U16("Tessik.ini"));
        }
        EXPECT_EQ(session->loaded.outcome, LoadOutcome::kUnreadable) << c.name;
        EXPECT_EQ(session->loaded.failure, c.failure) << c.name;
        EXPECT_EQ(session->settings.algorithmIndex, 7) << c.name;
        const SettingsSave saved = session->SaveReporting(temp.U16("Tessik.ini"));
        EXPECT_EQ(saved.failure, WriteFailure::kNone) << c.name;
        EXPECT_EQ(saved.keptAsidePath, temp.U16("Tessik.ini.bak")) << c.name;
        EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini.bak")), stored) << c.name;
    }
    for (const char* contents : {static_cast<const char*>(""), static_cast<const char*>(nullptr)}) {
        TemporaryFolder temp;
        if (contents != nullptr) test::WriteBytes(temp.Native("Tessik.ini"), contents);
        Session session(temp.U16("Tessik.ini"));
        EXPECT_TRUE(session.SaveReporting(temp.U16("Tessik.ini")).keptAsidePath.empty());
        EXPECT_FALSE(std::filesystem::exists(temp.Native("Tessik.ini.bak")));
    }
}

// A separator is stored verbatim between its tags: one that holds markup would cut its own entry
// short or forge another, and a long one would outgrow what the reader takes.
TEST(ApplicationSettings, OnlySeparatorsTheFileCanHoldAreAccepted) {
    const struct {
        std::u16string separator;
        SeparatorProblem problem;
    } cases[] = {
        {u"|", SeparatorProblem::kNone},
        {u"", SeparatorProblem::kNone},
        {u" \u2192 ", SeparatorProblem::kNone},
        {std::u16string(kMaxSeparatorUnits, u'-'), SeparatorProblem::kNone},
        {std::u16string(kMaxSeparatorUnits + 1, u'-'), SeparatorProblem::kTooLong},
        {u"</Separator>", SeparatorProblem::kMarkup},
        {u"<WinPos>0;0;1;1</WinPos>", SeparatorProblem::kMarkup},
        {u"->", SeparatorProblem::kMarkup},
        {u"a\nb", SeparatorProblem::kLineBreak},
        {u"\r", SeparatorProblem::kLineBreak},
        {u"\u2029", SeparatorProblem::kLineBreak},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckSeparator(c.separator), c.problem) << c.separator.size();
    }
}

TEST(ApplicationSettings, UnsetFontHeightIsWrittenButNeverApplied) {
    TemporaryFolder temp;
    test::WriteBytes(
        temp.Native("Tessik.ini"),
        SettingsFile("<UseFontHeight>0</UseFontHeight><FontDefHeight>-40</FontDefHeight>"
                     "<FontDefName>Stored</FontDefName>"));
    Session session(temp.U16("Tessik.ini"));
    EXPECT_EQ(session.host.currentFont().height, -11);
    EXPECT_EQ(session.host.currentFont().faceName, u"Stored");
}

TEST(ApplicationSettings, MinimisedWindowStoresItsRestoredRectangle) {
    TemporaryFolder temp;
    Session session(temp.U16("Tessik.ini"));
    session.placed = {
        WindowState::kMinimised, {-32000, -32000, -31840, -31972}, {15, 25, 700, 500}};
    ASSERT_TRUE(session.Save(temp.U16("Tessik.ini")));
    EXPECT_EQ(Session(temp.U16("Tessik.ini")).settings.position,
              (StoredPosition{StoredPositionAction::kMove, {15, 25, 700, 500}}));
}

// The previous file must survive a save that breaks off anywhere, byte for byte and loadable.
TEST(ApplicationSettings, FailedSaveKeepsThePreviousFileReadable) {
    for (const test::Fault& c : test::kSaveFailures) {
        TemporaryFolder temp;
        const std::u16string path = temp.U16("Tessik.ini");
        Session session(path);
        session.settings.algorithmIndex = 3;
        ASSERT_TRUE(session.Save(path));
        const std::string before = test::ReadBytes(temp.Native("Tessik.ini"));
        session.settings.algorithmIndex = 2;
        {
            test::FailingCall failing(c);
            EXPECT_NE(session.SaveReporting(path).failure, WriteFailure::kNone) << c.name;
        }
        EXPECT_EQ(test::ReadBytes(temp.Native("Tessik.ini")), before) << c.name;
        EXPECT_EQ(Session(path).settings.algorithmIndex, 3) << c.name;
    }
}

TEST(ApplicationSettings, SaveIntoAReadOnlyFolderKeepsThePreviousFile) {
    TemporaryFolder temp;
    test::MakeFolder(temp.Native("store"));
    Session session(temp.U16("store/Tessik.ini"));
    ASSERT_TRUE(session.Save(temp.U16("store/Tessik.ini")));
    const std::string before = test::ReadBytes(temp.Native("store/Tessik.ini"));
    session.settings.algorithmIndex = 2;
    test::ReadOnlyFolder locked(temp.Native("store"));
    EXPECT_FALSE(session.Save(temp.U16("store/Tessik.ini")));
    EXPECT_EQ(test::ReadBytes(temp.Native("store/Tessik.ini")), before);
}

}  // namespace
}  // namespace tessik
