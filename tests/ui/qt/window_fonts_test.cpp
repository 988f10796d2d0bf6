// Every window in every shipped language, at every font size a user may pick, on the screen the
// program runs with (a laptop's 1366 x 768 and a desktop's 1920 x 1080): every window lies inside
// the screen, every control it shows inside the window, no text of a label, a button or a check
// box is cut, and the menu bar shows all its menus. With TESSIK_WINDOW_PICTURES naming a folder,
// each window is also saved there as a picture, to be looked at.

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "ui/qt/qt_font.h"
#include "ui/rules/folder_window.h"

namespace tessik {
namespace {

using namespace main_window;
using test::Q;

QString WithoutMnemonics(QString text) {
    return text.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove('&')
        .replace('\x01', '&');
}

// The room a control's style gives its text.
QRect TextRoom(const QAbstractButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const bool checkBox = qobject_cast<const QCheckBox*>(&button) != nullptr;
    if (auto* push = qobject_cast<const QPushButton*>(&button); push && push->autoDefault()) {
        option.features |= QStyleOptionButton::AutoDefaultButton;
    }
    return button.style()->subElementRect(
        checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, &button);
}

bool Fits(const QFontMetrics& metrics, const QRect& room, const QString& text, bool wrap) {
    if (!wrap)
        return metrics.horizontalAdvance(text) <= room.width() && metrics.height() <= room.height();
    const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap, text);
    return needed.width() <= room.width() && needed.height() <= room.height();
}

// The texts of the window that do not fit their controls, each with its control's name.
std::vector<std::string> CutTexts(const QWidget& window) {
    std::vector<std::string> cut;
    const auto check = [&](const QWidget& control, const QRect& room, const QString& text,
                           bool wrap) {
        if (text.isEmpty()) return;
        if (!Fits(control.fontMetrics(), room, WithoutMnemonics(text), wrap)) {
            cut.push_back(text.toStdString() + " in " + std::to_string(room.width()) + "x" +
                          std::to_string(room.height()));
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->pixmap().isNull()) {
            check(*label, label->contentsRect(), label->text(), label->wordWrap());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (qobject_cast<const QToolButton*>(button) == nullptr) {
            check(*button, TextRoom(*button), button->text(), false);
        }
    }
    return cut;
}

// The window lies inside the screen's free area, and every control it shows inside its client
// area, where the user can reach it.
void ExpectOnTheScreen(const Dialog& window) {
    const QRect area = window.screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window.frameGeometry()))
        << window.windowTitle().toStdString() << " at " << window.frameGeometry().x() << ","
        << window.frameGeometry().y() << " " << window.frameGeometry().width() << "x"
        << window.frameGeometry().height() << " on " << area.width() << "x" << area.height();
    const QWidget& client = *window.clientArea();
    for (const QWidget* control : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->isVisibleTo(&client)) continue;
        EXPECT_TRUE(client.rect().contains(control->geometry()))
            << control->accessibleName().toStdString() << " of "
            << window.windowTitle().toStdString();
    }
}

// Where TESSIK_WINDOW_PICTURES names a folder, the window goes there as a picture.
void SavePicture(QWidget& window, const std::string& name) {
    const char* folder = std::getenv("TESSIK_WINDOW_PICTURES");
    if (folder == nullptr || *folder == '\0') return;
    const QSize screen = window.screen()->size();
    const std::string path = std::string(folder) + "/" + std::to_string(screen.width()) + "x" +
                             std::to_string(screen.height()) + "-" + name + ".png";
    window.grab().save(QString::fromStdString(path));
}

void ExpectWholeMenuBar(QMenuBar& bar) {
    const auto* more = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
    EXPECT_TRUE(more == nullptr || more->isHidden()) << "the menus went behind a chevron";
    for (QAction* menu : bar.actions()) {
        const QRect place = bar.actionGeometry(menu);
        EXPECT_TRUE(!place.isEmpty() && bar.rect().contains(place)) << menu->text().toStdString();
    }
}

struct Language {
    const char* name;  // as the catalogue lists it; empty for the built-in English
};

// Names the language in the test's listing, which would otherwise show its address.
void PrintTo(const Language& language, std::ostream* out) {
    *out << (*language.name ? language.name : "English");
}

class WindowFontsTest : public test::MainWindowFixture,
                        public ::testing::WithParamInterface<std::tuple<Language, int>> {};

