#include "ui/qt/about_dlg.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>

#include "main_window_fixture.h"
#include "ui/qt/click_edit.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/about_box.h"

namespace tessik {
namespace {

using namespace about_window;

CClickEdit& Link(const Dialog& window, int id) {
    return *window.control<CClickEdit>(id);
}

// The ratio of the relative luminances, as accessibility guidelines measure text contrast.
double ContrastWithWhite(const QColor& colour) {
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
                             0.0722 * linear(colour.blueF());
    return 1.05 / (luminance + 0.05);
}

void DoubleClick(QWidget& control, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseDClick(&control, button, {}, QPoint(4, control.height() / 2));
}

class AboutWindowTest : public test::MainWindowFixture {
  protected:
    void OpenAbout(std::function<void(Dialog&)> script) {
        OpenFromMenu(main_window::kInfoCommand, std::move(script));
    }
};

TEST_F(AboutWindowTest, ShowsTheProductTheVersionAndTheCredits) {
    StartShown();
    OpenAbout([](Dialog& window) {
        ASSERT_NE(qobject_cast<CAboutDlg*>(&window), nullptr);
        EXPECT_EQ(window.windowTitle(), "Info");
        EXPECT_EQ(window.controlText(kTitleLabel), "Tessik");
        EXPECT_TRUE(window.control(kTitleLabel)->font().bold());
        EXPECT_FALSE(window.control(kVersionLabel)->font().bold());
        EXPECT_EQ(window.controlText(kVersionLabel), "Version 1.690 (15.10.2019)");
        EXPECT_EQ(window.controlText(kLegalLabel), "Copyright the Tessik authors, MIT licence");
        EXPECT_EQ(window.controlText(kDescriptionLabel),
                  "Digests of texts, files and whole folders with 36 algorithms, from MD2 to "
                  "BLAKE3");
        // Grey, but readable: at least 4.5 : 1 against the white behind it.
        const QColor grey =
            window.control(kDescriptionLabel)->palette().color(QPalette::WindowText);
        EXPECT_GE(ContrastWithWhite(grey), 4.5);
        EXPECT_EQ(window.controlText(kOkResult), "OK");

        const QString labels[] = {"German by:", "French by:", "Spanish by:"};
        for (std::size_t row = 0; row < kCreditRowCount; ++row) {
            const CreditRow& credit = CreditRows()[row];
            CClickEdit& field = Link(window, kCreditFields[row]);
            EXPECT_EQ(field.text(), ToQString(credit.credit.text));
            EXPECT_EQ(field.link(), ToQString(credit.credit.link));
            EXPECT_EQ(field.isHidden(), credit.credit.text.empty()) << "row " << row;
            if (row < std::size(labels)) {
                EXPECT_EQ(window.controlText(kCreditLabels[row]), labels[row]);
            }
            if (kCreditLabels[row] != kNoLabel) {
                EXPECT_EQ(window.control(kCreditLabels[row])->isHidden(), field.isHidden());
            }
            if (!field.isHidden()) {
                EXPECT_EQ(field.palette().color(QPalette::Text), QColor(0, 0, 255));
            }
        }
        EXPECT_EQ(Link(window, kWebSiteField).link(), ToQString(kWebSite.link));
        EXPECT_EQ(Link(window, kMailField).text(), ToQString(kMailAddress.text));
        EXPECT_EQ(Link(window, kMailField).link(), ToQString(kMailAddress.link));
        test::ExpectNamedInTabOrder(window,
                                    {kOkResult, 1023, 1026, 1028, kWebSiteField, kMailField});
        EXPECT_EQ(window.control(1023)->accessibleName(), "German by:");
        EXPECT_EQ(window.control(kWebSiteField)->accessibleName(), "Web site");
        EXPECT_EQ(window.control(kMailField)->accessibleName(), "Mail");
    });
}

TEST_F(AboutWindowTest, ThePictureShowsItsImageAtItsSizeForTheScreen) {
    StartShown();
    OpenAbout([](Dialog& window) {
        auto* picture = window.control<QLabel>(kPicture);
        ASSERT_FALSE(picture->pixmap().isNull());
        const QSizeF natural = picture->pixmap().deviceIndependentSize();
        const PictureSize expected =
            ScaleForScreen({static_cast<int>(natural.width()), static_cast<int>(natural.height())},
                           window.logicalDpiX());
        EXPECT_EQ(picture->size(), QSize(expected.width, expected.height));
        // Its corner stays where the window's layout puts it.
        const PixelRect place = DialogRectToPixels(5, 31, 107, 61, window.baseUnits());
        EXPECT_EQ(picture->pos(), QPoint(place.x, place.y));
    });
}

TEST_F(AboutWindowTest, ALinkOpensOnceOnALeftDoubleClickAndShowsTheHand) {
    StartShown();
    OpenAbout([this](Dialog& window) {
        CClickEdit& credit = Link(window, kCreditFields[0]);
        const QString text = credit.text();
        DoubleClick(credit);
        EXPECT_EQ(desktop.addresses, std::vector<QString>{credit.link()});
        EXPECT_EQ(credit.text(), text);
        DoubleClick(credit, Qt::RightButton);
        DoubleClick(*window.control(kVersionLabel));
        EXPECT_EQ(desktop.addresses.size(), 1u);
        DoubleClick(Link(window, kMailField));
        EXPECT_EQ(desktop.addresses.back(), ToQString(kMailAddress.link));

        EXPECT_EQ(credit.cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(window.control(kVersionLabel)->cursor().shape(), Qt::ArrowCursor);
    });
}

TEST(ClickEditTest, AFieldWithoutALinkIsAPlainText) {
    test::FakeDesktopServices desktop;
    QWidget parent;
    CClickEdit field(desktop, &parent);
    field.setText("plain");
    const Qt::CursorShape own = field.cursor().shape();
    field.SetLink("https://tessik.example.org");
    EXPECT_EQ(field.cursor().shape(), Qt::PointingHandCursor);
    field.SetLink(QString());
    EXPECT_EQ(field.cursor().shape(), own);
    DoubleClick(field);
    EXPECT_TRUE(desktop.addresses.empty());
    EXPECT_TRUE(field.isReadOnly());
}

TEST_F(AboutWindowTest, TextsFollowTheLanguageAndTheOkCaptionTheMainWindow) {
    test::WriteBytes(folder.Native("program/Languages.ini"),
                     "LanguageDefault=\"Deutsch\"\r\n"
                     "LanguageName=\"Deutsch\"\r\nLanguageFile=\"de.lng\"\r\n");
    test::WriteBytes(folder.Native("program/de.lng"),
                     "FrmMain.m_acMBtnOk=\"Schlie\xC3\x9F"
                     "en\"\r\n"
                     "FrmAbout.Caption=\"\xC3\x9C"
                     "ber\"\r\n"
                     "FrmAbout.m_LBLVersion=\"%1, die Fassung\"\r\n"
                     "FrmAbout.m_LBLGerman=\"Deutsch von:\"\r\n"
                     "FrmAbout.m_acMMail=\"Post\"\r\n");
    StartShown();
    OpenAbout([](Dialog& window) {
        EXPECT_EQ(window.controlText(kOkResult),
                  "Schlie\u00DF"
                  "en");
        EXPECT_EQ(window.windowTitle(),
                  "\u00DC"
                  "ber");
        EXPECT_EQ(window.controlText(kVersionLabel), "1.690 (15.10.2019), die Fassung");
        EXPECT_EQ(window.controlText(1020), "Deutsch von:");
        EXPECT_EQ(window.control(1023)->accessibleName(), "Deutsch von:");
        EXPECT_EQ(window.controlText(1025), "French by:");
        EXPECT_EQ(window.control(kMailField)->accessibleName(), "Post");
        window.control<QPushButton>(kOkResult)->click();
        EXPECT_EQ(window.result(), kOkResult);
    });
}

TEST_F(AboutWindowTest, CheckForUpdateOpensExactlyTheUpdatePage) {
    test::WriteBytes(folder.Native("program/ReadMe.txt"), "notes");
    test::WriteBytes(folder.Native("program/Languages.ini"),
                     "LanguageDefault=\"Deutsch\"\r\n"
                     "LanguageName=\"Deutsch\"\r\nLanguageFile=\"de.lng\"\r\n");
    test::WriteBytes(folder.Native("program/de.lng"), "FrmMain.ID_MEN_CHECKUPDATE=\"Suchen\"\r\n");
    StartShown();
    window->menu()->item(main_window::kCheckUpdateCommand)->trigger();
    EXPECT_EQ(desktop.addresses, std::vector<QString>{"https://tessik.example.org/pages/"
                                                      "c_tessik.php?lang=ENG&progvers=1.690"});
    EXPECT_TRUE(desktop.documents.empty());
}

}  // namespace
}  // namespace tessik
