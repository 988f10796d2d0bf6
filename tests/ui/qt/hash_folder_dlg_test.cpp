#include "ui/qt/hash_folder_dlg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "digest/algorithm_catalogue.h"
#include "main_window_fixture.h"
#include "support/known_digests.h"
#include "support/system_call_faults.h"
#include "ui/qt/widget_font_host.h"

namespace tessik {
namespace {

using namespace folder_window;
using test::FileDigest;
using test::Q;
using test::U16;

constexpr int kMd5 = 2;

QLineEdit& Edit(const Dialog& window, int id) {
    return *window.control<QLineEdit>(id);
}
QPlainTextEdit& Output(const Dialog& window) {
    return *window.control<QPlainTextEdit>(kOutputField);
}
QPushButton& Button(const Dialog& window, int id) {
    return *window.control<QPushButton>(id);
}
bool WaitUntilIdle(const Dialog& window) {
    return QTest::qWaitFor([&] { return Button(window, kStopButton).isHidden(); }, 20000);
}
bool WaitForOutput(const Dialog& window, const QString& part) {
    return QTest::qWaitFor([&] { return Output(window).toPlainText().contains(part); }, 20000);
}
QString Summary(const Dialog& window) {
    return window.control<QLabel>(kSummaryLabel)->text();
}
bool WaitForSummary(const Dialog& window) {
    return QTest::qWaitFor([&] { return !Summary(window).isEmpty(); }, 20000);
}
// Until a run has left exactly this output and the window is idle.
bool WaitForRun(const Dialog& window, const QString& output) {
    return QTest::qWaitFor(
        [&] {
            return Output(window).toPlainText() == output && Button(window, kStopButton).isHidden();
        },
        20000);
}

// The folder window run on its own, with a caller's font settings and folder values.
class FolderWindowTest : public ::testing::Test {
  protected:
    FolderWindowTest() : host(owner), fonts(host) {}

    // The folder to walk, in walk order; the second file is the one a run can be held in.
    void MakeFolder(std::initializer_list<const char*> names) {
        for (const char* name : names) test::WriteBytes(folder.Native(name), name);
        values.lastFolder = folder.U16() + u"/";
    }
    // A file that MD2 takes most of a minute over; it holds nothing but zeros, stored as a hole.
    void MakeBigFile(const char* name) {
        test::WriteBytes(folder.Native(name), "");
        ASSERT_EQ(::truncate(folder.Native(name).c_str(), off_t{512} << 20), 0);
    }
    // Until the run shows its progress on the file of that name.
    static bool WaitForProgressOn(const Dialog& window, const char* name) {
        return QTest::qWaitFor(
            [&] {
                return window.control(kProgressBar)->isVisible() &&
                       window.control<QLabel>(kCurrentFileLabel)->text().endsWith(name);
            },
            20000);
    }
    // Starts a run and returns once a worker is held.
    static void ProcessUntilHeld(CHashFolderDlg& window, const test::HeldCall& held) {
        Button(window, kProcessButton).click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return held.IsHeld(); }, 20000));
    }

    int Run(std::function<void(CHashFolderDlg&)> script, int algorithm = kMd5,
            bool lowerCase = true, std::u16string separator = u"|") {
        CHashFolderDlg window(desktop);
        window.setLanguageFile(languageFile);
        if (several != nullptr) window.offerSeveral(*several);
        test::WhenModal([&](Dialog& shown) {
            EXPECT_EQ(&shown, &window);
            script(window);
        });
        return window.RunFolderDialog(fonts, algorithm, lowerCase, values, std::move(separator));
    }

    QString Line(const char* name, int algorithm, bool lower = true,
                 const QString& separator = "|") const {
        const std::u16string path = folder.U16(name);
        return Q(path) + separator + FileDigest(algorithm, path, lower) + "\n";
    }

    test::TemporaryFolder folder;
    test::FakeDesktopServices desktop;
    QWidget owner;
    WidgetFontHost host;
    FontSettings fonts;
    FolderValues values{u"", u"*", u"*"};
    std::u16string languageFile;
    AlgorithmSet* several = nullptr;  // offered as the algorithm list's last entry
};

