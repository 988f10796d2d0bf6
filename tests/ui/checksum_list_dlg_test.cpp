#include "ui/checksum_list_dlg.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cerrno>

#include "main_window_fixture.h"
#include "support/known_digests.h"
#include "support/system_call_faults.h"
#include "ui/hash_folder_dlg.h"
#include "ui/widget_font_host.h"

namespace tessik {
namespace {

using namespace list_window;
using test::FileDigest;
using test::Q;

constexpr int kMd2 = 0;
constexpr int kMd5 = 2;
constexpr int kSha512 = 7;
using test::kMd5OfAbc;
using test::kMd5OfNothing;

QTableView& Table(const Dialog& window) {
    return *window.control<QTableView>(kTable);
}
// Every row as shown, cells apart by " | ".
std::vector<QString> Rows(const Dialog& window) {
    const QAbstractItemModel& model = *Table(window).model();
    std::vector<QString> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.push_back(model.index(row, column).data().toString());
        }
        rows.push_back(cells.join(" | "));
    }
    return rows;
}
QString Counts(const Dialog& window) {
    return window.control<QLabel>(kCountsLabel)->text();
}
bool WaitUntilIdle(const Dialog& window) {
    return QTest::qWaitFor([&] { return window.control(kStopButton)->isHidden(); }, 20000);
}
void Click(const Dialog& window, int id) {
    window.control<QPushButton>(id)->click();
}

class ChecksumListWindowTest : public ::testing::Test {
  protected:
    ChecksumListWindowTest() : host(owner), fonts(host) {}

    // A list beside its files: a.txt matches, b.txt differs, c.txt is missing, one line is none.
    std::u16string MakeList(const char* name = "files.md5") {
        test::WriteBytes(folder.Native("a.txt"), "abc");
        test::WriteBytes(folder.Native("b.txt"), "");
        test::WriteBytes(folder.Native(name), kMd5OfAbc + "  a.txt\n" + kMd5OfAbc + "  b.txt\n" +
                                                  "no line\n" + kMd5OfNothing + "  c.txt\n");
        return folder.U16(name);
    }
    // A file that MD2 takes most of a minute over; it holds nothing but zeros, stored as a hole.
    std::u16string MakeBigFile() {
        test::WriteBytes(folder.Native("big.bin"), "");
        EXPECT_EQ(::truncate(folder.Native("big.bin").c_str(), off_t{512} << 20), 0);
        return folder.U16("big.bin");
    }

    int Verify(const std::u16string& list, std::function<void(CChecksumListDlg&)> script,
               int mainAlgorithm = kSha512) {
        CChecksumListDlg window(desktop);
        window.setLanguageFile(languageFile);
        test::WhenModal([&](Dialog&) { script(window); });
        return window.RunVerifyDialog(fonts, list, mainAlgorithm, u"|");
    }
    int HashFiles(std::vector<std::u16string> paths, std::function<void(CChecksumListDlg&)> script,
                  int algorithm = kMd5) {
        CChecksumListDlg window(desktop);
        test::WhenModal([&](Dialog&) { script(window); });
        return window.RunFilesDialog(fonts, std::move(paths), algorithm, true);
    }

    test::TemporaryFolder folder;
    test::FakeDesktopServices desktop;
    QWidget owner;
    WidgetFontHost host;
    FontSettings fonts;
    std::u16string languageFile;
};

