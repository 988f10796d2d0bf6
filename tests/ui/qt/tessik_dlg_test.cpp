#include "ui/qt/tessik_dlg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <memory>
#include <optional>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "main_window_fixture.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/text_conversion.h"
#include "support/known_digests.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "ui/qt/dialog_menu.h"
#include "ui/qt/qt_font.h"
#include "ui/rules/main_window.h"
#include "ui/rules/options_window.h"

namespace tessik {
namespace {

using namespace main_window;

using test::FileDigest;
using test::Q;
using test::TextDigest;
using test::U16;

class MainWindowTest : public test::MainWindowFixture {
  protected:
    // A file hash runs on a worker; the window serves events until it has ended, and the look
    // for a list beside the file that follows it, so that no worker outlives a test's faults.
    void WaitForTheHash() {
        ASSERT_TRUE(QTest::qWaitFor(
            [this] { return !window->isHashingFile() && !window->isLookingForList(); }, 20000));
    }
    void HashFile() {
        Click(kHashFileButton);
        WaitForTheHash();
    }
    // Until the hash has gone on long enough to show its progress.
    bool WaitForTheProgress() {
        return QTest::qWaitFor([this] { return window->control(kProgressBar)->isVisible(); },
                               20000);
    }
    QString ProgressText() const { return window->control<QProgressBar>(kProgressBar)->text(); }
};

TEST_F(MainWindowTest, FirstStartShowsTheDefaultsAndTheBuiltInTexts) {
    Start();
    EXPECT_EQ(Algorithms().count(), AlgorithmCount());
    EXPECT_EQ(Algorithms().currentIndex(), 7);
    EXPECT_EQ(Algorithms().currentText(), "SHA-2(512)");
    EXPECT_TRUE(Box(kLowercaseBox).isChecked());
    EXPECT_FALSE(Box(kCaseSensitiveBox).isChecked());
    EXPECT_EQ(window->windowTitle(), "Korvane HASH-Generator");
    // The built-in texts replace the template's.
    EXPECT_EQ(window->controlText(kResultLabel), "HASH value");
    EXPECT_EQ(window->controlText(kExpectedLabel), "&Expected HASH value");
    EXPECT_EQ(window->control(kResultField)->accessibleName(), "HASH value");
    EXPECT_EQ(window->menu()->item(kFolderCommand)->text(), "Get Hash from &folder");
    EXPECT_EQ(window->menu()->popupText(2), "&?");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->minimumSize(), QSize(640, 380));
}

TEST_F(MainWindowTest, FirstArgumentGoesToTheFileNameOrTheStringField) {
    test::WriteBytes(folder.Native("data.bin"), "content");
    test::MakeFolder(folder.Native("dir"));
    struct Case {
        std::vector<std::u16string> arguments;
        std::u16string fileName;
        std::u16string string;
    };
    for (const Case& c : {
             Case{{}, u"", u""},
             Case{{folder.U16("data.bin")}, folder.U16("data.bin"), u""},
             Case{{folder.U16("dir")}, u"", folder.U16("dir")},
             Case{{u"hello world"}, u"", u"hello world"},
             Case{{u"first", folder.U16("data.bin")}, u"", u"first"},
         }) {
        Start(c.arguments);
        EXPECT_EQ(U16(Field(kFileNameField).text()), c.fileName);
        EXPECT_EQ(U16(StringField().toPlainText()), c.string);
        EXPECT_EQ(Field(kResultField).text(), "");  // nothing is hashed
    }
}

TEST_F(MainWindowTest, DocumentItemsExistOnlyWithTheirDocuments) {
    struct Case {
        bool license;
        bool readMe;
        std::vector<QString> helpMenu;
    };
    for (const Case& c : {
             Case{true, true, {"&License", "C&hanges", "Check for &update", "", "&Info"}},
             Case{true, false, {"&License", "", "&Info"}},
             Case{false, true, {"C&hanges", "Check for &update", "", "&Info"}},
             Case{false, false, {"", "&Info"}},
         }) {
        std::remove(folder.Native("program/License.txt").c_str());
        std::remove(folder.Native("program/ReadMe.txt").c_str());
        if (c.license) test::WriteBytes(folder.Native("program/License.txt"), "MIT");
        if (c.readMe) test::WriteBytes(folder.Native("program/ReadMe.txt"), "notes");
        Start();
        std::vector<QString> texts;
        for (const QAction* action : window->menu()->popup(2)->actions()) {
            texts.push_back(action->isSeparator() ? QString() : action->text());
        }
        EXPECT_EQ(texts, c.helpMenu) << c.license << c.readMe;
    }
    test::WriteBytes(folder.Native("program/License.txt"), "MIT");
    test::WriteBytes(folder.Native("program/ReadMe.txt"), "notes");
    Start();
    window->menu()->item(kLicenseCommand)->trigger();
    window->menu()->item(kChangesCommand)->trigger();
    EXPECT_EQ(desktop.documents, (std::vector<QString>{Q(folder.U16("program/License.txt")),
                                                       Q(folder.U16("program/ReadMe.txt"))}));
}

TEST_F(MainWindowTest, ControlsFollowTheWindowSize) {
    StartShown();
    QApplication::processEvents();  // the layout once the window is shown
    const QRect algorithmList = window->control(kAlgorithmList)->geometry();
    const QRect lowercase = window->control(kLowercaseBox)->geometry();
    const QRect stringField = window->control(kStringField)->geometry();
    const QSize natural = window->size();
    for (const QSize size : {QSize(640, 380), QSize(1600, 1000), natural}) {
        window->resize(size);
        const QSize client = window->clientArea()->size();
        ASSERT_EQ(client.width(), size.width());
        const auto rect = [this](int id) { return window->control(id)->geometry(); };
        const int cx = client.width();
        const int cy = client.height();
        EXPECT_EQ(rect(kCopyButton).right() + 1, cx / 2 - 6);
        EXPECT_EQ(rect(kCopyButton).bottom() + 1, cy - 8);
        EXPECT_EQ(rect(kCompareButton).left(), rect(kCopyButton).right() + 1 + 12);
        EXPECT_EQ(rect(kCaseSensitiveBox).bottom() + 1, rect(kCopyButton).top() - 12);
        for (int id : {kExpectedField, kResultField, kStringField, kHashStringButton,
                       kHashFileButton, kBrowseButton}) {
            EXPECT_EQ(rect(id).right() + 1, cx - 6) << "control " << id << " at " << cx;
        }
        EXPECT_EQ(rect(kFileNameField).right() + 1, rect(kBrowseButton).left() - 6);
        EXPECT_EQ(rect(kExpectedLabel).top(), rect(kExpectedField).top());
        EXPECT_EQ(rect(kResultLabel).top(), rect(kResultField).top());
        EXPECT_EQ(rect(kStringField).bottom() + 1, rect(kHashStringButton).top() - 6);
        EXPECT_EQ(rect(kStringField).top(), stringField.top());
        // At its template size and above the first row stays; below, it gives up room in line.
        if (size.width() >= natural.width()) {
            EXPECT_EQ(rect(kAlgorithmList), algorithmList);
            EXPECT_EQ(rect(kLowercaseBox), lowercase);
        } else {
            EXPECT_LE(rect(kAlgorithmList).left(), algorithmList.left());
            EXPECT_LT(rect(kAlgorithmLabel).right(), rect(kAlgorithmList).left());
            EXPECT_LT(rect(kAlgorithmList).right(), rect(kLowercaseBox).left());
            EXPECT_EQ(rect(kAlgorithmList).left(), rect(kFileNameField).left());
        }
    }
    window->resize(500, 200);  // the frame snaps back to the minimum
    EXPECT_EQ(window->size(), QSize(640, 380));
}

TEST_F(MainWindowTest, HashTextHashesTheStringFieldWithCrLfLineBreaks) {
    StartShown();
    Algorithms().setCurrentIndex(2);
    StringField().setPlainText("abc\ndef");
    Click(kHashStringButton);
    EXPECT_EQ(Field(kResultField).text(), TextDigest(2, u"abc\r\ndef", true));
    EXPECT_EQ(StringField().toolTip(), "Line ends are hashed as CR LF (View, Options)");

    // The letter case reaches the result shown at once.
    Click(kLowercaseBox);
    EXPECT_FALSE(Box(kLowercaseBox).isChecked());
    EXPECT_EQ(Field(kResultField).text(), TextDigest(2, u"abc\r\ndef", false));
    Click(kHashStringButton);
    EXPECT_EQ(Field(kResultField).text(), TextDigest(2, u"abc\r\ndef", false));

    // Typed characters that look like others are hashed as typed.
    StringField().setPlainText(QString::fromUtf16(u"a\u00A0b\u2028c"));
    Click(kHashStringButton);
    EXPECT_EQ(Field(kResultField).text(), TextDigest(2, u"a\u00A0b\u2028c", false));

    // Nothing selected passes -1 on; an empty field is hashed as the empty message.
    Algorithms().setCurrentIndex(-1);
    StringField().clear();
    Click(kHashStringButton);
    EXPECT_EQ(Field(kResultField).text(), TextDigest(-1, u"", false));
}

TEST_F(MainWindowTest, KnownDigestsOfAbc) {
    test::WriteBytes(folder.Native("abc.txt"), "abc");
    StartShown();
    Algorithms().setCurrentIndex(2);
    Field(kFileNameField).setText(Q(folder.U16("abc.txt")));
    HashFile();
    EXPECT_EQ(Field(kResultField).text(), "900150983cd24fb0d6963f7d28e17f72");  // MD5

    Algorithms().setCurrentIndex(7);
    StringField().setPlainText("abc");
    Click(kHashStringButton);
    const QString sha512 =
        "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
        "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f";
    EXPECT_EQ(Field(kResultField).text(), sha512);
    EXPECT_EQ(Field(kResultField).cursorPosition(), 0);  // shown from its first digit
    Click(kLowercaseBox);
    Click(kHashStringButton);
    EXPECT_EQ(Field(kResultField).text(), sha512.toUpper());
}

TEST_F(MainWindowTest, EnterDoesWhatTheFieldItIsPressedInIsFor) {
    test::WriteBytes(folder.Native("data.bin"), "file content");
    const std::u16string file = folder.U16("data.bin");
    struct Case {
        int focus;
        QString result;
        std::size_t messages;
        QString string;
    };
    for (const Case& c : {
             Case{kFileNameField, FileDigest(7, file, true), 0, "text"},
             Case{kExpectedField, "", 1, "text"},  // compares: nothing to compare yet
             Case{kAlgorithmList, TextDigest(7, u"text", true), 0, "text"},
             Case{kStringField, "", 0, "text\n"},
         }) {
        desktop = {};
        StartShown();
        Field(kFileNameField).setText(Q(file));
        StringField().setPlainText("text");
        StringField().moveCursor(QTextCursor::End);
        window->control(c.focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        WaitForTheHash();
        EXPECT_EQ(Field(kResultField).text(), c.result) << "focus on " << c.focus;
        EXPECT_EQ(desktop.messages.size(), c.messages) << "focus on " << c.focus;
        EXPECT_EQ(StringField().toPlainText(), c.string) << "focus on " << c.focus;
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(desktop.fileFilters.empty());
    }
}

TEST_F(MainWindowTest, HashFileAsksForAFileOnlyWhenTheFieldNamesNone) {
    test::WriteBytes(folder.Native("data.bin"), "file content");
    test::MakeFolder(folder.Native("dir"));
    const std::u16string file = folder.U16("data.bin");
    const std::u16string dir = folder.U16("dir");
    const QString missing = Q(folder.U16("gone/missing.txt"));
    const QString top = Q(folder.U16("data.bin")).section('/', 0, -2);
    using Start = test::FakeDesktopServices::FileDialogStart;
    struct Case {
        std::u16string typed;
        std::optional<QString> answer;
        std::size_t dialogs;
        std::u16string fileName;
        QString result;
        QString message;
        Start start;  // where the dialog opened, and why
    };
    for (const Case& c : {
             Case{u"", Q(file), 1, file, FileDigest(7, file, true), "", {}},
             Case{u"", std::nullopt, 1, u"", "unchanged", "", {}},
             Case{dir,
                  std::nullopt,
                  1,
                  dir,
                  "unchanged",
                  "",
                  {"A folder, not a file: " + Q(dir) + " \u2013 choose the file", Q(dir), ""}},
             // A confirmed choice is hashed whatever it is, and a failure said.
             Case{missing.toStdU16String(),
                  Q(dir),
                  1,
                  dir,
                  "",
                  "This is a folder, not a file:\n\n" + Q(dir),
                  {"Not found: " + missing + " \u2013 choose the file", top, "missing.txt"}},
             Case{file, std::nullopt, 0, file, FileDigest(7, file, true), "", {}},
         }) {
        desktop = {};
        desktop.fileAnswers.push_back(c.answer);
        StartShown();
        Field(kFileNameField).setText(Q(c.typed));
        Field(kResultField).setText("unchanged");
        HashFile();
        EXPECT_EQ(desktop.fileFilters.size(), c.dialogs);
        if (c.dialogs > 0) {
            const Start& start = desktop.fileDialogStarts.front();
            EXPECT_EQ(start.title, c.start.title);
            EXPECT_EQ(start.folder, c.start.folder);
            EXPECT_EQ(start.name, c.start.name);
        }
        EXPECT_EQ(U16(Field(kFileNameField).text()), c.fileName);
        EXPECT_EQ(Field(kResultField).text(), c.result);
        EXPECT_EQ(desktop.messages.empty() ? QString() : desktop.messages.front().text, c.message);
    }
    EXPECT_EQ(desktop.fileFilters, std::vector<QString>{});  // the last case asked nothing
}

// Every reason a file cannot be read is said with the path, and no digest is shown, not even the
// 00000000 a string hash gives for an unreadable file.
TEST_F(MainWindowTest, AFileThatCannotBeReadIsSaidWithItsCause) {
    constexpr int kSdbm = 24;
    test::WriteBytes(folder.Native("data.bin"), std::string(100000, 'd'));
    test::MakeFolder(folder.Native("dir"));
    ASSERT_EQ(::mkfifo(folder.Native("pipe").c_str(), 0600), 0);
    enum class Fault { kNone, kOpenDenied, kReadFails };
    struct Case {
        std::u16string path;
        bool chosen;  // through the file dialog; typed otherwise
        Fault fault;
        int algorithm;
        QString cause;
    };
    for (const Case& c : {
             Case{folder.U16("gone"), true, Fault::kNone, 2, "This file does not exist:"},
             Case{folder.U16("dir"), true, Fault::kNone, kSdbm, "This is a folder, not a file:"},
             Case{folder.U16("pipe"), false, Fault::kNone, 2,
                  "This is no regular file but a device, a pipe or a socket:"},
             Case{folder.U16("data.bin"), false, Fault::kOpenDenied, kSdbm,
                  "You are not allowed to read this file:"},
             Case{folder.U16("data.bin"), false, Fault::kReadFails, 2,
                  "This file could not be read to its end (a read error):"},
         }) {
        desktop = {};
        StartShown();
        Algorithms().setCurrentIndex(c.algorithm);
        if (c.chosen) {
            desktop.fileAnswers.push_back(Q(c.path));
        } else {
            Field(kFileNameField).setText(Q(c.path));
        }
        {
            std::optional<test::FailingCall> fault;
            if (c.fault == Fault::kOpenDenied) fault.emplace(test::Call::kOpen, EACCES);
            if (c.fault == Fault::kReadFails) fault.emplace(test::Call::kRead, EIO, 1000);
            HashFile();
        }
        ASSERT_EQ(desktop.messages.size(), 1u) << c.cause.toStdString();
        EXPECT_EQ(desktop.messages[0].text, c.cause + "\n\n" + Q(c.path));
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kExclamation);
        EXPECT_EQ(Field(kResultField).text(), "") << c.cause.toStdString();
        EXPECT_TRUE(window->control(kHashFileButton)->isEnabled());
    }
}

TEST_F(MainWindowTest, ALongHashShowsItsProgressAndEveryOtherControlWaits) {
    test::WriteBytes(folder.Native("data.bin"), "some data");
    const std::u16string path = folder.U16("data.bin");
    StartShown();
    Field(kFileNameField).setText(Q(path));
    StringField().setPlainText("text");
    test::HeldCall held(test::Call::kRead, 1);
    Click(kHashFileButton);
    EXPECT_TRUE(window->isHashingFile());
    EXPECT_FALSE(window->control(kStringField)->isEnabled()) << "disabled from the start";
    EXPECT_FALSE(window->control(kProgressBar)->isVisible()) << "nothing shows at once";
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(WaitForTheProgress());
    EXPECT_GE(clock.elapsed(), 250);

    EXPECT_TRUE(window->control(kCancelHashButton)->isVisible());
    EXPECT_TRUE(window->control(kCancelHashButton)->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window->control(kCancelHashButton));
    EXPECT_FALSE(window->control(kHashFileButton)->isVisible());
    EXPECT_FALSE(window->control(kResultField)->isVisible());
    EXPECT_TRUE(ProgressText().startsWith("0%")) << ProgressText().toStdString();
    EXPECT_EQ(window->control(kProgressBar)->accessibleName(), "Progress");
    for (int id : {kAlgorithmList, kLowercaseBox, kFileNameField, kBrowseButton, kStringField,
                   kHashStringButton, kExpectedField, kCompareButton, kCopyButton,
                   kCaseSensitiveBox, kResultLabel}) {
        EXPECT_FALSE(window->control(id)->isEnabled()) << "control " << id;
    }
    EXPECT_FALSE(window->menuBar()->isEnabled());
    Click(kHashStringButton);
    QTest::keyClicks(&Field(kExpectedField), "typed");

    held.Release();
    WaitForTheHash();
    EXPECT_EQ(Field(kResultField).text(), FileDigest(tessik::kDefaultAlgorithmIndex, path, true));
    EXPECT_EQ(Field(kExpectedField).text(), "");
    EXPECT_FALSE(window->control(kCancelHashButton)->isVisible());
    EXPECT_FALSE(window->control(kProgressBar)->isVisible());
    EXPECT_TRUE(window->control(kHashFileButton)->isVisible());
    EXPECT_TRUE(window->control(kStringField)->isEnabled());
    EXPECT_TRUE(window->menuBar()->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), window->control(kHashFileButton));
}