TEST_F(FolderWindowTest, OpensWithTheCallersValues) {
    values = {u"/some/folder/", u"*.txt", u"bin"};
    const int result = Run(
        [](CHashFolderDlg& window) {
            EXPECT_EQ(window.windowTitle(), "Get Hash from folder");
            EXPECT_EQ(window.controlText(kFolderField), "/some/folder/");
            EXPECT_EQ(window.controlText(kNameFilterField), "*.txt");
            EXPECT_EQ(window.controlText(kExtensionField), "bin");
            EXPECT_EQ(window.control<QComboBox>(kAlgorithmList)->count(), AlgorithmCount());
            EXPECT_EQ(window.controlText(kAlgorithmList), "SHA-1");
            EXPECT_FALSE(window.control<QCheckBox>(kLowercaseBox)->isChecked());
            EXPECT_FALSE(window.control<QCheckBox>(kSubfoldersBox)->isChecked());
            EXPECT_TRUE(Button(window, kStopButton).isHidden());
            EXPECT_EQ(window.controlText(kProcessButton), "&Process folder");
            EXPECT_EQ(window.controlText(kNameFilterLabel), "File&name");
            EXPECT_EQ(window.control(kNameFilterField)->accessibleName(), "Filename");
            test::ExpectNamedInTabOrder(
                window,
                {kFolderField, kBrowseButton, kSubfoldersBox, kNameFilterField, kExtensionField,
                 kAlgorithmList, kLowercaseBox, kOutputField, kProcessButton, kOkResult});
            Button(window, kOkResult).click();
        },
        3, false);
    EXPECT_EQ(result, kOkResult);
}

TEST_F(FolderWindowTest, ProcessWritesALinePerFileAndTheCloseBoxKeepsTheValues) {
    test::WriteBytes(folder.Native("a.txt"), "alpha");
    test::WriteBytes(folder.Native("b.bin"), "beta");
    test::MakeFolder(folder.Native("sub"));
    test::WriteBytes(folder.Native("sub/c.txt"), "gamma");
    values.lastFolder = folder.U16() + u"/";
    const int result = Run(
        [this](CHashFolderDlg& window) {
            Button(window, kProcessButton).click();
            EXPECT_TRUE(WaitForRun(
                window, Line("a.txt", kMd5, true, " ") + Line("b.bin", kMd5, true, " ")));
            ASSERT_TRUE(WaitForSummary(window));
            EXPECT_TRUE(Summary(window).startsWith(
                "Files hashed: 2 \u2013 could not be read: 0 \u2013 folders that could not be "
                "opened: 0 \u2013 0.00 MB in "))
                << Summary(window).toStdString();

            // The letter case, the sub-folders and the filters reach the next run; only the
            // close box turns emptied filters into "*".
            test::Click(*window.control(kLowercaseBox));
            test::Click(*window.control(kSubfoldersBox));
            Edit(window, kExtensionField).setText(".txt");
            Button(window, kProcessButton).click();
            EXPECT_TRUE(WaitForRun(
                window, Line("a.txt", kMd5, false, " ") + Line("sub/c.txt", kMd5, false, " ")));
            EXPECT_TRUE(Button(window, kOkResult).isEnabled());
            EXPECT_TRUE(Button(window, kProcessButton).isEnabled());

            Edit(window, kNameFilterField).clear();
            Edit(window, kExtensionField).clear();
            Edit(window, kFolderField).setText("/elsewhere");
            EXPECT_TRUE(window.close());
        },
        kMd5, true, u" ");
    EXPECT_EQ(result, kOkResult);
    EXPECT_EQ(values, (FolderValues{u"/elsewhere", u"*", u"*"}));
}