TEST_F(ChecksumListWindowTest, ShowsTheListAndItsAlgorithmAndChecksItWhenAsked) {
    const std::u16string list = MakeList();
    const int result = Verify(list, [&](CChecksumListDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Verify checksum list");
        EXPECT_EQ(window.controlText(kListField), Q(list));
        EXPECT_EQ(window.controlText(kAlgorithmList), "MD5");  // the list's name says so
        EXPECT_TRUE(window.control(kLowercaseBox)->isHidden());
        EXPECT_EQ(Table(window).model()->rowCount(), 0);
        EXPECT_FALSE(window.control(kCopyFailedButton)->isEnabled());
        test::ExpectNamedInTabOrder(window, {kAlgorithmList, kMismatchesFirstBox, kListField,
                                             kBrowseButton, kTable, kStartButton, kOkResult});

        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window),
                  (std::vector<QString>{"1 | a.txt | OK", "2 | b.txt | FAILED",
                                        "3 |  | malformed line", "4 | c.txt | missing"}));
        EXPECT_EQ(Counts(window),
                  "OK: 1 \u2013 FAILED: 1 \u2013 missing: 1 \u2013 unreadable: 0 \u2013 "
                  "malformed lines: 1");
        EXPECT_EQ(Table(window).model()->headerData(1, Qt::Horizontal), "File");
        Click(window, kCopyFailedButton);
        EXPECT_EQ(desktop.clipboard, std::vector<QString>{"b.txt\nc.txt"});

        // The rows that did not pass first, then sorted by name, descending.
        window.control<QCheckBox>(kMismatchesFirstBox)->setChecked(true);
        EXPECT_EQ(Rows(window).front(), "2 | b.txt | FAILED");
        Table(window).sortByColumn(1, Qt::DescendingOrder);
        EXPECT_EQ(Rows(window), (std::vector<QString>{"4 | c.txt | missing", "2 | b.txt | FAILED",
                                                      "3 |  | malformed line", "1 | a.txt | OK"}));
        // Clicks on a heading sort by its column, one way, the other, then in list order again.
        window.control<QCheckBox>(kMismatchesFirstBox)->setChecked(false);
        QHeaderView& header = *Table(window).horizontalHeader();
        const QPoint status(header.sectionViewportPosition(2) + 5, header.height() / 2);
        std::vector<QString> firstRows;
        for (int click = 0; click < 3; ++click) {
            QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, status);
            firstRows.push_back(Rows(window).front());
        }
        EXPECT_EQ(firstRows, (std::vector<QString>{"1 | a.txt | OK", "3 |  | malformed line",
                                                   "1 | a.txt | OK"}));
        EXPECT_EQ(Rows(window)[1], "2 | b.txt | FAILED");
        window.control<QCheckBox>(kMismatchesFirstBox)->setChecked(true);
        Table(window).sortByColumn(1, Qt::DescendingOrder);
        // Copy takes the selected rows as shown.
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        Table(window).setFocus();
        Table(window).selectRow(3);
        QTest::keySequence(&Table(window), QKeySequence::Copy);
        EXPECT_EQ(desktop.clipboard.back(), "1\ta.txt\tOK");
        EXPECT_TRUE(desktop.messages.empty());
        Click(window, kOkResult);
    });
    EXPECT_EQ(result, kOkResult);
}

TEST_F(ChecksumListWindowTest, TheAlgorithmCanBeChangedBeforeTheRun) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    // SHA-1 by its length, as no other algorithm has 20 bytes; MD5 makes the line malformed.
    test::WriteBytes(folder.Native("list.txt"),
                     "a9993e364706816aba3e25717850c26c9cd0d89d  a.txt\n");
    Verify(folder.U16("list.txt"), [&](CChecksumListDlg& window) {
        EXPECT_EQ(window.controlText(kAlgorithmList), "SHA-1");
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window), std::vector<QString>{"1 | a.txt | OK"});
        window.control<QComboBox>(kAlgorithmList)->setCurrentIndex(kMd5);
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window), std::vector<QString>{"1 | a.txt | malformed line"});
    });
    ASSERT_EQ(desktop.messages.size(), 1u);  // no line of that list fits MD5
    EXPECT_EQ(desktop.messages[0].text,
              "This file holds no checksum lines:\n\n" + Q(folder.U16("list.txt")));
}

TEST_F(ChecksumListWindowTest, AListThatCannotBeReadIsSaidWithItsCause) {
    test::MakeFolder(folder.Native("lists.md5"));
    struct Case {
        std::u16string list;
        QString message;
    };
    for (const Case& c : {
             Case{folder.U16("gone.md5"), "This file does not exist:"},
             Case{folder.U16("lists.md5"), "This is a folder, not a file:"},
         }) {
        desktop = {};
        Verify(c.list, [&](CChecksumListDlg& window) {
            Click(window, kStartButton);
            EXPECT_TRUE(window.control(kStopButton)->isHidden());
            EXPECT_EQ(Table(window).model()->rowCount(), 0);
        });
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, c.message + "\n\n" + Q(c.list));
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kExclamation);
    }
}

// What was read is shown; that the list could not be read to its end is said. Reads fail once
// the first 64 KiB of the list are in: its lines up to there, cut in the middle of one, and the
// reading of their file.
TEST_F(ChecksumListWindowTest, AListCutByAReadErrorIsSaidToBe) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    std::string list;
    while (list.size() < 100'000) list += kMd5OfAbc + "  a.txt\n";
    test::WriteBytes(folder.Native("cut.md5"), list);
    Verify(folder.U16("cut.md5"), [&](CChecksumListDlg& window) {
        test::FailingCall failing(test::Call::kRead, EIO, 64 << 10);
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        const std::vector<QString> rows = Rows(window);
        // The line the error cut short is not handed out: its name may be another file's.
        ASSERT_EQ(rows.size(), (64u << 10) / 40);
        EXPECT_EQ(rows.front(), "1 | a.txt | unreadable: read error");
        EXPECT_EQ(rows.back(), "1638 | a.txt | unreadable: read error");
    });
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(
        desktop.messages[0].text,
        "This file could not be read to its end (a read error):\n\n" + Q(folder.U16("cut.md5")));
}

