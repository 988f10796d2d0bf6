#include "ui/tessik_dlg.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "platform/text_conversion.h"
#include "main_window_fixture.h"
#include "platform/path_encoding.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "ui/dialog_menu.h"
#include "ui/main_window_ids.h"
#include "ui/qt_font.h"

namespace tessik {
namespace {

using namespace main_window;

using test::FileDigest;
using test::Q;
using test::TextDigest;
using test::U16;

class MainWindowTest : public test::MainWindowFixture {};

TEST_F(MainWindowTest, FirstStartShowsTheDefaultsAndTheBuiltInTexts) {
    Start();
    EXPECT_EQ(Algorithms().count(), 25);
    EXPECT_EQ(Algorithms().currentIndex(), 7);
    EXPECT_EQ(Algorithms().currentText(), "SHA-2(512)");
    EXPECT_TRUE(Box(kLowercaseBox).isChecked());
    EXPECT_FALSE(Box(kCaseSensitiveBox).isChecked());
    EXPECT_EQ(window->windowTitle(), "Korvane HASH-Generator");
    // The built-in texts replace the template's.
    EXPECT_EQ(window->controlText(kResultLabel), "HASH value");
    EXPECT_EQ(window->controlText(kExpectedLabel), "Expected HASH value");
    EXPECT_EQ(window->control(kResultField)->accessibleName(), "HASH value");
    EXPECT_EQ(window->menu()->item(kFolderCommand)->text(), "Get Hash from folder");
    EXPECT_EQ(window->menu()->popupText(2), "?");
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
             Case{true, true, {"License", "Changes", "Check for update", "", "Info"}},
             Case{true, false, {"License", "", "Info"}},
             Case{false, true, {"Changes", "Check for update", "", "Info"}},
             Case{false, false, {"", "Info"}},
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
    const QRect algorithmList = window->control(kAlgorithmList)->geometry();
    const QRect lowercase = window->control(kLowercaseBox)->geometry();
    const QRect stringField = window->control(kStringField)->geometry();
    for (const QSize size : {QSize(640, 380), QSize(1600, 1000), QSize(900, 600)}) {
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
        EXPECT_EQ(rect(kAlgorithmList), algorithmList);
        EXPECT_EQ(rect(kLowercaseBox), lowercase);
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

    // The letter case reaches only the next result.
    Click(kLowercaseBox);
    EXPECT_FALSE(Box(kLowercaseBox).isChecked());
    EXPECT_EQ(Field(kResultField).text(), TextDigest(2, u"abc\r\ndef", true));
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
    Click(kHashFileButton);
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

TEST_F(MainWindowTest, EnterHashesTheTextExceptInTheStringField) {
    test::WriteBytes(folder.Native("data.bin"), "file content");
    StartShown();
    Field(kFileNameField).setText(Q(folder.U16("data.bin")));
    StringField().setPlainText("text");
    Field(kFileNameField).setFocus();
    QTest::keyClick(&Field(kFileNameField), Qt::Key_Return);
    EXPECT_EQ(Field(kResultField).text(), TextDigest(7, u"text", true));

    Field(kResultField).clear();
    StringField().setFocus();
    StringField().moveCursor(QTextCursor::End);
    QTest::keyClick(&StringField(), Qt::Key_Return);
    EXPECT_EQ(StringField().toPlainText(), "text\n");
    EXPECT_EQ(Field(kResultField).text(), "");
    EXPECT_TRUE(desktop.fileFilters.empty());
}

TEST_F(MainWindowTest, HashFileAsksForAFileOnlyWhenTheFieldNamesNone) {
    test::WriteBytes(folder.Native("data.bin"), "file content");
    test::MakeFolder(folder.Native("dir"));
    const std::u16string file = folder.U16("data.bin");
    struct Case {
        std::u16string typed;
        std::optional<QString> answer;
        std::size_t dialogs;
        std::u16string fileName;
        QString result;
    };
    for (const Case& c : {
             Case{u"", Q(file), 1, file, FileDigest(7, file, true)},
             Case{u"", std::nullopt, 1, u"", "unchanged"},
             Case{folder.U16("dir"), std::nullopt, 1, folder.U16("dir"), "unchanged"},
             Case{folder.U16("missing"), Q(folder.U16("dir")), 1, folder.U16("dir"), "unchanged"},
             Case{file, std::nullopt, 0, file, FileDigest(7, file, true)},
         }) {
        desktop = {};
        desktop.fileAnswers.push_back(c.answer);
        StartShown();
        Field(kFileNameField).setText(Q(c.typed));
        Field(kResultField).setText("unchanged");
        Click(kHashFileButton);
        EXPECT_EQ(desktop.fileFilters.size(), c.dialogs);
        EXPECT_EQ(U16(Field(kFileNameField).text()), c.fileName);
        EXPECT_EQ(Field(kResultField).text(), c.result);
    }
    EXPECT_EQ(desktop.fileFilters, std::vector<QString>{});  // the last case asked nothing
}

TEST_F(MainWindowTest, WhileAFileIsHashedTheWindowIsServedButTakesNoInput) {
    test::WriteBytes(folder.Native("data.bin"), "some data");
    const std::u16string path = folder.U16("data.bin");
    StartShown();
    Field(kFileNameField).setText(Q(path));
    StringField().setPlainText("text");
    // The file's read waits until the window has been asked to do something meanwhile.
    test::HeldCall held(test::Call::kRead, 1);
    bool servedWhileBusy = false;
    QTimer::singleShot(0, window.get(), [&] {
        servedWhileBusy = window->isBusy();
        Click(kHashStringButton);
        QTest::keyClicks(&Field(kExpectedField), "typed");
        held.Release();
    });
    Click(kHashFileButton);
    EXPECT_TRUE(servedWhileBusy);
    EXPECT_EQ(Field(kResultField).text(), FileDigest(tessik::kDefaultAlgorithmIndex, path, true));
    EXPECT_EQ(Field(kExpectedField).text(), "");
}

TEST_F(MainWindowTest, BrowseSetsTheFileNameAndNeverTheResult) {
    StartShown();
    Field(kResultField).setText("result");
    Field(kFileNameField).setText("typed");
    desktop.fileAnswers = {std::nullopt, QString("/chosen/file.txt")};
    Click(kBrowseButton);
    EXPECT_EQ(Field(kFileNameField).text(), "typed");
    Click(kBrowseButton);
    EXPECT_EQ(Field(kFileNameField).text(), "/chosen/file.txt");
    EXPECT_EQ(Field(kResultField).text(), "result");
    EXPECT_EQ(desktop.fileFilters,
              (std::vector<QString>{"All files(*.*)|*.*||", "All files(*.*)|*.*||"}));
}

void Drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint centre = target.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

TEST_F(MainWindowTest, DropTakesTheFirstNameOnly) {
    const std::string longName = "/" + std::string(3000, 'n');
    struct Case {
        QList<QUrl> urls;
        std::u16string fileName;
    };
    for (const Case& c : {
             Case{{QUrl::fromLocalFile("/a/first.txt"), QUrl::fromLocalFile("/a/second.txt"),
                   QUrl::fromLocalFile("/a/third.txt")},
                  u"/a/first.txt"},
             Case{{QUrl::fromLocalFile("/a/with space#and%.txt")}, u"/a/with space#and%.txt"},
             Case{{QUrl("file:///a/latin1-%E9.txt")}, FromNativePath("/a/latin1-\xE9.txt")},
             Case{{QUrl::fromLocalFile(QString::fromStdString(longName))},
                  FromNativePath(longName.substr(0, 2046))},
             Case{{QUrl("https://example.org/page")}, u"typed"},  // no local file: refused
         }) {
        StartShown();
        Field(kFileNameField).setText("typed");
        Field(kResultField).setText("result");
        Drop(*window->control(kStringField), c.urls);
        EXPECT_EQ(U16(Field(kFileNameField).text()), c.fileName);
        EXPECT_EQ(Field(kResultField).text(), "result");
    }
}

TEST_F(MainWindowTest, CompareShowsOneOfTwoMessages) {
    struct Case {
        QString result;
        QString expected;
        bool caseSensitive;
        bool identical;
    };
    for (const Case& c : {
             Case{"ABC123", "abc123", false, true},
             Case{"ABC123", "abc123", true, false},
             Case{"abc", "abc ", false, false},
             Case{"abc", "abc ", true, false},
             Case{"\u00C9", "\u00E9", false, false},
             Case{"\u00C9", "\u00E9", true, false},
             Case{"", "", true, true},
             Case{"", "abc", false, false},
         }) {
        desktop = {};
        StartShown();
        Field(kResultField).setText(c.result);
        Field(kExpectedField).setText(c.expected);
        if (c.caseSensitive) Click(kCaseSensitiveBox);
        Click(kCompareButton);
        ASSERT_EQ(desktop.messages.size(), 1u);
        const test::FakeDesktopServices::Message& message = desktop.messages.front();
        EXPECT_EQ(message.text,
                  c.identical ? "The HASHes are identical!" : "The HASHes are NOT identical!")
            << c.result.toStdString() << " / " << c.expected.toStdString();
        EXPECT_EQ(message.icon,
                  c.identical ? MessageIcon::kInformation : MessageIcon::kExclamation);
        EXPECT_EQ(message.caption, "");
    }
}

TEST_F(MainWindowTest, CopyPutsTheWholeResultOnTheClipboardAndKeepsItSelected) {
    StartShown();
    const QString digest(128, 'f');
    Field(kResultField).setText(digest);
    Field(kResultField).setCursorPosition(3);
    Click(kCopyButton);
    EXPECT_EQ(desktop.clipboard, std::vector<QString>{digest});
    EXPECT_EQ(Field(kResultField).selectedText(), digest);
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
                           folder.Native("user/Korvane/Tessik/") + "</FolderAppDir>\r\n"));

    // The next start takes the choices back.
    Start();
    EXPECT_EQ(Algorithms().currentIndex(), 2);
    EXPECT_TRUE(Box(kCaseSensitiveBox).isChecked());
    EXPECT_FALSE(Box(kLowercaseBox).isChecked());
    EXPECT_EQ(window->geometry().size(), QSize(700, 420));
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
                                                  "  <WinPos>MAX</WinPos>\r\n"));
    Start();
    // An index the list does not have selects the default entry.
    EXPECT_EQ(Algorithms().currentIndex(), 7);
    EXPECT_FALSE(Box(kLowercaseBox).isChecked());
    EXPECT_TRUE(window->windowState() & Qt::WindowMaximized);
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
    EXPECT_EQ(window->menu()->popupText(1), "View");
    EXPECT_EQ(window->controlText(kResultLabel),
              "Pr\u00FC"
              "fsumme");
    EXPECT_EQ(window->control(kResultField)->accessibleName(),
              "Pr\u00FC"
              "fsumme");
    EXPECT_EQ(window->controlText(kCopyButton), "Kopieren");
    EXPECT_EQ(window->controlText(kCompareButton), "Compare");
    EXPECT_EQ(window->windowTitle(), "Korvane HASH-Generator");

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

}  // namespace
}  // namespace tessik