TEST_F(FolderWindowTest, OkAndEscapeKeepNothing) {
    enum class Ending { kOk, kEscape };
    for (const Ending ending : {Ending::kOk, Ending::kEscape}) {
        values = {u"/kept/", u"*.txt", u"txt"};
        const int result = Run([ending](CHashFolderDlg& window) {
            Edit(window, kFolderField).setText("/changed/");
            Edit(window, kNameFilterField).clear();
            Edit(window, kExtensionField).clear();
            if (ending == Ending::kOk) {
                Button(window, kOkResult).click();
            } else {
                QTest::keyClick(&Edit(window, kFolderField), Qt::Key_Escape);
            }
            EXPECT_FALSE(window.isVisible());
        });
        EXPECT_EQ(result, ending == Ending::kOk ? kOkResult : kCancelResult);
        EXPECT_EQ(values, (FolderValues{u"/kept/", u"*.txt", u"txt"}));
    }
}

TEST_F(FolderWindowTest, StopReturnsTheButtonsAtOnceAndCancelsTheFileInHand) {
    MakeFolder({"a.txt", "b.bin", "c.txt"});
    test::HeldCall held("/c.txt");
    Run([&](CHashFolderDlg& window) {
        ProcessUntilHeld(window, held);
        ASSERT_TRUE(WaitForOutput(window, "b.bin"));
        EXPECT_FALSE(Button(window, kStopButton).isHidden());
        EXPECT_FALSE(Button(window, kOkResult).isEnabled());
        EXPECT_FALSE(Button(window, kProcessButton).isEnabled());
        Button(window, kStopButton).click();
        EXPECT_TRUE(Button(window, kStopButton).isHidden());
        EXPECT_TRUE(Button(window, kOkResult).isEnabled());
        held.Release();
        ASSERT_TRUE(WaitForSummary(window));
        EXPECT_TRUE(Summary(window).startsWith("Stopped. Files hashed: 2 \u2013"))
            << Summary(window).toStdString();
        Button(window, kOkResult).click();
        EXPECT_EQ(Output(window).toPlainText(), Line("a.txt", kMd5) + Line("b.bin", kMd5));
    });
}

TEST_F(FolderWindowTest, ProcessRightAfterStopStartsOnceTheStoppedWorkerHasEnded) {
    MakeFolder({"a.txt", "b.bin", "c.txt"});
    test::HeldCall held("/c.txt");
    Run([&](CHashFolderDlg& window) {
        ProcessUntilHeld(window, held);
        Button(window, kStopButton).click();
        Button(window, kProcessButton).click();
        held.Release();
        // The new run waits for the stopped one, still at c.txt, and lists everything.
        EXPECT_TRUE(
            WaitForRun(window, Line("a.txt", kMd5) + Line("b.bin", kMd5) + Line("c.txt", kMd5)));
    });
}

TEST_F(FolderWindowTest, ALongRunShowsItsProgressAndEscapeCancelsTheFileInHand) {
    constexpr int kMd2 = 0;
    MakeFolder({"a.txt"});
    MakeBigFile("big.bin");
    {
        CHashFolderDlg window(desktop);
        QElapsedTimer clock;
        test::WhenModal([&](Dialog&) {
            Button(window, kProcessButton).click();
            ASSERT_TRUE(WaitForProgressOn(window, "big.bin"));
            EXPECT_TRUE(window.control(kSummaryLabel)->isHidden());
            // The whole run's figures, its share and time left once the walk ahead has
            // counted it.
            auto* bar = window.control<QProgressBar>(kProgressBar);
            EXPECT_TRUE(QTest::qWaitFor([&] { return bar->text().contains(" left"); }, 10000));
            const QString figures = bar->text();
            EXPECT_TRUE(QRegularExpression("^Files: 1/2 \u2013 [0-9.]+ MB \u2013 [0-9.]+ MB/s "
                                           "\u2013 [0-9]+% \u2013 [0-9:]+ left$")
                            .match(figures)
                            .hasMatch())
                << figures.toStdString();
            clock.start();
            QTest::keyClick(&Edit(window, kFolderField), Qt::Key_Escape);
        });
        EXPECT_EQ(window.RunFolderDialog(fonts, kMd2, true, values, u"|"), kCancelResult);
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_EQ(Output(window).toPlainText(), Line("a.txt", kMd2));
        EXPECT_TRUE(Button(window, kStopButton).isHidden());
        EXPECT_TRUE(window.control(kProgressBar)->isHidden());
    }
    EXPECT_EQ(values, (FolderValues{folder.U16() + u"/", u"*", u"*"}));
}