TEST_F(ChecksumListWindowTest, AnotherListComesByTheBrowseButtonOrByDropping) {
    const std::u16string first = MakeList("first.md5");
    const std::u16string second = MakeList("SHA1SUMS");
    desktop.fileAnswers = {std::nullopt, Q(second)};
    Verify(first, [&](CChecksumListDlg& window) {
        Click(window, kBrowseButton);
        EXPECT_EQ(window.controlText(kListField), Q(first));
        Click(window, kBrowseButton);
        EXPECT_EQ(window.controlText(kListField), Q(second));
        EXPECT_EQ(window.controlText(kAlgorithmList), "SHA-1");
        test::Drop(Table(window), {QUrl::fromLocalFile(Q(first))});
        EXPECT_EQ(window.controlText(kListField), Q(first));
        EXPECT_EQ(window.controlText(kAlgorithmList), "MD5");
    });
    ASSERT_EQ(desktop.fileFilters.size(), 2u);
    EXPECT_TRUE(desktop.fileFilters[0].startsWith("Checksum lists|*.md2;*.md4;*.md5;"));
    EXPECT_TRUE(desktop.fileFilters[0].endsWith("*SUMS;*SUMS.*|All files(*.*)|*.*||"));
}

// Stop, and closing in any way, end the run at once, whatever file is at hand.
TEST_F(ChecksumListWindowTest, StopAndClosingEndARunWithinAMoment) {
    MakeBigFile();
    test::WriteBytes(folder.Native("big.md2"), kMd5OfNothing + "  big.bin\n");
    enum class Ending { kStop, kEscape, kClose, kCloseBox };
    for (const Ending ending :
         {Ending::kStop, Ending::kEscape, Ending::kClose, Ending::kCloseBox}) {
        QElapsedTimer clock;
        const int result = Verify(
            folder.U16("big.md2"),
            [&](CChecksumListDlg& window) {
                EXPECT_EQ(window.controlText(kAlgorithmList), "MD2");
                Click(window, kStartButton);
                ASSERT_TRUE(QTest::qWaitFor(
                    [&] {
                        return window.control(kProgressBar)->isVisible() &&
                               window.control<QLabel>(kCurrentFileLabel)
                                   ->text()
                                   .endsWith("big.bin");
                    },
                    20000));
                EXPECT_FALSE(window.control(kAlgorithmList)->isEnabled());
                clock.start();
                switch (ending) {
                    case Ending::kStop:
                        Click(window, kStopButton);
                        ASSERT_TRUE(WaitUntilIdle(window));
                        EXPECT_LT(clock.elapsed(), 5000);
                        EXPECT_EQ(Counts(window),
                                  "Stopped. OK: 0 \u2013 FAILED: 0 \u2013 missing: 0 \u2013 "
                                  "unreadable: 0 \u2013 malformed lines: 0");
                        EXPECT_TRUE(window.control(kAlgorithmList)->isEnabled());
                        EXPECT_TRUE(window.control(kProgressBar)->isHidden());
                        Click(window, kOkResult);
                        break;
                    case Ending::kEscape:
                        QTest::keyClick(&Table(window), Qt::Key_Escape);
                        break;
                    case Ending::kClose:
                        Click(window, kOkResult);
                        break;
                    case Ending::kCloseBox:
                        EXPECT_TRUE(window.close());
                        break;
                }
                EXPECT_FALSE(window.isVisible());
            },
            kMd5);
        EXPECT_LT(clock.elapsed(), 5000) << static_cast<int>(ending);
        EXPECT_EQ(result, ending == Ending::kEscape || ending == Ending::kCloseBox ? kCancelResult
                                                                                   : kOkResult);
        EXPECT_TRUE(desktop.messages.empty());
    }
}

TEST_F(ChecksumListWindowTest, HashesFilesAtOnceWithTheirDigestsInTheLetterCaseChosen) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("b.txt"), "");
    const std::vector<std::u16string> paths = {folder.U16("a.txt"), folder.U16("gone"),
                                               folder.U16("b.txt")};
    HashFiles(paths, [&](CChecksumListDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Hash files");
        EXPECT_EQ(window.controlText(kStartButton), "Hash");
        EXPECT_TRUE(window.control(kListField)->isHidden());
        ASSERT_TRUE(WaitUntilIdle(window));
        const QString a = Q(paths[0]) + " | " + Q(FromUtf8(kMd5OfAbc)) + " | OK";
        const QString b = Q(paths[2]) + " | " + Q(FromUtf8(kMd5OfNothing)) + " | OK";
        EXPECT_EQ(Rows(window), (std::vector<QString>{a, Q(paths[1]) + " |  | missing", b}));
        EXPECT_EQ(Counts(window), "Hashed: 2 \u2013 could not be read: 1");
        window.control<QCheckBox>(kLowercaseBox)->setChecked(false);
        EXPECT_EQ(Rows(window)[0],
                  Q(paths[0]) + " | " + Q(FromUtf8(kMd5OfAbc)).toUpper() + " | OK");
        // Another algorithm, once more.
        window.control<QComboBox>(kAlgorithmList)->setCurrentIndex(kMd2);
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window)[2],
                  Q(paths[2]) + " | " + FileDigest(kMd2, paths[2], false) + " | OK");
    });
}

