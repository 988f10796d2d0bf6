#include "ui/qt/dialog_menu.h"

#include <QAction>
#include <QMenu>
#include <cstring>

namespace tessik {
namespace {

constexpr const char* kCommandProperty = "tessikCommand";

}  // namespace

DialogMenu::DialogMenu(QMenuBar& bar, std::span<const MenuItemTemplate> items,
                       std::function<void(int)> onCommand)
    : bar_(bar) {
    QMenu* menu = nullptr;
    const char* popupText = nullptr;
    for (const MenuItemTemplate& entry : items) {
        if (menu == nullptr || std::strcmp(popupText, entry.popup) != 0) {
            popupText = entry.popup;
            menu = bar_.addMenu(QString::fromUtf8(entry.popup));
        }
        if (entry.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setProperty(kCommandProperty, entry.command);
        QObject::connect(action, &QAction::triggered, &bar_,
                         [onCommand, command = entry.command] { onCommand(command); });
    }
}

QAction* DialogMenu::item(int command) const {
    if (command == 0) return nullptr;  // separators carry no command
    for (QAction* top : bar_.actions()) {
        if (top->menu() == nullptr) continue;
        for (QAction* action : top->menu()->actions()) {
            if (action->property(kCommandProperty).toInt() == command) return action;
        }
    }
    return nullptr;
}

bool DialogMenu::removeItem(int command) {
    QAction* action = item(command);
    if (action == nullptr) return false;
    delete action;
    return true;
}

bool DialogMenu::setItemText(int command, const QString& text) {
    QAction* action = item(command);
    if (action == nullptr) return false;
    action->setText(text);
    return true;
}

QMenu* DialogMenu::popup(int position) const {
    const QList<QAction*> tops = bar_.actions();
    return position >= 0 && position < tops.size() ? tops[position]->menu() : nullptr;
}

int DialogMenu::popupCount() const {
    return static_cast<int>(bar_.actions().size());
}

bool DialogMenu::setPopupText(int position, const QString& text) {
    QMenu* menu = popup(position);
    if (menu == nullptr) return false;
    menu->setTitle(text);
    return true;
}

QString DialogMenu::popupText(int position) const {
    QMenu* menu = popup(position);
    return menu != nullptr ? menu->title() : QString();
}

}  // namespace tessik