TEST_F(FolderWindowTest, AFolderThatIsNotThereOrAFileGivesAMessageAndNoRun) {
    test::WriteBytes(folder.Native("file.txt"), "x");
    struct Case {
        std::u16string folder;
        QString message;
    };
    for (const Case& c : {
             Case{folder.U16("missing"), "This folder does not exist:"},
             Case{folder.U16("file.txt"), "This is a file, not a folder:"},
         }) {
        desktop = {};
        values.lastFolder = c.folder;
        Run([&](CHashFolderDlg& window) {
            Output(window).setPlainText("kept");
            Button(window, kProcessButton).click();
            EXPECT_TRUE(Button(window, kStopButton).isHidden());
            EXPECT_TRUE(Button(window, kProcessButton).isEnabled());
            QTest::qWait(50);
            EXPECT_EQ(Output(window).toPlainText(), "kept");
            EXPECT_EQ(Summary(window), "");
        });
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, c.message + "\n\n" + Q(c.folder));
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kExclamation);
    }
}

TEST_F(FolderWindowTest, EnterInTheFolderOrAFilterStartsTheRunAndElsewherePressesOk) {
    MakeFolder({"a.txt"});
    for (int field : {kFolderField, kNameFilterField, kExtensionField, kAlgorithmList}) {
        const int result = Run([&](CHashFolderDlg& window) {
            window.activateWindow();
            window.control(field)->setFocus();
            QTest::keyClick(window.control(field), Qt::Key_Return);
            if (field == kAlgorithmList) return;
            EXPECT_TRUE(window.isVisible()) << field;
            EXPECT_TRUE(WaitForRun(window, Line("a.txt", kMd5))) << field;
            window.close();
        });
        EXPECT_EQ(result, kOkResult) << field;
    }
}

TEST_F(FolderWindowTest, TextTypedIntoTheOutputIsReplacedAtTheNextLine) {
    MakeFolder({"a.txt", "b.bin", "c.txt"});
    test::HeldCall held("/c.txt");
    Run([&](CHashFolderDlg& window) {
        ProcessUntilHeld(window, held);
        ASSERT_TRUE(WaitForOutput(window, "b.bin"));
        Output(window).moveCursor(QTextCursor::Start);
        QTest::keyClicks(&Output(window), "typed");
        EXPECT_TRUE(Output(window).toPlainText().startsWith("typed"));
        held.Release();
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Output(window).toPlainText(),
                  Line("a.txt", kMd5) + Line("b.bin", kMd5) + Line("c.txt", kMd5));
    });
}

TEST_F(FolderWindowTest, BrowsePutsTheChosenFolderWithASeparator) {
    test::MakeFolder(folder.Native("Photos"));
    struct Case {
        QString typed;
        std::optional<QString> answer;
        QString initial;  // where the browser opens
        QString field;
    };
    const QString existing = Q(folder.U16("Photos"));
    for (const Case& c : {
             Case{existing, existing + "/Holiday", existing, existing + "/Holiday/"},
             Case{"/no/such/folder", "/", "", "/"},
             Case{existing + "/", existing, existing + "/", existing + "/"},
             Case{"typed", std::nullopt, "", "typed"},
             Case{"typed", QString(), "", "typed"},  // a choice without a path
         }) {
        desktop = {};
        desktop.folderAnswers.push_back(c.answer);
        Run([&c](CHashFolderDlg& window) {
            Edit(window, kFolderField).setText(c.typed);
            Button(window, kBrowseButton).click();
            EXPECT_EQ(window.controlText(kFolderField), c.field);
        });
        EXPECT_EQ(desktop.folderInitials, std::vector<QString>{c.initial});
    }
}

