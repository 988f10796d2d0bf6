#include "ui/qt/language_dlg.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QPushButton>

#include "main_window_fixture.h"

namespace tessik {
namespace {

using namespace language_window;
using test::Q;

QComboBox& List(const Dialog& window) {
    return *window.control<QComboBox>(kLanguageList);
}

QStringList Entries(const Dialog& window) {
    QStringList entries;
    for (int i = 0; i < List(window).count(); ++i) entries << List(window).itemText(i);
    return entries;
}

class LanguageWindowTest : public test::MainWindowFixture {
  protected:
    void WriteCatalogue(const std::string& pairs) {
        test::WriteBytes(folder.Native("program/Languages.ini"), pairs);
    }
    std::string Pair(const std::string& name, const std::string& file) {
        return "LanguageName=\"" + name + "\"\r\nLanguageFile=\"" + file + "\"\r\n";
    }
    // A language whose texts start with a marker, for the language window, the folder window,
    // the options window and the main window's first menu.
    void WriteLanguage(const std::string& file, const std::string& marker) {
        test::WriteBytes(folder.Native("program/" + file),
                         "FrmLanguage.Caption=\"" + marker +
                             " caption\"\r\n"
                             "FrmLanguage.m_LBLCurrentLanguage=\"" +
                             marker +
                             " label\"\r\n"
                             "FrmLanguage.m_BTNOk=\"" +
                             marker +
                             " OK\"\r\n"
                             "FrmLanguage.m_BTNCancel=\"" +
                             marker +
                             " Cancel\"\r\n"
                             "FrmFolder.Caption=\"" +
                             marker +
                             " folder\"\r\n"
                             "FrmOptions.Caption=\"" +
                             marker +
                             " options\"\r\n"
                             "FrmMain.ID_MEN_FILE=\"" +
                             marker + " file\"\r\n");
    }
    void WriteThreeLanguages() {
        WriteCatalogue(Pair("Deutsch", "de.lng") +
                       Pair("Fran\xC3\xA7"
                            "ais",
                            "fr.lng") +
                       Pair("Espa\xC3\xB1ol", "es.lng"));
        WriteLanguage("de.lng", "de");
        WriteLanguage("fr.lng", "fr");
        WriteLanguage("es.lng", "es");
    }
    void OpenLanguages(std::function<void(Dialog&)> script) {
        OpenFromMenu(main_window::kLanguageCommand, std::move(script));
    }
    // The titles of the language, folder and options windows as they open now.
    QStringList LaterTitles() {
        QStringList titles;
        for (int command : {main_window::kLanguageCommand, main_window::kFolderCommand,
                            main_window::kOptionsCommand}) {
            OpenFromMenu(command, [&titles](Dialog& window) { titles << window.windowTitle(); });
        }
        return titles;
    }
    QString FileMenu() const { return window->menu()->popupText(0); }
};

TEST_F(LanguageWindowTest, WithoutACatalogueOnlyTheBuiltInEnglishIsOffered) {
    StartShown();
    OpenLanguages([](Dialog& window) {
        ASSERT_NE(qobject_cast<CLanguageDlg*>(&window), nullptr);
        EXPECT_EQ(Entries(window), QStringList{"English"});
        EXPECT_EQ(List(window).currentIndex(), 0);
        EXPECT_EQ(window.windowTitle(), "Select language");
        EXPECT_EQ(window.controlText(kLanguageLabel), "&Current language:");
        EXPECT_EQ(window.control(kLanguageList)->accessibleName(), "Current language:");
        test::ExpectNamedInTabOrder(window, {kLanguageList, kOkResult, kCancelResult});
        window.control<QPushButton>(kOkResult)->click();
    });
    EXPECT_EQ(FileMenu(), "&File");
}

TEST_F(LanguageWindowTest,
       TheCatalogueFollowsEnglishInItsOwnOrderAndTheLanguageInUseIsPreselected) {
    WriteThreeLanguages();
    StartShown();
    const QStringList all = {"English", "Deutsch", "Fran\u00E7ais", "Espa\u00F1ol"};
    OpenLanguages([&all](Dialog& window) {
        EXPECT_EQ(Entries(window), all);
        EXPECT_EQ(List(window).currentIndex(), 0);
    });
    window->selectLanguage("Espa\xC3\xB1ol");
    OpenLanguages([&all](Dialog& window) {
        EXPECT_EQ(Entries(window), all);
        EXPECT_EQ(List(window).currentText(), "Espa\u00F1ol");
        EXPECT_EQ(window.windowTitle(), "es caption");
    });
}

TEST_F(LanguageWindowTest, TheCataloguesOwnEnglishTakesThePlaceOfTheBuiltInTexts) {
    WriteCatalogue(Pair("Deutsch", "de.lng") + Pair("English", "en.lng") +
                   Pair("English ", "en2.lng") + Pair("Espa\xC3\xB1ol", "es.lng"));
    WriteLanguage("de.lng", "de");
    WriteLanguage("es.lng", "es");
    StartShown();
    // Nothing matches the built-in texts in use: the first entry is preselected.
    OpenLanguages([](Dialog& window) {
        EXPECT_EQ(Entries(window), (QStringList{"Deutsch", "English", "English ", "Espa\u00F1ol"}));
        EXPECT_EQ(List(window).currentIndex(), 0);
    });
    window->selectLanguage("Espa\xC3\xB1ol");
    OpenLanguages([](Dialog& window) { EXPECT_EQ(List(window).currentIndex(), 3); });
}

TEST_F(LanguageWindowTest, AChoiceIsPreviewedAtOnceAndCancelKeepsTheMainWindow) {
    WriteThreeLanguages();
    StartShown();
    OpenLanguages([](Dialog& window) {
        List(window).setCurrentIndex(1);
        EXPECT_EQ(window.windowTitle(), "de caption");
        EXPECT_EQ(window.controlText(kLanguageLabel), "de label");
        EXPECT_EQ(window.control(kLanguageList)->accessibleName(), "de label");
        EXPECT_EQ(window.controlText(kOkResult), "de OK");
        EXPECT_EQ(window.controlText(kCancelResult), "de Cancel");
        List(window).setCurrentIndex(0);  // back to the built-in texts
        EXPECT_EQ(window.windowTitle(), "Select language");
        List(window).setCurrentIndex(2);
        window.control<QPushButton>(kCancelResult)->click();
        EXPECT_EQ(window.result(), kCancelResult);
    });
    EXPECT_EQ(FileMenu(), "&File");
    EXPECT_EQ(window->settings().languageName, "");
    EXPECT_EQ(LaterTitles(), (QStringList{"Select language", "Get Hash from folder", "Options"}));
}

TEST_F(LanguageWindowTest, OkAppliesTheChoiceToTheMainWindowAndTheWindowsOpenedLater) {
    WriteThreeLanguages();
    StartShown();
    OpenLanguages([](Dialog& window) {
        List(window).setCurrentIndex(1);
        window.control<QPushButton>(kOkResult)->click();
    });
    EXPECT_EQ(FileMenu(), "de file");
    EXPECT_EQ(window->settings().languageName, "Deutsch");
    EXPECT_EQ(LaterTitles(), (QStringList{"de caption", "de folder", "de options"}));

    // Back to the built-in texts, for the windows opened later too.
    OpenLanguages([](Dialog& window) {
        EXPECT_EQ(List(window).currentText(), "Deutsch");
        List(window).setCurrentIndex(0);
        window.control<QPushButton>(kOkResult)->click();
    });
    EXPECT_EQ(FileMenu(), "&File");
    EXPECT_EQ(window->settings().languageName, "English");
    EXPECT_EQ(LaterTitles(), (QStringList{"Select language", "Get Hash from folder", "Options"}));
    // The choice is the user's now, so it is kept by name.
    window->close();
    EXPECT_NE(test::ReadBytes(SettingsPath()).find("<LanguageName>English</LanguageName>"),
              std::string::npos);
}

TEST_F(LanguageWindowTest, OkWithoutAChoiceReappliesTheLanguageInUseAndKeepsItByName) {
    WriteThreeLanguages();
    test::WriteBytes(folder.Native("program/Languages.ini"),
                     "LanguageDefault=\"Deutsch\"\r\n" +
                         test::ReadBytes(folder.Native("program/Languages.ini")));
    StartShown();
    EXPECT_EQ(FileMenu(), "de file");
    OpenLanguages([](Dialog& window) {
        EXPECT_EQ(List(window).currentText(), "Deutsch");
        window.control<QPushButton>(kOkResult)->click();
    });
    EXPECT_EQ(FileMenu(), "de file");
    window->close();
    EXPECT_NE(test::ReadBytes(SettingsPath()).find("<LanguageName>Deutsch</LanguageName>"),
              std::string::npos);
}

}  // namespace
}  // namespace tessik