// The window takes in a list of 100,000 lines while it keeps answering: the longest time it
// took to serve a timer is written into the test's record.
TEST_F(ChecksumListWindowTest, ChecksAHundredThousandLinesAndKeepsAnswering) {
#ifdef TESSIK_SHORT_TESTS
    constexpr int kLines = 5'000;
#else
    constexpr int kLines = 100'000;
#endif
    test::WriteBytes(folder.Native("a.txt"), "abc");
    std::string list;
    for (int line = 0; line < kLines; ++line) {
        list += (line % 1000 == 999 ? kMd5OfNothing : kMd5OfAbc) + "  a.txt\n";
    }
    test::WriteBytes(folder.Native("big.md5"), list);
    Verify(folder.U16("big.md5"), [&](CChecksumListDlg& window) {
        window.control<QCheckBox>(kMismatchesFirstBox)->setChecked(true);
        QElapsedTimer clock;
        qint64 longestGap = 0;
        qint64 last = 0;
        QTimer tick;
        tick.setInterval(5);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longestGap = std::max(longestGap, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        tick.start();
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        const qint64 seconds = clock.elapsed();
        ::testing::Test::RecordProperty("milliseconds", static_cast<int>(seconds));
        ::testing::Test::RecordProperty("longest_gap_ms", static_cast<int>(longestGap));
        EXPECT_EQ(Table(window).model()->rowCount(), kLines);
        EXPECT_EQ(Rows(window).front(), "1000 | a.txt | FAILED");
        EXPECT_EQ(Counts(window),
                  QString("OK: %1 \u2013 FAILED: %2 \u2013 missing: 0 \u2013 unreadable: 0 "
                          "\u2013 malformed lines: 0")
                      .arg(kLines - kLines / 1000)
                      .arg(kLines / 1000));
    });
}

// What drops onto the main window open.
class MainWindowDropTest : public test::MainWindowFixture {
  protected:
    // Drops the files and runs the script in the window the drop opens.
    void DropAndRun(const std::vector<std::u16string>& paths, std::function<void(Dialog&)> script) {
        QList<QUrl> urls;
        for (const std::u16string& path : paths) urls.push_back(QUrl::fromLocalFile(Q(path)));
        test::Drop(*window->control(main_window::kStringField), urls);
        bool ran = false;
        test::WhenModal([&](Dialog& opened) {
            script(opened);
            ran = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 20000));
    }
};

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

TEST_F(MainWindowDropTest, AListIsVerifiedAndAFolderOpensTheFolderWindow) {
    test::WriteBytes(folder.Native("SHA256SUMS"), "");
    test::MakeFolder(folder.Native("photos"));
    StartShown();
    DropAndRun({folder.U16("SHA256SUMS")}, [&](Dialog& opened) {
        EXPECT_EQ(opened.windowTitle(), "Verify checksum list");
        EXPECT_EQ(opened.controlText(kListField), Q(folder.U16("SHA256SUMS")));
        EXPECT_EQ(opened.controlText(kAlgorithmList), "SHA-2(256)");
    });
    DropAndRun({folder.U16("photos")}, [&](Dialog& opened) {
        EXPECT_EQ(opened.windowTitle(), "Get Hash from folder");
        EXPECT_EQ(opened.controlText(folder_window::kFolderField), Q(folder.U16("photos/")));
        opened.runCommand(kOkResult);
    });
    // Only the close box keeps a folder.
    EXPECT_EQ(window->folderValues().lastFolder, u"");
}

TEST_F(MainWindowDropTest, TheFileMenuVerifiesAChosenList) {
    const std::u16string list = folder.U16("x.sha1");
    test::WriteBytes(folder.Native("x.sha1"), "");
    StartShown();
    desktop.fileAnswers = {std::nullopt, Q(list)};
    window->runCommand(main_window::kVerifyListCommand);  // cancelled: nothing opens
    bool opened = false;
    OpenFromMenu(main_window::kVerifyListCommand, [&](Dialog& shown) {
        opened = true;
        EXPECT_EQ(shown.controlText(kListField), Q(list));
    });
    EXPECT_TRUE(opened);
    ASSERT_EQ(desktop.fileFilters.size(), 2u);
    EXPECT_TRUE(desktop.fileFilters[1].startsWith("Checksum lists|"));
}

}  // namespace
}  // namespace tessik
