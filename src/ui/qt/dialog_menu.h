#pragma once
// A window's menu bar built from a template: drop-down menus addressed by position, items by
// command id. Choosing an item reports its command id.

#include <QMenuBar>
#include <QString>
#include <functional>
#include <span>

#include "ui/rules/dialog_template.h"

class QAction;
class QMenu;

namespace tessik {

class DialogMenu {
  public:
    DialogMenu(QMenuBar& bar, std::span<const MenuItemTemplate> items,
               std::function<void(int)> onCommand);

    // The item of a command, or nullptr when there is none (removed or never there).
    QAction* item(int command) const;
    // False when there is no such item.
    bool removeItem(int command);
    bool setItemText(int command, const QString& text);
    // The drop-down menu at a position of the bar keeps its items.
    bool setPopupText(int position, const QString& text);
    QString popupText(int position) const;
    int popupCount() const;
    QMenu* popup(int position) const;

  private:
    QMenuBar& bar_;
};

}  // namespace tessik
