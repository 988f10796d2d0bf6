#include "ui/qt/verify_list_dlg.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <cerrno>

#include "checksum_list_fixture.h"
#include "support/scoped_environment.h"
#include "support/system_call_faults.h"
#include "support/throwaway_keyrings.h"
#include "ui/qt/hash_folder_dlg.h"

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
using test::MainWindowDropTest;
using test::Q;
using test::Rows;
using test::Table;
using test::WaitUntilIdle;

TEST_F(ChecksumListWindowTest, ShowsTheListAndItsAlgorithmAndChecksItWhenAsked) {
    const std::u16string list = MakeList();
    const int result = Verify(list, [&](CVerifyListDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Verify checksum list");
        EXPECT_EQ(window.controlText(kListField), Q(list));
        EXPECT_EQ(window.controlText(kAlgorithmList), "MD5");  // the list's name says so
        EXPECT_EQ(window.control(kLowercaseBox), nullptr);
        EXPECT_EQ(Table(window).model()->rowCount(), 0);
        EXPECT_FALSE(window.control(kCopyFailedButton)->isEnabled());
        test::ExpectNamedInTabOrder(
            window, {kAlgorithmList, kMismatchesFirstBox, kListField, kBrowseButton, kFolderField,
                     kFolderButton, kNewFilesBox, kTable, kStartButton, kOkResult});
        EXPECT_EQ(window.controlText(kFolderField), Q(folder.U16("")) + "/");

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
        EXPECT_EQ(window.controlText(kCurrentFileLabel),
                  "Names of files that did not pass, now on the clipboard: 2");
        EXPECT_TRUE(window.control(kCurrentFileLabel)->isVisible());

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
    Verify(folder.U16("list.txt"), [&](CVerifyListDlg& window) {
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
        Verify(c.list, [&](CVerifyListDlg& window) {
            Click(window, kStartButton);
            ASSERT_TRUE(WaitUntilIdle(window));
            EXPECT_EQ(Table(window).model()->rowCount(), 0);
        });
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, c.message + "\n\n" + Q(c.list));
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kExclamation);
    }
}

// What was read is shown; that the list could not be read to its end is said. Reads fail once
// the first 64 KiB of the list are in, after they were looked at for a clear signature: its
// lines up to there, cut in the middle of one, and the reading of their file.
TEST_F(ChecksumListWindowTest, AListCutByAReadErrorIsSaidToBe) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    std::string list;
    while (list.size() < 100'000) list += kMd5OfAbc + "  a.txt\n";
    test::WriteBytes(folder.Native("cut.md5"), list);
    Verify(folder.U16("cut.md5"), [&](CVerifyListDlg& window) {
        test::FailingCall failing(test::Call::kRead, EIO, 2 * (64 << 10));
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
    Verify(first, [&](CVerifyListDlg& window) {
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
            [&](CVerifyListDlg& window) {
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
    Verify(folder.U16("big.md5"), [&](CVerifyListDlg& window) {
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

// Files the list does not name are shown as new, and added to it in its own form; the list is
// then checked again. A list that cannot be saved stays as it was, and the window says why.
TEST_F(ChecksumListWindowTest, ShowsNewFilesAndAddsThemToTheList) {
    test::MakeFolder(folder.Native("sub"));
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("sub/new.txt"), "");
    test::WriteBytes(folder.Native(".hidden"), "");
    const std::string list = "MD5 (a.txt) = " + kMd5OfAbc + "\r\n";
    test::WriteBytes(folder.Native("files.md5"), list);
    const auto checkWithNewFiles = [&](CVerifyListDlg& window) {
        window.control<QCheckBox>(kNewFilesBox)->setChecked(true);
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
    };
    Verify(folder.U16("files.md5"), [&](CVerifyListDlg& window) {
        EXPECT_FALSE(window.control(kAddNewButton)->isEnabled());
        checkWithNewFiles(window);
        EXPECT_EQ(Rows(window), (std::vector<QString>{"1 | a.txt | OK", " | sub/new.txt | NEW"}));
        EXPECT_TRUE(Counts(window).endsWith("malformed lines: 0 \u2013 new: 1"));
        EXPECT_EQ(window.controlText(kSignatureLabel), "");
        {
            const test::ReadOnlyFolder readOnly(folder.path());
            Click(window, kAddNewButton);
            ASSERT_TRUE(WaitUntilIdle(window));
        }
        EXPECT_EQ(test::ReadBytes(folder.Native("files.md5")), list);
        Click(window, kAddNewButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window), (std::vector<QString>{"1 | a.txt | OK", "2 | sub/new.txt | OK"}));
        EXPECT_FALSE(window.control(kAddNewButton)->isEnabled());
    });
    EXPECT_EQ(test::ReadBytes(folder.Native("files.md5")),
              list + "MD5 (sub/new.txt) = " + kMd5OfNothing + "\r\n");
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[0].text, "The list could not be saved; it is as it was:\n\n" +
                                            Q(folder.U16("files.md5")) +
                                            "\n\nYou are not allowed to write there.");
    EXPECT_EQ(desktop.messages[1].text, "Lines for 1 files were added to the list.");
}

// A list made inside a folder and kept beside it: the window offers that folder, looks the
// names up there once accepted, and any other folder can be picked.
TEST_F(ChecksumListWindowTest, OffersAndTakesTheFolderTheNamesBelongTo) {
    test::MakeFolder(folder.Native("tree"));
    test::WriteBytes(folder.Native("tree/a.txt"), "abc");
    test::WriteBytes(folder.Native("tree.md5"), kMd5OfAbc + "  a.txt\n");
    desktop.yesNoAnswers = {false, true};
    desktop.folderAnswers = {Q(folder.U16("tree"))};
    Verify(folder.U16("tree.md5"), [&](CVerifyListDlg& window) {
        Click(window, kStartButton);  // declined: asked once only
        ASSERT_TRUE(WaitUntilIdle(window));
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Rows(window), std::vector<QString>{"1 | a.txt | missing"});
        Click(window, kFolderButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(window.controlText(kFolderField), Q(folder.U16("tree/")));
        EXPECT_EQ(Rows(window), std::vector<QString>{"1 | a.txt | OK"});
        // Another list starts with its own folder, and is offered the one beside it again.
        test::Drop(Table(window), {QUrl::fromLocalFile(Q(folder.U16("tree.md5")))});
        EXPECT_EQ(window.controlText(kFolderField), Q(folder.U16("")) + "/");
        Click(window, kStartButton);
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(window.controlText(kFolderField), Q(folder.U16("tree/")));
        EXPECT_EQ(Rows(window), std::vector<QString>{"1 | a.txt | OK"});
    });
    const QString offer =
        "Most files this list names are not beside it, but in this folder. Look them up "
        "there?\n\n" +
        Q(folder.U16("tree/"));
    EXPECT_EQ(desktop.questions, (std::vector<QString>{offer, offer}));
    EXPECT_EQ(desktop.folderInitials, std::vector<QString>{Q(folder.U16("")) + "/"});
}

// The signature's line says who signed with which key, and a list changed after signing says so
// first, although every entry matches.
TEST_F(ChecksumListWindowTest, SaysWhatBecameOfTheListsSignature) {
    if (!test::GpgInstalled()) GTEST_SKIP() << "gpg is not installed";
    const test::ThrowawayKeyrings keys;
    ASSERT_TRUE(keys.made());
    const test::ScopedEnvironment home("GNUPGHOME", keys.Home("signer"));
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("SUMS.md5"), kMd5OfAbc + "  a.txt\n# made today\n");
    ASSERT_TRUE(keys.Gpg("--detach-sign '" + folder.Native("SUMS.md5") + "'"));
    QString fingerprint;
    for (std::size_t i = 0; i < keys.fingerprint().size(); i += 4) {
        fingerprint += QString::fromStdString(keys.fingerprint().substr(i, 4)) + ' ';
    }
    fingerprint.chop(1);
    std::vector<QString> lines;
    for (const char* comment : {"# made today\n", "# changed\n"}) {
        test::WriteBytes(folder.Native("SUMS.md5"), kMd5OfAbc + "  a.txt\n" + comment);
        Verify(folder.U16("SUMS.md5"), [&](CVerifyListDlg& window) {
            Click(window, kStartButton);
            ASSERT_TRUE(WaitUntilIdle(window));
            EXPECT_EQ(Rows(window), std::vector<QString>{"1 | a.txt | OK"});
            lines.push_back(window.controlText(kSignatureLabel));
        });
    }
    EXPECT_EQ(lines, (std::vector<QString>{
                         "Good signature by List Signer <signer@example.org>, key " + fingerprint,
                         "BAD SIGNATURE: the list was changed after List Signer "
                         "<signer@example.org> signed it (key " +
                             fingerprint + "). Do not trust it."}));
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
    EXPECT_EQ(window->settings().folder.lastFolder, u"");
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
