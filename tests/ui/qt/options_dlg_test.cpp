#include "ui/qt/options_dlg.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "main_window_fixture.h"
#include "ui/qt/qt_font.h"

namespace tessik {
namespace {

using namespace options_window;
using test::Q;
using test::U16;

FontDescription ApplicationFont() {
    return FromQFont(QApplication::font());
}

// A font the font dialog answers with: another face, and the height of the dialog font or a
// larger one.
FontDescription PickedFont(int extraPixels) {
    FontDescription font = ApplicationFont();
    font.faceName = u"DejaVu Serif";
    font.height -= extraPixels;  // heights are negative character heights
    return font;
}

class OptionsWindowTest : public test::MainWindowFixture {
  protected:
    void OpenOptions(std::function<void(Dialog&)> script) {
        OpenFromMenu(main_window::kOptionsCommand, std::move(script));
    }
    static QLineEdit& SeparatorField(const Dialog& window) {
        return *window.control<QLineEdit>(kSeparatorField);
    }
    static void Press(const Dialog& window, int id) { window.control<QPushButton>(id)->click(); }
    std::string SavedSettings() {
        window->close();
        return test::ReadBytes(SettingsPath());
    }
    static bool Has(const std::string& settings, const std::string& entry) {
        return settings.find(entry) != std::string::npos;
    }
};

TEST_F(OptionsWindowTest, ShowsTheSeparatorAndTheFontInForce) {
    StartShown();
    OpenOptions([](Dialog& window) {
        ASSERT_NE(qobject_cast<COptionsDlg*>(&window), nullptr);
        EXPECT_EQ(window.windowTitle(), "Options");
        EXPECT_EQ(SeparatorField(window).text(), "|");
        EXPECT_EQ(U16(window.controlText(kFontButton)), ApplicationFont().faceName);
        EXPECT_EQ(window.controlText(kSeparatorLabel), "&Separator");
        EXPECT_EQ(window.control(kSeparatorField)->accessibleName(), "Separator");
        EXPECT_EQ(U16(window.control(kFontButton)->accessibleName()),
                  u"Font: " + ApplicationFont().faceName);
        // The "<" buttons are named, and explained, after what they reset.
        for (const auto& [id, text] :
             {std::pair{kFontResetButton, "Back to the default font"},
              std::pair{kSeparatorResetButton, "Back to the default separator"}}) {
            EXPECT_EQ(window.control(id)->accessibleName(), text);
            EXPECT_EQ(window.control(id)->toolTip(), text);
        }
        const auto& lineEnds = *window.control<QComboBox>(kLineEndsList);
        EXPECT_EQ(lineEnds.accessibleName(), "Line ends in typed text");
        EXPECT_EQ(lineEnds.count(), 2);
        EXPECT_EQ(lineEnds.itemText(0), "CR LF");
        EXPECT_EQ(lineEnds.itemText(1), "LF");
        EXPECT_EQ(lineEnds.currentIndex(), 0);
        test::ExpectNamedInTabOrder(
            window, {kSeparatorField, kSeparatorResetButton, kFontButton, kFontResetButton,
                     kLineEndsList, kLookForListsBox, kOkResult, kCancelResult});
    });
}

TEST_F(OptionsWindowTest, CancelEscapeAndTheCloseBoxKeepEverything) {
    enum class Ending { kCancel, kEscape, kCloseBox };
    for (const Ending ending : {Ending::kCancel, Ending::kEscape, Ending::kCloseBox}) {
        desktop = {};
        desktop.fontAnswers.push_back(PickedFont(8));
        StartShown();
        const QFont mainFont = window->font();
        OpenOptions([ending](Dialog& window) {
            SeparatorField(window).setText("abc");
            window.control<QComboBox>(kLineEndsList)->setCurrentIndex(1);
            Press(window, kFontButton);
            EXPECT_EQ(window.font().family(), "DejaVu Serif");  // previewed here only
            switch (ending) {
                case Ending::kCancel:
                    Press(window, kCancelResult);
                    break;
                case Ending::kEscape:
                    QTest::keyClick(&SeparatorField(window), Qt::Key_Escape);
                    break;
                case Ending::kCloseBox:
                    window.close();
                    break;
            }
            EXPECT_FALSE(window.isVisible());
            EXPECT_EQ(window.result(), kCancelResult);
        });
        EXPECT_EQ(window->settings().separator, u"|");
        EXPECT_EQ(window->font(), mainFont);
        const std::string settings = SavedSettings();
        EXPECT_TRUE(Has(settings, "<Separator>|</Separator>"));
        EXPECT_TRUE(Has(settings, "<UseFontHeight>0</UseFontHeight>"));
        EXPECT_TRUE(Has(settings, "<FontDefName>" + ToUtf8(ApplicationFont().faceName)));
        EXPECT_TRUE(Has(settings, "<LineEnds>CRLF</LineEnds>"));
    }
}

TEST_F(OptionsWindowTest, OkWritesTheSeparatorAsTyped) {
    struct Case {
        QString typed;
        bool reset;  // "<" pressed after typing
        std::u16string separator;
    };
    for (const Case& c : {
             Case{"xyz", true, u"|"},
             Case{" :: ", false, u" :: "},
             Case{"", false, u""},
             Case{"|", false, u"|"},
         }) {
        StartShown();
        OpenOptions([&c](Dialog& window) {
            SeparatorField(window).setText(c.typed);
            if (c.reset) Press(window, kSeparatorResetButton);
            Press(window, kOkResult);
            EXPECT_EQ(window.result(), kOkResult);
        });
        EXPECT_EQ(window->settings().separator, c.separator);
    }
}

// A separator the settings file could not hold back is refused with its reason; the window
// stays open with the text as typed, and takes the separator once it is mended.
TEST_F(OptionsWindowTest, OkRefusesASeparatorTheSettingsCannotHold) {
    struct Case {
        QString typed;
        QString reason;
    };
    for (const Case& c : {
             Case{" -> ", "The separator cannot contain < or >."},
             Case{"</Separator><WinPos>MAX</WinPos>", "The separator cannot contain < or >."},
             Case{"a\nb", "The separator cannot contain a line break."},
             Case{QString(257, '-'), "The separator can be at most 256 characters long."},
         }) {
        desktop = {};
        StartShown();
        OpenOptions([&c](Dialog& window) {
            SeparatorField(window).setText(c.typed);
            Press(window, kOkResult);
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(SeparatorField(window).text(), c.typed);
            SeparatorField(window).setText(" : ");
            Press(window, kOkResult);
            EXPECT_EQ(window.result(), kOkResult);
        });
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].text, c.reason);
        EXPECT_EQ(desktop.messages[0].icon, MessageIcon::kExclamation);
        EXPECT_EQ(window->settings().separator, u" : ");
    }
}

