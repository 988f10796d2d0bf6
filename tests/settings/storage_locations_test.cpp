#include "settings/storage_locations.h"

#include <gtest/gtest.h>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "settings/key_value_document.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::TemporaryFolder;

constexpr char kRecordDirectory[] = "machine/Korvane/Tessik/";
constexpr char kRecordPath[] = "machine/Korvane/Tessik/Installation.ini";

// A program folder, a per-user and a machine-wide folder, and a clock, all under one
// temporary folder.
struct Sandbox {
    Sandbox() {
        test::MakeFolder(temp.Native("prog"));
        test::MakeFolder(temp.Native("user"));
        test::MakeFolder(temp.Native("machine"));
    }
    StorageEnvironment Environment() {
        return {temp.U16("prog/tessik"), u"argument-zero", [this] { return temp.U16("user"); },
                [this] { return temp.U16("machine"); }, [this] { return now; }};
    }
    std::u16string Dir(std::string_view relative) const {
        return temp.U16(relative) + kPathSeparator;
    }
    std::u16string DefaultStorage() const { return Dir("user/Korvane/Tessik"); }
    std::string Record() const { return test::ReadBytes(temp.Native(kRecordPath)); }
    std::string ExpectedRecord(const std::string& date) const {
        return "InstallationDirectory=\"" + ToNativePath(Dir("prog")) +
               "\"\r\n"
               "LanguageFile=\"Languages.ini\"\r\n"
               "IniFile=\"Tessik.ini\"\r\n"
               "Version=\"Version 1.690 (15.10.2019)\"\r\n"
               "InstallDate=\"" +
               date + "\"\r\n";
    }

    TemporaryFolder temp;
    LocalTime now{2019, 10, 15, 8, 5, 9};
};

// Some tests change the current directory themselves; each gets its starting directory back so
// none leaks into the next.
class StorageLocationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startDirectory_ = CurrentDirectory();
        ASSERT_FALSE(startDirectory_.empty());
    }
    void TearDown() override { ASSERT_TRUE(test::ChangeDirectory(startDirectory_)); }

    std::u16string startDirectory_;
    Sandbox box_;
};

TEST_F(StorageLocationsTest, WithoutSelectorUsesThePerUserFolderAndWritesTheRecord) {
    const StorageLocations result = resolveStorageLocations(box_.Environment());
    EXPECT_EQ(result.programDirectory, box_.Dir("prog"));
    EXPECT_EQ(result.storageDirectory, box_.DefaultStorage());
    EXPECT_FALSE(result.storageFromSelector);
    EXPECT_TRUE(DirectoryExists(box_.DefaultStorage()));
    EXPECT_EQ(box_.Record(), box_.ExpectedRecord("2019-10-15 08:05:09"));
    EXPECT_EQ(CurrentDirectory(), startDirectory_);
}

TEST_F(StorageLocationsTest, SelectorDecidesTheStorageDirectory) {
    const struct {
        const char* name;
        std::string selector;
        const char* storage;  // relative to the temporary folder; nullptr: the per-user default
    } cases[] = {
        {"program directory", "UseExeFilePath=\"1\"\r\n", "prog"},
        {"program directory wins", "ApplicationStorage=\"data\"\r\nUseExeFilePath=\"1\"\r\n",
         "prog"},
        {"leading zero", "UseExeFilePath=\"01\"\r\n", nullptr},
        {"word", "UseExeFilePath=\"true\"\r\n", nullptr},
        {"leading space", "UseExeFilePath=\" 1\"\r\n", nullptr},
        {"relative folder", "UseExeFilePath=\"0\"\r\nApplicationStorage=\"data\"\r\n", "prog/data"},
        {"relative with separator", "ApplicationStorage=\"data/\"\r\n", "prog/data"},
        {"relative upwards", "ApplicationStorage=\"../shared\"\r\n", "shared"},
        {"missing folder", "ApplicationStorage=\"nowhere\"\r\n", nullptr},
        {"names a file", "ApplicationStorage=\"tessik\"\r\n", nullptr},
        {"no keys", "Other=\"1\"\r\n", nullptr},
        {"empty file", "", nullptr},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(test::ChangeDirectory(startDirectory_));
        Sandbox box;
        test::MakeFolder(box.temp.Native("prog/data"));
        test::MakeFolder(box.temp.Native("shared"));
        test::WriteBytes(box.temp.Native("prog/tessik"), "");
        test::WriteBytes(box.temp.Native("prog/SavePath.ini"), c.selector);

        const StorageLocations result = resolveStorageLocations(box.Environment());
        EXPECT_EQ(result.programDirectory, box.Dir("prog")) << c.name;
        EXPECT_EQ(result.storageDirectory, c.storage ? box.Dir(c.storage) : box.DefaultStorage())
            << c.name;
        EXPECT_EQ(result.storageFromSelector, c.storage != nullptr) << c.name;
        // Only the per-user default makes folders or writes the record.
        EXPECT_EQ(DirectoryExists(box.temp.U16("user/Korvane")), c.storage == nullptr) << c.name;
        EXPECT_EQ(FileExists(box.temp.U16(kRecordPath)), c.storage == nullptr) << c.name;
        // Relative names the user gives stay relative to where the program was started.
        EXPECT_EQ(CurrentDirectory(), startDirectory_) << c.name;
    }
}