TEST_F(MainWindowTest, CancelOrEscapeEndAHashWithoutAResultAndTheWindowStays) {
    test::WriteBytes(folder.Native("data.bin"), "some data");
    enum class Way { kCancelButton, kEscape };
    for (const Way way : {Way::kCancelButton, Way::kEscape}) {
        StartShown();
        Field(kFileNameField).setText(Q(folder.U16("data.bin")));
        test::HeldCall held(test::Call::kRead, 1);
        Click(kHashFileButton);
        ASSERT_TRUE(WaitForTheProgress());
        if (way == Way::kCancelButton) {
            Click(kCancelHashButton);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        held.Release();
        WaitForTheHash();
        EXPECT_EQ(Field(kResultField).text(), "");
        EXPECT_TRUE(desktop.messages.empty());
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->control(kHashFileButton)->isEnabled());
    }
}

// MD2 over 512 MiB would take most of a minute; the close cancels it and goes at once.
TEST_F(MainWindowTest, TheCloseBoxDuringAHashCancelsItSavesTheSettingsAndCloses) {
    constexpr int kMd2 = 0;
    const std::string big = folder.Native("big.bin");
    test::WriteBytes(big, "");
    ASSERT_EQ(::truncate(big.c_str(), off_t{512} << 20), 0);
    StartShown();
    Algorithms().setCurrentIndex(kMd2);
    Field(kFileNameField).setText(Q(folder.U16("big.bin")));
    Click(kHashFileButton);
    ASSERT_TRUE(WaitForTheProgress());
    ASSERT_TRUE(QTest::qWaitFor([this] { return ProgressText().contains("MB/s"); }, 20000));
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(window->close());
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isHashingFile());
    EXPECT_NE(test::ReadBytes(SettingsPath()).find("<Algorithm>0</Algorithm>"), std::string::npos);
    QTest::qWait(0);  // the worker's report of its end finds the window gone quietly
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowTest, AResultNeverOutlivesWhatItWasMadeFrom) {
    test::WriteBytes(folder.Native("data.bin"), "file content");
    StartShown();
    EXPECT_TRUE(Field(kResultField).isReadOnly());
    const auto hashText = [this] {
        Click(kHashStringButton);
        EXPECT_FALSE(Field(kResultField).text().isEmpty());
    };
    StringField().setPlainText("abc");
    hashText();
    Algorithms().setCurrentIndex(2);
    EXPECT_EQ(Field(kResultField).text(), "") << "another algorithm";
    hashText();
    QTest::keyClicks(&StringField(), "d");
    EXPECT_EQ(Field(kResultField).text(), "") << "the text edited";
    hashText();
    Field(kFileNameField).setText(Q(folder.U16("data.bin")));
    EXPECT_EQ(Field(kResultField).text(), "") << "another file name";
    HashFile();
    EXPECT_EQ(Field(kResultField).text(), FileDigest(2, folder.U16("data.bin"), true));
    QTest::keyClicks(&Field(kFileNameField), "x");
    EXPECT_EQ(Field(kResultField).text(), "") << "the file name edited";

    // Typing into the result changes nothing; its text can still be selected and copied.
    hashText();
    const QString digest = Field(kResultField).text();
    Field(kResultField).setFocus();
    QTest::keyClicks(&Field(kResultField), "0000");
    EXPECT_EQ(Field(kResultField).text(), digest);
    QTest::keyClick(&Field(kResultField), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Field(kResultField).selectedText(), digest);
    Click(kLowercaseBox);
    EXPECT_EQ(Field(kResultField).text(), digest.toUpper());
}

