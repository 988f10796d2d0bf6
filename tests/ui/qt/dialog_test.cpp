#include "ui/qt/dialog.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "fake_desktop_services.h"
#include "ui/qt/dialog_menu.h"

namespace tessik {
namespace {

enum : int {
    kNameLabel = 10,
    kNameField = 11,
    kRunButton = 12,
    kFlagBox = 13,
    kListLabel = 14,
    kList = 15,
    kGoButton = 16,
    kNotes = 17,
    kHiddenButton = 18,
    kOpenCommand = 100,
    kQuitCommand = 101,
    kAboutCommand = 102,
};

constexpr std::array kControls = {
    ControlTemplate{kNameLabel, ControlKind::kLabel, "&Name", 5, 5, 40, 10, kNoStyle},
    ControlTemplate{kNameField, ControlKind::kEdit, nullptr, 50, 4, 100, 14, kBorder},
    ControlTemplate{kRunButton, ControlKind::kPushButton, "Run", 155, 4, 40, 16, kNoStyle},
    ControlTemplate{kFlagBox, ControlKind::kCheckBox, "Flag && more", 5, 22, 80, 10, kNoStyle},
    ControlTemplate{kListLabel, ControlKind::kLabel, "List", 5, 40, 40, 10, kNoStyle},
    ControlTemplate{kList, ControlKind::kDropDownList, nullptr, 50, 38, 100, 80, kNoStyle},
    ControlTemplate{kNotes, ControlKind::kMultiLineEdit, nullptr, 5, 56, 190, 30,
                    kBorder | kVerticalScrollBar},
    ControlTemplate{kGoButton, ControlKind::kDefaultPushButton, "Go", 5, 90, 40, 16, kNoStyle},
    ControlTemplate{kHiddenButton, ControlKind::kPushButton, "Hidden", 50, 90, 40, 16, kHidden},
    ControlTemplate{kOkResult, ControlKind::kPushButton, "OK", 100, 90, 40, 16, kNoStyle},
    ControlTemplate{kCancelResult, ControlKind::kPushButton, "Cancel", 150, 90, 40, 16, kNoStyle},
};

constexpr std::array kMenu = {
    MenuItemTemplate{"File", "Open", kOpenCommand},
    MenuItemTemplate{"File", nullptr, 0},
    MenuItemTemplate{"File", "Quit", kQuitCommand},
    MenuItemTemplate{"Help", "About", kAboutCommand},
};

constexpr DialogTemplate kWhiteResizable{"Test window", 200, 110, true, true, kControls, kMenu};
constexpr DialogTemplate kPlainFixed{"Fixed", 200, 110, false, false, kControls, {}};

class TestDialog : public Dialog {
  public:
    explicit TestDialog(const DialogTemplate& dialogTemplate, DesktopServices& desktop)
        : Dialog(dialogTemplate, desktop) {}

    using Dialog::onCommand;
    using Dialog::onEnter;
    using Dialog::runBusy;

    std::vector<int> commands;
    int closeRequests = 0;
    int initialisations = 0;
    QSize clientSize;

    void record(int id) {
        onCommand(id, [this, id] { commands.push_back(id); });
    }