TEST_F(FolderWindowTest, TextsComeFromTheLanguageFile) {
    test::WriteBytes(folder.Native("de.lng"),
                     "FrmFolder.Caption=\"Ordner\"\r\n"
                     "FrmFolder.m_LBLFileextension=\"Erweiterung\"\r\n"
                     "FrmFolder.m_BTNStopProcessing=\"Stopp\"\r\n");
    languageFile = folder.U16("de.lng");
    Run([](CHashFolderDlg& window) {
        EXPECT_EQ(window.windowTitle(), "Ordner");
        EXPECT_EQ(window.controlText(kExtensionLabel), "Erweiterung");
        EXPECT_EQ(window.control(kExtensionField)->accessibleName(), "Erweiterung");
        EXPECT_EQ(window.controlText(kStopButton), "Stopp");
        EXPECT_EQ(window.controlText(kFolderLabel), "&Folder");
    });
}

// Saved where the run was made, as a GNU or BSD list with the names below the folder, or as the
// output shows; files that could not be read are said to have no line.
TEST_F(FolderWindowTest, SaveResultsWritesTheRunInTheFormatChosen) {
    test::MakeFolder(folder.Native("sub"));
    test::WriteBytes(folder.Native("sub/a.txt"), "abc");
    ASSERT_EQ(::mkfifo(folder.Native("sub/fifo").c_str(), 0600), 0);
    values.lastFolder = folder.U16("sub");
    const std::string md5OfAbc = "900150983cd24fb0d6963f7d28e17f72";
    const std::string list = folder.Native("saved");
    struct Case {
        int format;
        std::string bytes;
    };
    for (const Case& c : {
             Case{0, md5OfAbc + "  a.txt\n"},
             Case{1, "MD5 (a.txt) = " + md5OfAbc + "\n"},
             Case{2, "shown\r\n"},
         }) {
        desktop = {};
        desktop.saveAnswers = {std::nullopt, test::FakeDesktopServices::SaveChoice{
                                                 QString::fromStdString(list), c.format}};
        Run([&](CHashFolderDlg& window) {
            EXPECT_FALSE(Button(window, kSaveButton).isEnabled());
            Button(window, kProcessButton).click();
            EXPECT_FALSE(Button(window, kSaveButton).isEnabled());
            ASSERT_TRUE(WaitForSummary(window));
            Edit(window, kFolderField).setText("/elsewhere");
            if (c.format == 2) Output(window).setPlainText("shown\n");
            Button(window, kSaveButton).click();  // cancelled
            EXPECT_FALSE(window.control(kCurrentFileLabel)->isVisible());
            Button(window, kSaveButton).click();
            EXPECT_EQ(window.controlText(kCurrentFileLabel),
                      "Saved: " + QString::fromStdString(list));
            EXPECT_TRUE(window.control(kCurrentFileLabel)->isVisible());
        });
        EXPECT_EQ(test::ReadBytes(list), c.bytes) << c.format;
        ASSERT_EQ(desktop.saveDialogs.size(), 2u);
        EXPECT_EQ(desktop.saveDialogs[0].suggestedPath, Q(folder.U16("sub/MD5SUMS")));
        EXPECT_EQ(desktop.saveDialogs[0].filter,
                  "GNU checksum list (digest  name)|*|BSD checksum list (TAG (name) = digest)|*|"
                  "The output as shown|*||");
        const std::vector<QString> said =
            c.format == 2 ? std::vector<QString>{}
                          : std::vector<QString>{
                                "Files that could not be read, which have no line in the list: 1"};
        ASSERT_EQ(desktop.messages.size(), said.size());
        for (std::size_t i = 0; i < said.size(); ++i) {
            EXPECT_EQ(desktop.messages[i].text, said[i]);
            EXPECT_EQ(desktop.messages[i].icon, MessageIcon::kInformation);
        }
    }
}