TEST_F(MainWindowTest, BrowseSetsTheFileNameWhichClearsTheResult) {
    StartShown();
    Field(kFileNameField).setText("typed");
    Field(kResultField).setText("result");
    desktop.fileAnswers = {std::nullopt, QString("/chosen/file.txt")};
    Click(kBrowseButton);
    EXPECT_EQ(Field(kFileNameField).text(), "typed");
    EXPECT_EQ(Field(kResultField).text(), "result");
    Click(kBrowseButton);
    EXPECT_EQ(Field(kFileNameField).text(), "/chosen/file.txt");
    EXPECT_EQ(Field(kResultField).text(), "");
    EXPECT_EQ(desktop.fileFilters,
              (std::vector<QString>{"All files(*.*)|*.*||", "All files(*.*)|*.*||"}));
}

using test::Drop;

// One file that is no checksum list goes into the file name field; the other drops open windows
// of their own (see the list window's tests).
TEST_F(MainWindowTest, ADroppedFileGoesIntoTheFileNameField) {
    const std::string longName = "/" + std::string(3000, 'n');
    struct Case {
        QList<QUrl> urls;
        std::u16string fileName;
    };
    for (const Case& c : {
             Case{{QUrl::fromLocalFile("/a/first.txt")}, u"/a/first.txt"},
             Case{{QUrl::fromLocalFile("/a/with space#and%.txt")}, u"/a/with space#and%.txt"},
             Case{{QUrl("file:///a/latin1-%E9.txt")}, FromNativePath("/a/latin1-\xE9.txt")},
             Case{{QUrl::fromLocalFile(QString::fromStdString(longName))},
                  FromNativePath(longName.substr(0, 2046))},
             Case{{QUrl("https://example.org/page"), QUrl::fromLocalFile("/a/local.txt")},
                  u"/a/local.txt"},
             Case{{QUrl("https://example.org/page")}, u"typed"},  // no local file: refused
         }) {
        StartShown();
        Field(kFileNameField).setText("typed");
        Field(kResultField).setText("result");
        Drop(*window->control(kStringField), c.urls);
        EXPECT_EQ(U16(Field(kFileNameField).text()), c.fileName);
        // A result made before belongs to another file name.
        EXPECT_EQ(Field(kResultField).text(), c.fileName == u"typed" ? "result" : "");
    }
}