  protected:
    void onInitDialog() override { ++initialisations; }
    void onCloseRequest() override {
        ++closeRequests;
        Dialog::onCloseRequest();
    }
    void onClientResized(QSize size) override { clientSize = size; }
};

// Keyboard focus needs an active window.
void ShowActive(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

class DialogTest : public ::testing::Test {
  protected:
    test::FakeDesktopServices desktop;
};

TEST_F(DialogTest, BuildsEveryControlOnceAtInitialisation) {
    TestDialog dialog(kWhiteResizable, desktop);
    EXPECT_EQ(dialog.control(kNameField), nullptr);  // nothing before the initialisation
    dialog.initialise();
    dialog.initialise();
    EXPECT_EQ(dialog.initialisations, 1);

    EXPECT_NE(dialog.control<QLabel>(kNameLabel), nullptr);
    EXPECT_NE(dialog.control<QLineEdit>(kNameField), nullptr);
    EXPECT_NE(dialog.control<QPushButton>(kRunButton), nullptr);
    EXPECT_NE(dialog.control<QCheckBox>(kFlagBox), nullptr);
    EXPECT_NE(dialog.control<QComboBox>(kList), nullptr);
    EXPECT_NE(dialog.control<QPlainTextEdit>(kNotes), nullptr);
    EXPECT_EQ(dialog.control(999), nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Test window");
    EXPECT_EQ(dialog.controlText(kRunButton), "Run");
    EXPECT_TRUE(dialog.control<QPushButton>(kGoButton)->isDefault());
    EXPECT_TRUE(dialog.control(kHiddenButton)->isHidden());
}

TEST_F(DialogTest, PlacesControlsInDialogUnitsOfTheFont) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    const DialogBaseUnits base = dialog.baseUnits();
    const QFontMetrics metrics(dialog.font());
    EXPECT_EQ(base.charHeight, metrics.height());
    EXPECT_NEAR(base.averageCharWidth, metrics.averageCharWidth(), 3);

    const PixelRect field = DialogRectToPixels(50, 4, 100, 14, base);
    EXPECT_EQ(dialog.control(kNameField)->geometry(),
              QRect(field.x, field.y, field.width, field.height));
    // A list's template height is that of its open list; the closed box keeps its own height.
    const QComboBox* list = dialog.control<QComboBox>(kList);
    EXPECT_EQ(list->height(), list->sizeHint().height());
    EXPECT_EQ(dialog.clientArea()->size(),
              QSize(HorizontalUnitsToPixels(200, base), VerticalUnitsToPixels(110, base)));
}

// A font set after the window was built, as the font settings do, places every control anew in
// the units of that font and sizes a fixed window to hold them (a resizable one sets its own
// smallest size); what the window hid stays hidden.
TEST_F(DialogTest, ANewFontLaysTheWindowOutInItsUnits) {
    for (const DialogTemplate* dialogTemplate : {&kPlainFixed, &kWhiteResizable}) {
        TestDialog dialog(*dialogTemplate, desktop);
        dialog.initialise();
        const DialogBaseUnits before = dialog.baseUnits();
        QFont large = dialog.font();
        large.setPixelSize(QFontInfo(large).pixelSize() * 2);
        for (QWidget* child : dialog.findChildren<QWidget*>()) child->setFont(large);
        dialog.setFont(large);

        const DialogBaseUnits base = dialog.baseUnits();
        EXPECT_EQ(base.charHeight, QFontMetrics(large).height());
        EXPECT_GT(base.averageCharWidth, before.averageCharWidth);
        const PixelRect field = DialogRectToPixels(50, 4, 100, 14, base);
        EXPECT_EQ(dialog.control(kNameField)->geometry(),
                  QRect(field.x, field.y, field.width, field.height));
        const QComboBox* list = dialog.control<QComboBox>(kList);
        EXPECT_EQ(list->height(), list->sizeHint().height());
        if (dialogTemplate == &kPlainFixed) {
            EXPECT_EQ(dialog.clientArea()->size(),
                      QSize(HorizontalUnitsToPixels(200, base), VerticalUnitsToPixels(110, base)));
        }
        EXPECT_TRUE(dialog.control(kHiddenButton)->isHidden());
        EXPECT_EQ(dialog.clientSize, dialog.clientArea()->size());
    }
}

TEST_F(DialogTest, TabOrderIsTemplateOrder) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    ShowActive(dialog);
    const std::vector<int> expected = {kNameField, kRunButton, kFlagBox,  kList,
                                       kNotes,     kGoButton,  kOkResult, kCancelResult};
    dialog.control(kNameField)->setFocus();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(QApplication::focusWidget(), dialog.control(expected[i])) << "step " << i;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), dialog.control(kNameField));  // and round again
}

TEST_F(DialogTest, EveryControlHasAnAccessibleName) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    struct Case {
        int id;
        const char* name;
    };
    for (const Case& c : {Case{kNameLabel, "Name"}, Case{kNameField, "Name"},
                          Case{kRunButton, "Run"}, Case{kFlagBox, "Flag & more"},
                          Case{kListLabel, "List"}, Case{kList, "List"}, Case{kGoButton, "Go"}}) {
        EXPECT_EQ(dialog.control(c.id)->accessibleName(), c.name) << c.id;
    }
    // The multi-line field follows a check box, not a label: it takes no other control's name.
    EXPECT_EQ(dialog.control(kNotes)->accessibleName(), "");

    dialog.setControlText(kNameLabel, "&Nom");
    EXPECT_EQ(dialog.control(kNameField)->accessibleName(), "Nom");
    dialog.setControlText(kNameField, "typed text");
    EXPECT_EQ(dialog.control(kNameField)->accessibleName(), "Nom");
}