TEST_P(WindowFontsTest, EveryWindowFitsTheScreenWithEveryTextWhole) {
    const auto& [language, points] = GetParam();
    const std::string picture =
        (*language.name ? std::string(language.name).substr(0, 2) : std::string("English")) + "-" +
        std::to_string(points) + "pt-";
    for (const auto& file : std::filesystem::directory_iterator(TESSIK_DATA_DIR)) {
        const std::string name = file.path().filename().string();
        if (name == "Languages.ini" || file.path().extension() == ".lng") {
            std::filesystem::copy_file(file.path(), folder.Native("program/" + name));
        }
    }
    test::MakeFolder(folder.Native("user/Korvane"));
    test::MakeFolder(folder.Native("user/Korvane/Tessik"));
    const int pixels = (points * 96 + 36) / 72;
    test::WriteBytes(SettingsPath(),
                     "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n"
                     "  <UseFontHeight>1</UseFontHeight>\r\n"
                     "  <FontDefHeight>-" +
                         std::to_string(pixels) +
                         "</FontDefHeight>\r\n"
                         "  <LanguageName>" +
                         language.name + "</LanguageName>\r\n</InitFile>\r\n");
    StartShown();
    ASSERT_EQ(window->font().pixelSize(), pixels);
    QApplication::processEvents();
    EXPECT_EQ(CutTexts(*window), std::vector<std::string>{}) << "main window";
    ExpectWholeMenuBar(*window->menuBar());
    ExpectOnTheScreen(*window);
    SavePicture(*window, picture + "main");
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("SUMS.md5"), "900150983cd24fb0d6963f7d28e17f72  a.txt\n");
    desktop.fileAnswers.push_back(Q(folder.U16("SUMS.md5")));
    desktop.fileAnswers.push_back(Q(folder.U16("a.txt")));
    const auto expectWhole = [&picture](Dialog& shown, const std::string& name) {
        QApplication::processEvents();
        EXPECT_EQ(CutTexts(shown), std::vector<std::string>{}) << "window " << name;
        ExpectOnTheScreen(shown);
        SavePicture(shown, picture + name);
    };
    for (const int command : {kFolderCommand, kVerifyListCommand, kAllAlgorithmsCommand,
                              kOptionsCommand, kLanguageCommand, kInfoCommand}) {
        OpenFromMenu(command, [command, &expectWhole](Dialog& shown) {
            expectWhole(shown, std::to_string(command));
            if (command != kFolderCommand) return;
            // The algorithms window, as the folder window's last algorithm entry opens it.
            test::WhenModal(
                [&expectWhole](Dialog& algorithms) { expectWhole(algorithms, "algorithms"); });
            auto* list = shown.control<QComboBox>(folder_window::kAlgorithmList);
            list->setCurrentIndex(list->count() - 1);
        });
    }
    // The list window as dropped files open it, with its counts once they are hashed.
    test::Drop(*window->clientArea(),
               {QUrl::fromLocalFile(Q(folder.U16("a.txt"))), QUrl::fromLocalFile("/gone")});
    bool shown = false;
    test::WhenModal([&](Dialog& list) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return list.control(1076)->isVisible(); }, 20000));
        EXPECT_EQ(CutTexts(list), std::vector<std::string>{}) << "list window";
        ExpectOnTheScreen(list);
        SavePicture(list, picture + "files");
        shown = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown; }, 20000));
}

// The way the fault was met: a larger font picked in the options of a window already shown.
TEST_F(WindowFontsTest, AFontPickedInTheOptionsLaysTheShownWindowOutAgain) {
    StartShown();
    const QSize before = window->size();
    FontDescription picked = FromQFont(QApplication::font());
    picked.height = -27;  // 20 points
    desktop.fontAnswers.push_back(picked);
    OpenFromMenu(kOptionsCommand, [](Dialog& options) {
        options.runCommand(1052);  // the font button
        EXPECT_EQ(CutTexts(options), std::vector<std::string>{}) << "the preview";
        options.runCommand(kOkResult);
    });
    ASSERT_EQ(window->font().pixelSize(), 27);
    EXPECT_EQ(CutTexts(*window), std::vector<std::string>{});
    ExpectWholeMenuBar(*window->menuBar());
    EXPECT_GT(window->minimumWidth(), before.width());
    EXPECT_GE(window->width(), window->minimumWidth());
    EXPECT_EQ(window->clientArea()->y(), window->menuBar()->height());
}

INSTANTIATE_TEST_SUITE_P(AllSizes, WindowFontsTest,
                         ::testing::Combine(::testing::Values(Language{""}, Language{"Deutsch"},
                                                              Language{"Fran\xC3\xA7"
                                                                       "ais"},
                                                              Language{"Espa\xC3\xB1ol"}),
                                            ::testing::Values(6, 8, 10, 12, 14, 16, 20, 24, 28)),
                         [](const auto& info) {
                             const std::string name = std::get<0>(info.param).name;
                             return (name.empty() ? std::string("English") : name.substr(0, 2)) +
                                    "_" + std::to_string(std::get<1>(info.param)) + "pt";
                         });

}  // namespace
}  // namespace tessik