TEST_F(MainWindowTest, CompareSaysWhetherTheValuesMatchAndNeverForNothing) {
    const QString identical = "The HASHes are identical!";
    const QString different = "The HASHes are NOT identical!";
    const QString nothing = "There is no HASH value to compare yet.";
    const QString notADigest =
        "The expected HASH value is not a digest: a digest has only the "
        "digits 0-9 and the letters A-F.";
    const QString listed = "\n\nThe expected value is the one listed for: photo.jpg";
    // As long as a digest of the selection, SHA-2(512).
    const QString upper = QString("ABCDEF0123456789").repeated(8);
    const QString lower = upper.toLower();
    struct Case {
        QString result;
        QString expected;
        bool caseSensitive;
        QString message;
    };
    for (const Case& c : {
             Case{upper, lower, false, identical},
             Case{upper, lower, true, different},
             Case{upper, " " + upper + "\t", true, identical},  // as pasted
             Case{"abc", "a bc", false, notADigest},
             Case{"\u00C9", "\u00E9", false, notADigest},
             Case{"\u00C9", "\u00E9", true, notADigest},
             Case{"", "", true, nothing},
             Case{"", "abc", false, nothing},
             Case{upper, upper.left(64), false,
                  "The expected HASH value has 64 digits, but SHA-2(512) gives 128. Is another "
                  "algorithm meant?"},
             Case{upper, lower + "  photo.jpg", false, identical + listed},
             Case{upper, "SHA512 (photo.jpg) = " + lower, true, different + listed},
             Case{upper, "MD5 (photo.jpg) = " + lower.left(32), false,
                  "The expected HASH value has 32 digits, but SHA-2(512) gives 128. Is another "
                  "algorithm meant?" +
                      listed},
         }) {
        desktop = {};
        StartShown();
        Field(kResultField).setText(c.result);
        Field(kExpectedField).setText(c.expected);
        if (c.caseSensitive) Click(kCaseSensitiveBox);
        Click(kCompareButton);
        ASSERT_EQ(desktop.messages.size(), 1u);
        const test::FakeDesktopServices::Message& message = desktop.messages.front();
        EXPECT_EQ(message.text, c.message)
            << c.result.toStdString() << " / " << c.expected.toStdString();
        EXPECT_EQ(message.icon, c.message.startsWith(identical) ? MessageIcon::kInformation
                                                                : MessageIcon::kExclamation);
        EXPECT_EQ(message.caption, "");
    }
}

