#pragma once
// The main window on temporary folders with the scripted desktop, and what the tests of every
// window share: text conversions, the expected digests, scripts run inside a modal window and
// the keyboard order of a window's controls.

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "digest/digest_request.h"
#include "fake_desktop_services.h"
#include "platform/text_conversion.h"
#include "support/temporary_folder.h"
#include "ui/qt/dialog_menu.h"
#include "ui/qt/tessik_dlg.h"
#include "ui/rules/main_window.h"

namespace tessik::test {

inline std::u16string U16(const QString& text) {
    return text.toStdU16String();
}
inline QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The window's digest of a text or file, as the request computes it.
inline QString TextDigest(int index, const std::u16string& text, bool lower) {
    return Q(FromUtf8(HashFromString(index, text, lower)));
}
inline QString FileDigest(int index, const std::u16string& path, bool lower) {
    return Q(FromUtf8(HashFromFile(index, path, lower)));
}

// Runs the script on the modal window once it is shown. A window the script leaves open is
// cancelled, so a failed expectation never leaves a test waiting.
inline void WhenModal(std::function<void(Dialog&)> script) {
    QTimer::singleShot(0, [script = std::move(script)] {
        auto* window = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        script(*window);
        if (window->isVisible()) window->runCommand(kCancelResult);
    });
}

// Near the left edge, where a check box has its box.
inline void Click(QWidget& control) {
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(4, control.height() / 2));
}

// The ids of the controls the Tab key visits, in its order, starting at the first id given.
inline std::vector<int> TabOrder(const Dialog& window, const std::vector<int>& ids) {
    std::vector<int> order;
    QWidget* const first = window.control(ids.front());
    QWidget* widget = first;
    do {
        const bool stops = (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
                           widget->isVisibleTo(window.clientArea());
        for (int id : ids) {
            if (stops && window.control(id) == widget) order.push_back(id);
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && widget != nullptr);
    return order;
}

// Every control the Tab key visits carries a name for assistive tools, and the Tab key visits
// them in the order given.
inline void ExpectNamedInTabOrder(const Dialog& window, const std::vector<int>& ids) {
    EXPECT_EQ(TabOrder(window, ids), ids);
    for (int id : ids) {
        EXPECT_FALSE(window.control(id)->accessibleName().isEmpty()) << "control " << id;
    }
}

// Drags the URLs onto the widget and drops them there, as a file manager does.
inline void Drop(QWidget& target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint centre = target.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &drop);
}

// A program folder, a per-user and a machine-wide configuration folder, all temporary.
class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture() {
        MakeFolder(folder.Native("program"));
        MakeFolder(folder.Native("user"));
        MakeFolder(folder.Native("machine"));
    }

    StorageEnvironment Environment() {
        StorageEnvironment environment;
        environment.programPath = folder.U16("program/tessik");
        environment.argumentZero = environment.programPath;
        environment.userAppDataFolder = [this] { return folder.U16("user"); };
        environment.machineAppDataFolder = [this] { return folder.U16("machine"); };
        environment.now = [] { return LocalTime{2026, 12, 7, 8, 5, 9}; };
        return environment;
    }

    CTessikDlg& Start(std::vector<std::u16string> arguments = {}) {
        window = std::make_unique<CTessikDlg>(desktop, Environment(), std::move(arguments));
        window->initialise();
        return *window;
    }

    CTessikDlg& StartShown(std::vector<std::u16string> arguments = {}) {
        Start(std::move(arguments));
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return *window;
    }

    // Opens a window of the main window's menu and runs the script in it.
    void OpenFromMenu(int command, std::function<void(Dialog&)> script) {
        WhenModal(std::move(script));
        window->runCommand(command);
    }

    std::string SettingsPath() const { return folder.Native("user/Korvane/Tessik/Tessik.ini"); }

    QLineEdit& Field(int id) const { return *window->control<QLineEdit>(id); }
    QPlainTextEdit& StringField() const {
        return *window->control<QPlainTextEdit>(main_window::kStringField);
    }
    QComboBox& Algorithms() const {
        return *window->control<QComboBox>(main_window::kAlgorithmList);
    }
    QCheckBox& Box(int id) const { return *window->control<QCheckBox>(id); }
    void Click(int id) const { test::Click(*window->control(id)); }

    TemporaryFolder folder;
    FakeDesktopServices desktop;
    std::unique_ptr<CTessikDlg> window;
};

}  // namespace tessik::test