TEST_F(OptionsWindowTest, OkWithoutChangesKeepsEverything) {
    StartShown();
    const std::string before = SavedSettings();
    StartShown();
    const QFont mainFont = window->font();
    OpenOptions([](Dialog& window) { Press(window, kOkResult); });
    EXPECT_EQ(window->font(), mainFont);
    EXPECT_EQ(SavedSettings(), before);
}

TEST_F(OptionsWindowTest, OnlyAFontOfAnotherHeightKeepsItsHeight) {
    const int dialogHeight = ApplicationFont().height;
    struct Case {
        int extraPixels;
        bool useFontHeight;
        int mainPixelSize;
    };
    for (const Case& c : {
             Case{0, false, -dialogHeight},
             Case{8, true, -dialogHeight + 8},
         }) {
        std::remove(SettingsPath().c_str());  // each case starts from the defaults
        desktop = {};
        desktop.fontAnswers.push_back(PickedFont(c.extraPixels));
        StartShown();
        OpenOptions([this](Dialog& window) {
            Press(window, kFontButton);
            EXPECT_EQ(window.controlText(kFontButton), "DejaVu Serif");
            EXPECT_EQ(window.font().family(), "DejaVu Serif");
            EXPECT_NE(this->window->font().family(), "DejaVu Serif");  // not before OK
            Press(window, kOkResult);
        });
        // The font dialog started from the font in force.
        ASSERT_EQ(desktop.fontInitials.size(), 1u);
        EXPECT_EQ(desktop.fontInitials.front().faceName, ApplicationFont().faceName);

        EXPECT_EQ(window->font().family(), "DejaVu Serif");
        EXPECT_EQ(window->font().pixelSize(), c.mainPixelSize) << c.extraPixels;
        EXPECT_EQ(window->control(main_window::kCopyButton)->font().family(), "DejaVu Serif");
        const std::string settings = SavedSettings();
        EXPECT_TRUE(Has(settings, "<FontDefName>DejaVu Serif</FontDefName>"));
        EXPECT_TRUE(Has(settings, c.useFontHeight ? "<UseFontHeight>1</UseFontHeight>"
                                                  : "<UseFontHeight>0</UseFontHeight>"));
        EXPECT_TRUE(Has(settings,
                        "<FontDefHeight>" + std::to_string(-c.mainPixelSize) + "</FontDefHeight>"));
    }
}

TEST_F(OptionsWindowTest, TheFontResetGoesBackToTheBuiltFontAndItsHeight) {
    desktop.fontAnswers.push_back(PickedFont(8));
    StartShown();
    const QFont mainFont = window->font();
    OpenOptions([&mainFont](Dialog& window) {
        const int builtPixelSize = window.font().pixelSize();
        Press(window, kFontButton);
        EXPECT_EQ(window.font().pixelSize(), builtPixelSize + 8);
        Press(window, kFontResetButton);
        EXPECT_EQ(window.font().pixelSize(), builtPixelSize);
        EXPECT_EQ(window.font().family(), mainFont.family());
        EXPECT_EQ(window.controlText(kFontButton), mainFont.family());
        Press(window, kOkResult);
    });
    EXPECT_EQ(window->font().family(), mainFont.family());
    EXPECT_EQ(window->font().pixelSize(), mainFont.pixelSize());
    EXPECT_TRUE(Has(SavedSettings(), "<UseFontHeight>0</UseFontHeight>"));
}

TEST_F(OptionsWindowTest, ACancelledFontDialogChangesNothing) {
    StartShown();
    OpenOptions([](Dialog& window) {
        const QFont before = window.font();
        Press(window, kFontButton);
        EXPECT_EQ(window.font(), before);
        EXPECT_EQ(U16(window.controlText(kFontButton)), ApplicationFont().faceName);
    });
    EXPECT_EQ(desktop.fontInitials.size(), 1u);
}

}  // namespace
}  // namespace tessik