int IndexOf(const char* id) {
    return static_cast<int>(AlgorithmWithId(id) - AlgorithmCatalogue().data());
}

// Once a file is hashed with nothing expected, a list beside it gives the expected value and
// the comparison names it; a list for another algorithm is offered, and taken only when asked.
TEST_F(MainWindowTest, AListBesideTheFileGivesTheExpectedValue) {
    test::WriteBytes(folder.Native("x.iso"), "abc");
    test::WriteBytes(folder.Native("MD5SUMS"),
                     test::kMd5OfNothing + "  other\n" + test::kMd5OfAbc + "  x.iso\n");
    const auto hashAndSearch = [&](const char* algorithm, const QString& expected = {}) {
        desktop.messages.clear();
        Algorithms().setCurrentIndex(IndexOf(algorithm));
        Field(kFileNameField).setText(Q(folder.U16("x.iso")));
        Field(kExpectedField).setText(expected);
        HashFile();
    };
    const QString found =
        "The HASHes are identical!\n\nThe expected value is the one on line 2 "
        "of this checksum list:\n" +
        Q(folder.U16("MD5SUMS"));
    StartShown();
    hashAndSearch("md5");
    EXPECT_EQ(Field(kExpectedField).text(), Q(FromUtf8(test::kMd5OfAbc)));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, found);
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kInformation);

    hashAndSearch("md5", "typed");  // a value given is the user's to compare
    EXPECT_TRUE(desktop.messages.empty());

    desktop.yesNoAnswers = {false, true};
    const QString offer =
        "A checksum list beside the file lists its MD5 value. Choose MD5 and hash the file "
        "again?\n\n" +
        Q(folder.U16("MD5SUMS"));
    hashAndSearch("sha1");
    EXPECT_EQ(desktop.questions, std::vector<QString>{offer});
    EXPECT_TRUE(desktop.messages.empty());
    hashAndSearch("sha1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.messages.empty(); }, 20000));
    EXPECT_EQ(desktop.questions.size(), 2u);
    EXPECT_EQ(Algorithms().currentText(), "MD5");
    EXPECT_EQ(desktop.messages[0].text, found);

    // The options turn the search off, and the settings keep that.
    OpenFromMenu(kOptionsCommand, [](Dialog& options) {
        auto* box = options.control<QCheckBox>(options_window::kLookForListsBox);
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        options.runCommand(kOkResult);
    });
    hashAndSearch("md5");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(Field(kExpectedField).text(), "");
    window->close();
    EXPECT_NE(test::ReadBytes(SettingsPath()).find("<LookForChecksumLists>0</"), std::string::npos);
}