TEST_F(DialogTest, ButtonsAndMenuItemsRunTheirCommands) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    dialog.show();
    for (int id : {kRunButton, kOpenCommand, kAboutCommand}) dialog.record(id);

    QTest::mouseClick(dialog.control(kRunButton), Qt::LeftButton);
    dialog.menu()->item(kAboutCommand)->trigger();
    dialog.menu()->item(kOpenCommand)->trigger();
    QTest::mouseClick(dialog.control(kGoButton), Qt::LeftButton);  // nothing bound: nothing runs
    EXPECT_EQ(dialog.commands, (std::vector<int>{kRunButton, kAboutCommand, kOpenCommand}));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogTest, EnterRunsTheDefaultButtonExceptInMultiLineFields) {
    struct Case {
        int focus;
        std::vector<int> commands;
        QString notes;
    };
    for (const Case& c : {Case{kNameField, {kGoButton}, ""}, Case{kFlagBox, {kGoButton}, ""},
                          Case{kRunButton, {kRunButton}, ""}, Case{kNotes, {}, "\n"}}) {
        TestDialog dialog(kWhiteResizable, desktop);
        dialog.initialise();
        ShowActive(dialog);
        dialog.record(kGoButton);
        dialog.record(kRunButton);
        dialog.control(c.focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(dialog.commands, c.commands) << "focus on " << c.focus;
        EXPECT_EQ(dialog.controlText(kNotes), c.notes) << "focus on " << c.focus;
    }
}

TEST_F(DialogTest, EnterInAFieldPressesItsButtonWhileThatIsEnabled) {
    struct Case {
        int focus;
        bool runEnabled;
        std::vector<int> commands;
    };
    for (const Case& c : {Case{kNameField, true, {kRunButton}}, Case{kNameField, false, {}},
                          Case{kList, true, {kGoButton}}}) {
        TestDialog dialog(kWhiteResizable, desktop);
        dialog.initialise();
        ShowActive(dialog);
        dialog.record(kGoButton);
        dialog.record(kRunButton);
        dialog.onEnter(kNameField, kRunButton);
        dialog.control(kRunButton)->setEnabled(c.runEnabled);
        dialog.control(c.focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        EXPECT_EQ(dialog.commands, c.commands) << "focus on " << c.focus;
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(DialogTest, ToolTipsAndProgressTextsReachTheirTargets) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    dialog.setText({TextTargetKind::kToolTip, kRunButton}, u"Runs it");
    EXPECT_EQ(dialog.control(kRunButton)->toolTip(), "Runs it");
    EXPECT_EQ(dialog.control(kRunButton)->accessibleDescription(), "Runs it");
    EXPECT_EQ(dialog.controlText(kRunButton), "Run");
    dialog.setText({TextTargetKind::kToolTip, 999}, u"nowhere");  // no such control: nothing
    dialog.setText({TextTargetKind::kProgress, static_cast<int>(ProgressText::kRate)}, u"%1 Mo/s");
    EXPECT_EQ(dialog.progressTexts()[ProgressText::kRate], u"%1 Mo/s");
    EXPECT_EQ(dialog.progressTexts()[ProgressText::kFiles], u"Files: %1");
}

TEST_F(DialogTest, EndsWithOkOrCancel) {
    enum class Ending { kOkButton, kCancelButton, kEscape, kCloseBox };
    struct Case {
        Ending ending;
        int result;
        int closeRequests;
    };
    for (const Case& c :
         {Case{Ending::kOkButton, kOkResult, 0}, Case{Ending::kCancelButton, kCancelResult, 0},
          Case{Ending::kEscape, kCancelResult, 0}, Case{Ending::kCloseBox, kCancelResult, 1}}) {
        TestDialog dialog(kPlainFixed, desktop);
        dialog.initialise();
        dialog.show();
        QSignalSpy finished(&dialog, &QDialog::finished);
        switch (c.ending) {
            case Ending::kOkButton:
                QTest::mouseClick(dialog.control(kOkResult), Qt::LeftButton);
                break;
            case Ending::kCancelButton:
                QTest::mouseClick(dialog.control(kCancelResult), Qt::LeftButton);
                break;
            case Ending::kEscape:
                QTest::keyClick(dialog.control(kNameField), Qt::Key_Escape);
                break;
            case Ending::kCloseBox:
                EXPECT_TRUE(dialog.close());
                break;
        }
        EXPECT_EQ(dialog.result(), c.result);
        EXPECT_EQ(finished.count(), 1);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.closeRequests, c.closeRequests);
    }
}

TEST_F(DialogTest, ABoundCancelCommandDecidesWhetherTheWindowEnds) {
    TestDialog dialog(kPlainFixed, desktop);
    dialog.initialise();
    dialog.show();
    dialog.record(kCancelResult);
    QTest::keyClick(dialog.control(kNameField), Qt::Key_Escape);
    EXPECT_FALSE(dialog.close());
    EXPECT_EQ(dialog.commands, (std::vector<int>{kCancelResult, kCancelResult}));
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(DialogTest, MenuItemsAreRemovedAndRenamedByCommand) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    DialogMenu& menu = *dialog.menu();
    ASSERT_EQ(menu.popupCount(), 2);
    EXPECT_EQ(menu.popupText(0), "File");
    EXPECT_EQ(menu.popup(0)->actions().size(), 3);  // Open, separator, Quit

    EXPECT_TRUE(menu.removeItem(kOpenCommand));
    EXPECT_FALSE(menu.removeItem(kOpenCommand));
    EXPECT_EQ(menu.item(kOpenCommand), nullptr);
    EXPECT_FALSE(menu.removeItem(0));  // a separator is no command
    EXPECT_EQ(menu.popup(0)->actions().size(), 2);

    EXPECT_TRUE(menu.setItemText(kQuitCommand, "Beenden"));
    EXPECT_EQ(menu.item(kQuitCommand)->text(), "Beenden");
    EXPECT_FALSE(menu.setItemText(kOpenCommand, "gone"));
    EXPECT_TRUE(menu.setPopupText(1, "Hilfe"));
    EXPECT_EQ(menu.popupText(1), "Hilfe");
    EXPECT_EQ(menu.popup(1)->actions().front(), menu.item(kAboutCommand));
    EXPECT_FALSE(menu.setPopupText(2, "none"));
}

TEST_F(DialogTest, WhiteBackgroundOnlyWhereTheTemplateAsksForIt) {
    TestDialog white(kWhiteResizable, desktop);
    white.initialise();
    EXPECT_TRUE(white.clientArea()->autoFillBackground());
    EXPECT_EQ(white.clientArea()->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(white.control(kFlagBox)->palette().color(QPalette::Window), QColor(Qt::white));

    TestDialog plain(kPlainFixed, desktop);
    plain.initialise();
    EXPECT_FALSE(plain.clientArea()->autoFillBackground());
    EXPECT_EQ(plain.menu(), nullptr);
    EXPECT_EQ(plain.minimumSize(), plain.maximumSize());  // no sizing frame
}

TEST_F(DialogTest, ClientAreaSitsBelowTheMenuBar) {
    TestDialog dialog(kWhiteResizable, desktop);
    dialog.initialise();
    dialog.show();
    dialog.resize(700, 500);
    const QMenuBar* bar = dialog.findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(dialog.clientArea()->geometry(), QRect(0, bar->height(), 700, 500 - bar->height()));
    EXPECT_EQ(dialog.clientSize, QSize(700, 500 - bar->height()));
}

TEST_F(DialogTest, BusyWorkDropsInputAndDefersTheCloseRequest) {
    TestDialog dialog(kPlainFixed, desktop);
    dialog.initialise();
    dialog.show();
    dialog.record(kRunButton);

    std::atomic<bool> userActed = false;
    Qt::CursorShape cursorWhileBusy = Qt::ArrowCursor;
    bool busyWhileBusy = false;
    QTimer::singleShot(0, &dialog, [&] {
        busyWhileBusy = dialog.isBusy();
        if (const QCursor* cursor = QApplication::overrideCursor()) {
            cursorWhileBusy = cursor->shape();
        }
        QTest::mouseClick(dialog.control(kRunButton), Qt::LeftButton);
        QTest::keyClick(dialog.control(kNameField), Qt::Key_Escape);
        QTest::keyClicks(dialog.control(kNameField), "typed");
        dialog.close();
        userActed = true;
    });
    std::string result;
    dialog.runBusy([&] {
        while (!userActed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        result = "done";
    });

    EXPECT_EQ(result, "done");
    EXPECT_TRUE(busyWhileBusy);
    EXPECT_EQ(cursorWhileBusy, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_EQ(dialog.controlText(kNameField), "");
    EXPECT_TRUE(dialog.isVisible());  // the command that asked for the work ends first
    EXPECT_EQ(dialog.closeRequests, 0);

    QTest::qWait(0);
    EXPECT_EQ(dialog.closeRequests, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), kCancelResult);
}

}  // namespace
}  // namespace tessik
