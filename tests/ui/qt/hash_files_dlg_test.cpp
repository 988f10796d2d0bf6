#include "ui/qt/hash_files_dlg.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "checksum_list_fixture.h"

namespace tessik {
namespace {

using namespace list_window;
using test::ChecksumListWindowTest;
using test::Click;
using test::Counts;
using test::FileDigest;
using test::kMd2;
using test::kMd5;
using test::kMd5OfAbc;
using test::kMd5OfNothing;
using test::kSha512;
using test::MainWindowDropTest;
using test::Q;
using test::Rows;
using test::Table;
using test::WaitUntilIdle;

TEST_F(ChecksumListWindowTest, HashesFilesAtOnceWithTheirDigestsInTheLetterCaseChosen) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("b.txt"), "");
    const std::vector<std::u16string> paths = {folder.U16("a.txt"), folder.U16("gone"),
                                               folder.U16("b.txt")};
    HashFiles(paths, [&](CHashFilesDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Hash files");
        EXPECT_EQ(window.controlText(kStartButton), "&Hash");
        EXPECT_EQ(window.control(kListField), nullptr);
        ASSERT_TRUE(WaitUntilIdle(window));
        const QString a = Q(paths[0]) + " | " + Q(FromUtf8(kMd5OfAbc)) + " | OK";
        const QString b = Q(paths[2]) + " | " + Q(FromUtf8(kMd5OfNothing)) + " | OK";
        EXPECT_EQ(Rows(window), (std::vector<QString>{a, Q(paths[1]) + " |  | missing", b}));
        EXPECT_EQ(Counts(window), "Hashed: 2 \u2013 could not be read: 1");
        window.control<QCheckBox>(kLowercaseBox)->setChecked(false);
        EXPECT_EQ(Rows(window)[0],
                  Q(paths[0]) + " | " + Q(FromUtf8(kMd5OfAbc)).toUpper() + " | OK");
        // Another algorithm hashes the files again: no digest stays under a name not its own.
        window.control<QComboBox>(kAlgorithmList)->setCurrentIndex(kMd2);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window)[2],
                  Q(paths[2]) + " | " + FileDigest(kMd2, paths[2], false) + " | OK");
    });
}

// The last entry of the algorithm list asks which algorithms; each file is then read once and
// has a row per algorithm, named in a column of its own, and counts once.
TEST_F(ChecksumListWindowTest, SeveralAlgorithmsGiveEachFileARowPerAlgorithm) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    const std::vector<std::u16string> paths = {folder.U16("a.txt"), folder.U16("gone")};
    AlgorithmSet ticked = {AlgorithmWithId("md5"), AlgorithmWithId("sha1")};
    HashFiles(
        paths,
        [&](CHashFilesDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            auto& algorithms = *window.control<QComboBox>(kAlgorithmList);
            EXPECT_EQ(algorithms.itemText(AlgorithmCount()), "Several algorithms\u2026");
            test::WhenModal([](Dialog& asking) { asking.runCommand(kOkResult); });
            algorithms.setCurrentIndex(AlgorithmCount());
            ASSERT_TRUE(WaitUntilIdle(window));
            const QAbstractItemModel& model = *Table(window).model();
            EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Algorithm");
            const QString a = Q(paths[0]);
            const QString gone = Q(paths[1]);
            EXPECT_EQ(Rows(window),
                      (std::vector<QString>{a + " | MD5 | " + Q(FromUtf8(kMd5OfAbc)) + " | OK",
                                            a + " | SHA-1 | " + Q(FromUtf8(test::kSha1OfAbc)) +
                                                " | OK",
                                            gone + " | MD5 |  | missing",
                                            gone + " | SHA-1 |  | missing"}));
            EXPECT_EQ(Counts(window), "Hashed: 1 \u2013 could not be read: 1");
            EXPECT_EQ(algorithms.toolTip(), "MD5, SHA-1");
            // One algorithm again: a row per file, without the column.
            algorithms.setCurrentIndex(kMd5);
            ASSERT_TRUE(WaitUntilIdle(window));
            EXPECT_EQ(model.columnCount(), 3);
            EXPECT_EQ(Rows(window).size(), 2u);
        },
        kMd5, &ticked);
}

// The digest column shows a whole SHA-512 digest, and the status column is no wider than its
// longest status and its heading.
TEST_F(ChecksumListWindowTest, ColumnsFitTheirContent) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    HashFiles(
        {folder.U16("a.txt")},
        [&](CHashFilesDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            const QTableView& table = Table(window);
            const QHeaderView& header = *table.horizontalHeader();
            const QFontMetrics metrics(table.font());
            const QString digest = table.model()->index(0, 1).data().toString();
            ASSERT_EQ(digest.size(), 128);
            EXPECT_GT(header.sectionSize(1), metrics.horizontalAdvance(digest));
            EXPECT_LT(header.sectionSize(2), metrics.horizontalAdvance(QStringLiteral("Status")) +
                                                 4 * metrics.averageCharWidth());
        },
        kSha512);
}

TEST_F(MainWindowDropTest, SeveralFilesAreHashedInTheListWindow) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("b.txt"), "");
    StartShown();
    Algorithms().setCurrentIndex(kMd5);
    Click(main_window::kLowercaseBox);  // upper case
    Field(main_window::kFileNameField).setText("kept");
    DropAndRun({folder.U16("a.txt"), folder.U16("b.txt")}, [&](Dialog& opened) {
        ASSERT_TRUE(WaitUntilIdle(opened));
        EXPECT_EQ(opened.windowTitle(), "Hash files");
        EXPECT_EQ(
            Rows(opened),
            (std::vector<QString>{
                Q(folder.U16("a.txt")) + " | " + Q(FromUtf8(kMd5OfAbc)).toUpper() + " | OK",
                Q(folder.U16("b.txt")) + " | " + Q(FromUtf8(kMd5OfNothing)).toUpper() + " | OK"}));
    });
    EXPECT_EQ(Field(main_window::kFileNameField).text(), "kept");
}

}  // namespace
}  // namespace tessik