// Compare with file hashes another file with the algorithm of the digest shown and names both.
TEST_F(MainWindowTest, CompareWithFileNamesBothFiles) {
    test::WriteBytes(folder.Native("a"), "abc");
    test::WriteBytes(folder.Native("b"), "abc");
    test::WriteBytes(folder.Native("c"), "");
    StartShown();
    window->runCommand(kCompareFileCommand);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "There is no HASH value to compare yet.");
    EXPECT_TRUE(desktop.fileFilters.empty());

    Field(kFileNameField).setText(Q(folder.U16("a")));
    HashFile();
    const QString shown = FileDigest(7, folder.U16("a"), true);
    desktop.fileAnswers = {std::nullopt, Q(folder.U16("b")), Q(folder.U16("c")),
                           Q(folder.U16("gone"))};
    desktop.messages.clear();
    for (int file = 0; file < 4; ++file) {
        window->runCommand(kCompareFileCommand);
        WaitForTheHash();
    }
    EXPECT_EQ(Field(kResultField).text(), shown);
    StringField().setPlainText("abc");
    Click(kHashStringButton);
    desktop.fileAnswers = {Q(folder.U16("b"))};
    window->runCommand(kCompareFileCommand);
    WaitForTheHash();
    const QString named = "\n\nHASH value shown: " + Q(folder.U16("a")) + "\nCompared with: ";
    ASSERT_EQ(desktop.messages.size(), 4u);
    EXPECT_EQ(desktop.messages[0].text, "The HASHes are identical!" + named + Q(folder.U16("b")));
    EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kInformation);
    EXPECT_EQ(desktop.messages[1].text,
              "The HASHes are NOT identical!" + named + Q(folder.U16("c")));
    EXPECT_EQ(desktop.messages[2].text, "This file does not exist:\n\n" + Q(folder.U16("gone")));
    EXPECT_EQ(desktop.messages[3].text,
              "The HASHes are identical!\n\nHASH value shown: the string typed\nCompared "
              "with: " +
                  Q(folder.U16("b")));
}

TEST_F(MainWindowTest, CopyPutsTheWholeResultOnTheClipboardKeepsItSelectedAndSaysSo) {
    StartShown();
    Click(kCopyButton);  // nothing to copy: nothing copied, nothing said
    EXPECT_TRUE(desktop.clipboard.empty());
    EXPECT_EQ(window->controlText(kStatusLabel), "");
    const QString digest(128, 'f');
    Field(kResultField).setText(digest);
    Field(kResultField).setCursorPosition(3);
    Click(kCopyButton);
    EXPECT_EQ(desktop.clipboard, std::vector<QString>{digest});
    EXPECT_EQ(Field(kResultField).selectedText(), digest);
    EXPECT_EQ(window->controlText(kStatusLabel), "The HASH value is on the clipboard.");
    // A new digest is not the one copied.
    Click(kHashStringButton);
    EXPECT_EQ(window->controlText(kStatusLabel), "");
}

std::string SettingsFile(const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n" + entries +
           "</InitFile>\r\n";
}

TEST_F(MainWindowTest, TheCloseBoxSavesTheSettings) {
    StartShown();
    window->move(30, 40);
    window->resize(700, 420);
    Algorithms().setCurrentIndex(2);
    Click(kCaseSensitiveBox);
    Click(kLowercaseBox);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(window->result(), kCancelResult);
    EXPECT_TRUE(window->close());  // a second request finds everything still there

    const FontDescription system = FromQFont(QApplication::font());
    const QRect geometry = window->geometry();
    EXPECT_EQ(test::ReadBytes(SettingsPath()),
              SettingsFile("  <Algorithm>2</Algorithm>\r\n"
                           "  <CaseSensitive>1</CaseSensitive>\r\n"
                           "  <SmallLetters>0</SmallLetters>\r\n"
                           "  <Folder></Folder>\r\n"
                           "  <Filename>*</Filename>\r\n"
                           "  <Fileextension>*</Fileextension>\r\n"
                           "  <Separator>|</Separator>\r\n"
                           "  <UseBuildInFont>0</UseBuildInFont>\r\n"
                           "  <UseFontSettings>1</UseFontSettings>\r\n"
                           "  <UseFontHeight>0</UseFontHeight>\r\n"
                           "  <FontDefName>" +
                           ToUtf8(system.faceName) +
                           "</FontDefName>\r\n"
                           "  <FontDefCharset>1</FontDefCharset>\r\n"
                           "  <FontDefHeight>" +
                           std::to_string(system.height) +
                           "</FontDefHeight>\r\n"
                           "  <FontDefPitch>" +
                           std::to_string(system.pitchAndFamily) +
                           "</FontDefPitch>\r\n"
                           "  <LanguageName></LanguageName>\r\n"
                           "  <WinPos>" +
                           std::to_string(geometry.left()) + ";" + std::to_string(geometry.top()) +
                           ";" + std::to_string(geometry.left() + 700) + ";" +
                           std::to_string(geometry.top() + 420) +
                           "</WinPos>\r\n"
                           "  <FolderHomeBase>" +
                           folder.Native("program/") +
                           "</FolderHomeBase>\r\n"
                           "  <FolderAppDir>" +
                           folder.Native("user/Korvane/Tessik/") +
                           "</FolderAppDir>\r\n"
                           "  <LineEnds>CRLF</LineEnds>\r\n"
                           "  <LookForChecksumLists>1</LookForChecksumLists>\r\n"
                           "  <AllAlgorithms>" +
                           IdsOf(EveryAlgorithm()) + "</AllAlgorithms>\r\n"));

    // The next start takes the choices back.
    Start();
    EXPECT_EQ(Algorithms().currentIndex(), 2);
    EXPECT_TRUE(Box(kCaseSensitiveBox).isChecked());
    EXPECT_FALSE(Box(kLowercaseBox).isChecked());
    EXPECT_EQ(window->geometry().size(), QSize(700, 420));
}

