#pragma once
// The window framework: a window is built from its template (controls in tab order, sizes in
// dialog units of the dialog font), controls are found by id, buttons and menu items run the
// handler bound to their id, and the window ends with a modal result, 1 for OK and 2 for
// cancel. Escape runs command 2; the close box is a hook of its own, which by default runs
// command 2 as well. Translated texts reach the title, controls and menu items by target.

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "settings/language_catalogue.h"
#include "ui/dialog_template.h"
#include "ui/dialog_units.h"

class QMenuBar;

namespace tessik {

class DesktopServices;
class DialogMenu;

inline constexpr int kOkResult = 1;
inline constexpr int kCancelResult = 2;

class Dialog : public QDialog, public TextSink {
    Q_OBJECT
  public:
    Dialog(const DialogTemplate& dialogTemplate, DesktopServices& desktop,
           QWidget* parent = nullptr);
    ~Dialog() override;

    // Builds the window and runs its initialisation once, then shows it modally; returns the
    // modal result.
    int run();
    // Builds the window and runs its initialisation once without showing it.
    void initialise();

    // The control of an id; nullptr before the window is built or when there is none.
    QWidget* control(int id) const;
    template <class Widget>
    Widget* control(int id) const {
        return qobject_cast<Widget*>(control(id));
    }
    // Text of a label, button, check box, edit field or the selected list entry. Setting a
    // label's text also renames the field it labels for assistive tools.
    void setControlText(int id, const QString& text);
    QString controlText(int id) const;

    DialogMenu* menu() const { return menu_.get(); }
    QWidget* clientArea() const { return client_; }
    const DialogBaseUnits& baseUnits() const { return baseUnits_; }
    bool isBusy() const { return busy_; }

    // Runs the handler bound to the id; without one, 1 ends the window with OK and 2 with
    // cancel.
    void runCommand(int id);

    void setText(const TextTarget& target, const std::u16string& text) override;

  protected:
    void onCommand(int id, std::function<void()> handler);
    DesktopServices& desktop() const { return desktop_; }

    virtual void onInitDialog() {}
    // The close box, Alt+F4 or the window menu's Close.
    virtual void onCloseRequest();
    // The client area (below the menu bar) has a new size.
    virtual void onClientResized(QSize) {}
    // A window may build a control of its own for a template row; nullptr lets the framework
    // build it.
    virtual QWidget* createControl(const ControlTemplate&, QWidget*) { return nullptr; }
    // A translated text the window keeps for later use.
    virtual void setMemberText(int, const QString&) {}

    // Runs work on a worker thread and returns its result. Meanwhile the window keeps painting
    // and shows a busy cursor, user input to every window is dropped, and a close request waits
    // until the work is done.
    std::string runBusy(std::function<std::string()> work);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void reject() override;
    void accept() override;

  private:
    void build();
    int menuHeight(int width) const;
    void placeMenuAndClient();
    QWidget* buildControl(const ControlTemplate& row);
    void placeControl(QWidget& widget, const ControlTemplate& row);
    void nameForAssistiveTools(int id, const QString& text);

    const DialogTemplate& template_;
    DesktopServices& desktop_;
    DialogBaseUnits baseUnits_{};
    QMenuBar* menuBar_ = nullptr;
    std::unique_ptr<DialogMenu> menu_;
    QWidget* client_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::map<int, QWidget*> labelledFields_;  // label id -> the field it stands before
    std::map<int, std::function<void()>> commands_;
    bool initialised_ = false;
    bool busy_ = false;
    bool closePending_ = false;
};

}  // namespace tessik