TEST_F(StorageLocationsTest, AbsoluteStorageFolder) {
    test::MakeFolder(box_.temp.Native("elsewhere"));
    test::WriteBytes(box_.temp.Native("prog/SavePath.ini"),
                     "ApplicationStorage=\"" + box_.temp.Native("elsewhere") + "\"\r\n");
    const StorageLocations result = resolveStorageLocations(box_.Environment());
    EXPECT_EQ(result.storageDirectory, box_.Dir("elsewhere"));
    EXPECT_TRUE(result.storageFromSelector);
}

TEST_F(StorageLocationsTest, ProgramDirectoryFallsBackToArgumentZero) {
    ASSERT_TRUE(test::ChangeDirectory(box_.temp.U16()));
    const struct {
        const char* name;
        std::u16string programPath;
        std::u16string argumentZero;
        std::u16string expected;
    } cases[] = {
        {"unknown program path", u"", u"prog/tessik", box_.Dir("prog")},
        {"program path in a missing folder", box_.temp.U16("gone/tessik"), u"./prog/tessik",
         box_.Dir("prog")},
        {"argument zero without folder", u"", u"tessik", box_.temp.U16() + kPathSeparator},
        {"nothing known", u"", u"", u""},
    };
    for (const auto& c : cases) {
        StorageEnvironment environment = box_.Environment();
        environment.programPath = c.programPath;
        environment.argumentZero = c.argumentZero;
        EXPECT_EQ(resolveStorageLocations(environment).programDirectory, c.expected) << c.name;
    }
}

TEST_F(StorageLocationsTest, RecordIsWrittenOncePerVersion) {
    resolveStorageLocations(box_.Environment());
    const std::string first = box_.Record();
    box_.now = {2024, 1, 2, 3, 4, 5};
    EXPECT_FALSE(writeInstallationRecord(box_.Environment(), box_.Dir("prog")));
    EXPECT_EQ(box_.Record(), first);

    const struct {
        const char* name;
        std::string existing;
    } outdated[] = {
        {"other version", "Version=\"Version 1.680 (01.01.2019)\"\r\nInstallDate=\"old\"\r\n"},
        {"version with a trailing space", "Version=\"Version 1.690 (15.10.2019) \"\r\n"},
        {"no version", "InstallDate=\"old\"\r\n"},
        {"empty", ""},
    };
    for (const auto& c : outdated) {
        test::WriteBytes(box_.temp.Native(kRecordPath), c.existing);
        EXPECT_TRUE(writeInstallationRecord(box_.Environment(), box_.Dir("prog"))) << c.name;
        EXPECT_EQ(box_.Record(), box_.ExpectedRecord("2024-01-02 03:04:05")) << c.name;
    }
}

TEST_F(StorageLocationsTest, UnwritableMachineFolderChangesNothingElse) {
    test::ReadOnlyFolder locked(box_.temp.Native("machine"));
    const StorageLocations result = resolveStorageLocations(box_.Environment());
    EXPECT_EQ(result.storageDirectory, box_.DefaultStorage());
    EXPECT_TRUE(DirectoryExists(box_.DefaultStorage()));
    EXPECT_FALSE(DirectoryExists(box_.temp.U16(kRecordDirectory)));
}

TEST_F(StorageLocationsTest, UnwritablePerUserFolderChangesNothingElse) {
    test::ReadOnlyFolder locked(box_.temp.Native("user"));
    const StorageLocations result = resolveStorageLocations(box_.Environment());
    // The settings path stays where it belongs; reading it gives defaults, saving fails.
    EXPECT_EQ(result.storageDirectory, box_.DefaultStorage());
    EXPECT_FALSE(result.storageFromSelector);
    EXPECT_FALSE(DirectoryExists(box_.temp.U16("user/Korvane")));
    EXPECT_EQ(box_.Record(), box_.ExpectedRecord("2019-10-15 08:05:09"));
}

TEST_F(StorageLocationsTest, RecordThatCannotBeReplacedStaysAsItWas) {
    const std::string outdated = "Version=\"Version 1.680 (01.01.2019)\"\r\n";
    resolveStorageLocations(box_.Environment());
    test::WriteBytes(box_.temp.Native(kRecordPath), outdated);
    for (const test::Fault& fault : test::kSaveFailures) {
        test::FailingCall failing(fault);
        EXPECT_FALSE(writeInstallationRecord(box_.Environment(), box_.Dir("prog"))) << fault.name;
        EXPECT_EQ(box_.Record(), outdated) << fault.name;
    }
}

TEST_F(StorageLocationsTest, UnknownPerUserFolderCreatesNothingAtTheRoot) {
    StorageEnvironment environment = box_.Environment();
    environment.userAppDataFolder = [] { return std::u16string(); };
    const StorageLocations result = resolveStorageLocations(environment);
    EXPECT_EQ(result.storageDirectory, u"");
    EXPECT_FALSE(result.storageFromSelector);
    EXPECT_EQ(box_.Record(), box_.ExpectedRecord("2019-10-15 08:05:09"));
}

}  // namespace
}  // namespace tessik