// A settings file that could not be read at start is kept aside, never overwritten unseen, and
// settings that cannot be saved are said with the cause; a close that goes well says nothing.
TEST_F(MainWindowTest, TheCloseBoxSaysWhatBecameOfTheSettings) {
    test::MakeFolder(folder.Native("user/Korvane/Tessik"));
    const std::string stored = SettingsFile("  <Algorithm>3</Algorithm>\r\n");
    const QString path = Q(folder.U16("user/Korvane/Tessik/Tessik.ini"));

    test::WriteBytes(SettingsPath(), stored);
    {
        test::FailingCall denied(test::Call::kOpen, EACCES);
        StartShown();
    }
    EXPECT_EQ(Algorithms().currentIndex(), 7);
    EXPECT_TRUE(window->close());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "You are not allowed to read this file:\n\n" + path +
                  "\n\nYour settings file could not be read whole. It was kept under this name, "
                  "and a new one was written:\n\n" +
                  path + ".bak");
    EXPECT_EQ(test::ReadBytes(SettingsPath() + ".bak"), stored);

    desktop = {};
    StartShown();
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(desktop.messages.empty());

    StartShown();
    {
        test::ReadOnlyFolder locked(folder.Native("user/Korvane/Tessik"));
        EXPECT_TRUE(window->close());
    }
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Your settings could not be saved:\n\n" + path +
                                            "\n\nYou are not allowed to write there.");
}

// The program never changes its working folder: a relative name is the one in the folder it was
// started in, and is shown whole, even where the settings live in a folder given relative to
// the program.
TEST_F(MainWindowTest, ARelativeFileNameIsTheStartFoldersEvenWithASelectedStorage) {
    test::MakeFolder(folder.Native("program/store"));
    test::WriteBytes(folder.Native("program/SavePath.ini"), "ApplicationStorage=\"store\"\r\n");
    test::WriteBytes(folder.Native("program/data.bin"), "the program's");
    test::MakeFolder(folder.Native("work"));
    test::WriteBytes(folder.Native("work/data.bin"), "the user's");
    const std::u16string start = CurrentDirectory();
    ASSERT_TRUE(test::ChangeDirectory(folder.U16("work")));
    Start({u"data.bin"});
    const QString shown = Field(kFileNameField).text();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(CurrentDirectory(), folder.U16("work"));
    ASSERT_TRUE(test::ChangeDirectory(start));
    EXPECT_EQ(shown, Q(folder.U16("work/data.bin")));
    EXPECT_FALSE(test::ReadBytes(folder.Native("program/store/Tessik.ini")).empty());
}

TEST_F(MainWindowTest, ExitAndEscapeEndWithoutSaving) {
    enum class Ending { kExit, kEscape };
    for (const Ending ending : {Ending::kExit, Ending::kEscape}) {
        StartShown();
        Algorithms().setCurrentIndex(3);
        if (ending == Ending::kExit) {
            window->menu()->item(kExitCommand)->trigger();
        } else {
            QTest::keyClick(&Field(kFileNameField), Qt::Key_Escape);
        }
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(window->result(), ending == Ending::kExit ? kOkResult : kCancelResult);
        EXPECT_EQ(test::ReadBytes(SettingsPath()), "");
    }
}

TEST_F(MainWindowTest, StoredChoicesAreAppliedAtStart) {
    test::MakeFolder(folder.Native("user/Korvane"));
    test::MakeFolder(folder.Native("user/Korvane/Tessik"));
    test::WriteBytes(SettingsPath(), SettingsFile("  <Algorithm>99</Algorithm>\r\n"
                                                  "  <SmallLetters>0</SmallLetters>\r\n"
                                                  "  <LanguageName>Klingon</LanguageName>\r\n"
                                                  "  <WinPos>MAX</WinPos>\r\n"));
    Start();
    // An index the list does not have selects the default entry.
    EXPECT_EQ(Algorithms().currentIndex(), 7);
    EXPECT_FALSE(Box(kLowercaseBox).isChecked());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
    // A language the catalogue lacks is not kept.
    EXPECT_EQ(window->settings().languageName, "");
}

// Any height a settings file holds gives a window that fits a window system's coordinates.
TEST_F(MainWindowTest, StoredFontHeightsOfAnySizeGiveAUsableWindow) {
    test::MakeFolder(folder.Native("user/Korvane"));
    test::MakeFolder(folder.Native("user/Korvane/Tessik"));
    for (const char* height : {"-2147483648", "2147483647"}) {
        test::WriteBytes(SettingsPath(),
                         SettingsFile("  <UseFontHeight>1</UseFontHeight>\r\n"
                                      "  <FontDefHeight>" +
                                      std::string(height) + "</FontDefHeight>\r\n"));
        StartShown();
        EXPECT_LE(window->font().pixelSize(), kMaxFontPixels) << height;
        EXPECT_LT(window->width(), 32768) << height;
        EXPECT_LT(window->height(), 32768) << height;
        window.reset();
    }
}