// Chosen in the algorithm list, several algorithms give each line a digest per algorithm, and
// the results are saved with a tagged line per algorithm.
TEST_F(FolderWindowTest, SeveralAlgorithmsGiveEachLineTheirDigestsAndSaveATaggedLineEach) {
    test::MakeFolder(folder.Native("sub"));
    test::WriteBytes(folder.Native("sub/a.txt"), "abc");
    values.lastFolder = folder.U16("sub");
    AlgorithmSet ticked = {AlgorithmWithId("md5"), AlgorithmWithId("sha1")};
    several = &ticked;
    const std::string list = folder.Native("saved");
    desktop.saveAnswers = {
        test::FakeDesktopServices::SaveChoice{QString::fromStdString(list), 0}};
    Run([&](CHashFolderDlg& window) {
        test::WhenModal([](Dialog& asking) { asking.runCommand(kOkResult); });
        window.control<QComboBox>(kAlgorithmList)->setCurrentIndex(AlgorithmCount());
        Button(window, kProcessButton).click();
        ASSERT_TRUE(WaitForSummary(window));
        EXPECT_EQ(Output(window).toPlainText(), Q(folder.U16("sub/a.txt")) + "|" +
                                                    Q(FromUtf8(test::kMd5OfAbc)) + "|" +
                                                    Q(FromUtf8(test::kSha1OfAbc)) + "\n");
        Button(window, kSaveButton).click();
    });
    EXPECT_EQ(test::ReadBytes(list), "MD5 (a.txt) = " + test::kMd5OfAbc + "\nSHA1 (a.txt) = " +
                                         test::kSha1OfAbc + "\n");
    ASSERT_EQ(desktop.saveDialogs.size(), 1u);
    EXPECT_EQ(desktop.saveDialogs[0].suggestedPath, Q(folder.U16("sub/CHECKSUMS")));
}

TEST_F(FolderWindowTest, ASaveThatFailsSaysWhyAndKeepsTheFileThatWasThere) {
    MakeFolder({"a.txt"});
    test::MakeFolder(folder.Native("locked"));
    test::WriteBytes(folder.Native("locked/MD5SUMS"), "kept");
    desktop.saveAnswers = {
        test::FakeDesktopServices::SaveChoice{Q(folder.U16("locked/MD5SUMS")), 0}};
    {
        test::ReadOnlyFolder locked(folder.Native("locked"));
        Run([&](CHashFolderDlg& window) {
            Button(window, kProcessButton).click();
            ASSERT_TRUE(WaitForSummary(window));
            Button(window, kSaveButton).click();
        });
    }
    EXPECT_EQ(test::ReadBytes(folder.Native("locked/MD5SUMS")), "kept");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "The results could not be saved:\n\n" +
                                            Q(folder.U16("locked/MD5SUMS")) +
                                            "\n\nYou are not allowed to write there.");
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kExclamation);
}

class FolderCommandTest : public test::MainWindowFixture {};

TEST_F(FolderCommandTest, TheMenuCommandHandsOverTheMainWindowsChoicesAndTakesBackTheValues) {
    test::WriteBytes(folder.Native("a.txt"), "alpha");
    StartShown();
    Algorithms().setCurrentIndex(kMd5);
    Click(main_window::kLowercaseBox);  // unticked now
    OpenFromMenu(main_window::kFolderCommand, [this](Dialog& window) {
        ASSERT_NE(qobject_cast<CHashFolderDlg*>(&window), nullptr);
        EXPECT_EQ(window.controlText(kNameFilterField), "*");
        EXPECT_EQ(window.controlText(kExtensionField), "*");
        EXPECT_EQ(window.control<QComboBox>(kAlgorithmList)->currentIndex(), kMd5);
        EXPECT_FALSE(window.control<QCheckBox>(kLowercaseBox)->isChecked());
        Edit(window, kFolderField).setText(Q(folder.U16() + u"/"));
        Edit(window, kNameFilterField).setText("a.t");
        Button(window, kProcessButton).click();
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(
            Output(window).toPlainText(),
            Q(folder.U16("a.txt")) + "|" + FileDigest(kMd5, folder.U16("a.txt"), false) + "\n");
        window.close();
    });
    EXPECT_EQ(window->settings().folder, (FolderValues{folder.U16() + u"/", u"a.t", u"*"}));

    // The next opening shows what the close box kept.
    OpenFromMenu(main_window::kFolderCommand, [this](Dialog& window) {
        EXPECT_EQ(U16(window.controlText(kFolderField)), folder.U16() + u"/");
        EXPECT_EQ(window.controlText(kNameFilterField), "a.t");
    });
}

}  // namespace
}  // namespace tessik