TEST_F(MainWindowTest, TheCatalogueDefaultLanguageIsAppliedAtStart) {
    test::WriteBytes(folder.Native("program/Languages.ini"),
                     "LanguageDefault=\"Deutsch\"\r\n"
                     "LanguageName=\"Deutsch\"\r\nLanguageFile=\"de.lng\"\r\n");
    test::WriteBytes(folder.Native("program/de.lng"),
                     "FrmMain.ID_MEN_FILE=\"Datei\"\r\n"
                     "FrmMain.ID_MEN_EXIT=\"Beenden\"\r\n"
                     "FrmMain.m_LBLHash=\"Pr\xC3\xBC"
                     "fsumme\"\r\n"
                     "FrmMain.m_BTNCopy=\"Kopieren\"\r\n"
                     "FrmMain.m_acMCompareDone=\"Gleich!\"\r\n"
                     "FrmMain.m_acMAllFiles=\"Alle Dateien|*.*||\"\r\n");
    StartShown();
    EXPECT_EQ(window->menu()->popupText(0), "Datei");
    EXPECT_EQ(window->menu()->item(kExitCommand)->text(), "Beenden");
    EXPECT_EQ(window->menu()->popupText(1), "&View");
    EXPECT_EQ(window->controlText(kResultLabel),
              "Pr\u00FC"
              "fsumme");
    EXPECT_EQ(window->control(kResultField)->accessibleName(),
              "Pr\u00FC"
              "fsumme");
    EXPECT_EQ(window->controlText(kCopyButton), "Kopieren");
    EXPECT_EQ(window->controlText(kCompareButton), "Co&mpare");
    EXPECT_EQ(window->windowTitle(), "Korvane HASH-Generator");

    Field(kResultField).setText("abc");
    Field(kExpectedField).setText("abc");
    Click(kCompareButton);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.front().text, "Gleich!");
    Click(kBrowseButton);
    EXPECT_EQ(desktop.fileFilters, std::vector<QString>{"Alle Dateien|*.*||"});

    // The language stays unset in the settings: the default language is not the user's choice.
    window->close();
    EXPECT_NE(test::ReadBytes(SettingsPath()).find("<LanguageName></LanguageName>"),
              std::string::npos);
}

TEST_F(MainWindowTest, TypedLineEndsFollowTheOptionAndAreKept) {
    StartShown();
    Algorithms().setCurrentIndex(5);  // SHA-2(256)
    StringField().setPlainText("abc\n");
    Click(kHashStringButton);
    // The digests of "abc" CR LF and "abc" LF, as sha256sum gives them.
    EXPECT_EQ(Field(kResultField).text(),
              "552bab6864c7a7b69a502ed1854b9245c0e1a30f008aaa0b281da62585fdb025");
    OpenFromMenu(kOptionsCommand, [](Dialog& options) {
        options.control<QComboBox>(1060)->setCurrentIndex(1);
        options.runCommand(kOkResult);
    });
    EXPECT_EQ(Field(kResultField).text(), "") << "a text's digest depends on its line ends";
    EXPECT_EQ(StringField().toolTip(), "Line ends are hashed as LF (View, Options)");
    Click(kHashStringButton);
    EXPECT_EQ(Field(kResultField).text(),
              "edeaaff3f1774ad2888673770c6d64097e391bc362d7d6fb34982ddf0efd18cb");
    window->close();
    EXPECT_NE(test::ReadBytes(SettingsPath()).find("  <LineEnds>LF</LineEnds>\r\n"),
              std::string::npos);
    Start();
    EXPECT_EQ(window->settings().lineEnds, TypedLineEnds::kLf);
}

TEST_F(MainWindowTest, ADocumentOrPageThatNothingOpensIsNamed) {
    test::WriteBytes(folder.Native("program/License.txt"), "MIT");
    test::WriteBytes(folder.Native("program/ReadMe.txt"), "notes");
    StartShown();
    desktop.opens = false;
    for (int command : {kLicenseCommand, kChangesCommand, kCheckUpdateCommand}) {
        window->menu()->item(command)->trigger();
    }
    const QString prefix = "No program could open:\n\n";
    std::vector<QString> texts;
    for (const auto& message : desktop.messages) texts.push_back(message.text);
    EXPECT_EQ(texts, (std::vector<QString>{prefix + Q(folder.U16("program/License.txt")),
                                           prefix + Q(folder.U16("program/ReadMe.txt")),
                                           prefix + desktop.addresses.front()}));
    desktop = {};
    window->menu()->item(kLicenseCommand)->trigger();
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindowTest, F10AndAltOpenTheMenuBarAndArrowsMoveThroughIt) {
    for (const bool alt : {false, true}) {
        StartShown();
        QMenuBar& bar = *window->menuBar();
        Field(kFileNameField).setFocus();
        if (alt) {
            QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10);
        }
        ASSERT_EQ(bar.activeAction(), bar.actions().at(0)) << (alt ? "Alt" : "F10");
        QWidget* const keys =
            QApplication::activePopupWidget() ? QApplication::activePopupWidget() : &bar;
        QTest::keyClick(keys, Qt::Key_Right);
        EXPECT_EQ(bar.activeAction(), bar.actions().at(1)) << (alt ? "Alt" : "F10");
        QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                          : static_cast<QWidget*>(&bar),
                        Qt::Key_Escape);
    }
}

// The access keys of the built-in texts reach the fields their labels name and open the menus.
TEST_F(MainWindowTest, AltAndTheMarkedLetterReachTheFieldOrTheMenu) {
    StartShown();
    const struct {
        Qt::Key key;
        int field;
    } cases[] = {
        {Qt::Key_A, kAlgorithmList},
        {Qt::Key_N, kFileNameField},
        {Qt::Key_S, kStringField},
        {Qt::Key_E, kExpectedField},
    };
    for (const auto& c : cases) {
        Field(kResultField).setFocus();
        QTest::keyClick(QApplication::focusWidget(), c.key, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), window->control(c.field)) << c.key;
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(window->menuBar()->activeAction(), window->menuBar()->actions().at(0));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
}

// Tab goes in reading order, each button right after the field it acts on.
TEST_F(MainWindowTest, TabFollowsTheReadingOrder) {
    StartShown();
    test::ExpectNamedInTabOrder(
        *window, {kAlgorithmList, kLowercaseBox, kFileNameField, kBrowseButton, kHashFileButton,
                  kStringField, kHashStringButton, kResultField, kCopyButton, kExpectedField,
                  kCaseSensitiveBox, kCompareButton});
}

}  // namespace
}  // namespace tessik
