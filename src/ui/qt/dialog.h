#pragma once
// The window framework: a window is built from its template (controls in tab order, sizes in
// dialog units of the window's font, laid out again whenever that font changes), controls are
// found by id, buttons and menu items run the handler bound to their id, and the window ends
// with a modal result, 1 for OK and 2 for cancel. Escape runs command 2; the close box is a
// hook of its own, which by default runs command 2 as well. Translated texts reach the title,
// controls, tool tips and menu items by target; F10 opens the menu bar. A window never outgrows
// the screen it is on: where the template in its font is larger, its fields give way (see
// control_fit.h), and a window that grows is moved back inside the screen.

#include <QDialog>
#include <QSize>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "settings/language_catalogue.h"
#include "ui/rules/control_fit.h"
#include "ui/rules/dialog_template.h"
#include "ui/rules/dialog_units.h"
#include "ui/rules/progress_text.h"

class QMenuBar;

namespace tessik {

class DesktopServices;
class DialogMenu;

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
    QMenuBar* menuBar() const { return menuBar_; }
    QWidget* clientArea() const { return client_; }
    const DialogBaseUnits& baseUnits() const { return baseUnits_; }
    bool isBusy() const { return busy_; }
    const ProgressTexts& progressTexts() const { return progressTexts_; }

    // Runs the handler bound to the id; without one, 1 ends the window with OK and 2 with
    // cancel.
    void runCommand(int id);

    void setText(const TextTarget& target, const std::u16string& text) override;

  protected:
    void onCommand(int id, std::function<void()> handler);
    // Enter in the field presses the button (when it is enabled) instead of the default button.
    void onEnter(int fieldId, int buttonId);
    DesktopServices& desktop() const { return desktop_; }
    // The template's client size in pixels of the window's font.
    QSize templateClientSize() const;
    int menuHeight(int width) const;
    // The client sizes of the template in the window's font and present texts: as the template
    // has it (widened where a text needs more) and the least the controls can give way to.
    const ClientSizes& clientSizes() const { return clientSizes_; }
    // The controls' places for a client area of the given size, and the place of one by its id.
    FittedPlaces fittedPlaces(QSize client) const;
    PixelRect placeOf(const FittedPlaces& fitted, int id) const;
    // What the fitting knows of a control: its template place, its least size.
    FitControl fitControlOf(int id) const;
    // The largest client area the screen the window is on holds beside its frame and menu.
    QSize roomOnTheScreen() const;
    // Every control back at its template place in units of the window's font, and the window
    // sized to hold them.
    void layOutInUnitsOfTheFont();

    virtual void onInitDialog() {}
    // The close box, Alt+F4 or the window menu's Close.
    virtual void onCloseRequest();
    // The client area (below the menu bar) has a new size.
    virtual void onClientResized(QSize) {}
    // Every control is back at its template place in the units of a new font; a resizable
    // window sets the smallest size that still holds them.
    virtual void onUnitsChanged() {}
    // A window whose edge rules of its own take it beyond its template's size: the fitting
    // places its controls for the template's size, and onClientResized moves them from there.
    virtual bool growsByItsOwnRules() const { return false; }
    // The controls such a window places across by its rules at any size: the fitting sets them
    // aside.
    virtual std::span<const int> placedAcrossByItsOwnRules() const { return {}; }
    // A window may build a control of its own for a template row; nullptr lets the framework
    // build it.
    virtual QWidget* createControl(const ControlTemplate&, QWidget*) { return nullptr; }
    // A translated text the window keeps for later use.
    virtual void setMemberText(int, const QString&) {}

    // Runs work in a background run and returns once it is done. Meanwhile the window keeps
    // painting and shows a busy cursor, user input to every window is dropped, and a close
    // request waits until the work is done.
    void runBusy(const std::function<void()>& work);

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void accept() override;

  private:
    void build();
    std::vector<FitControl> fitControls() const;
    // Sizes the window for its controls within the screen: after a change of font at the
    // template's size, after a change of text as it is.
    void sizeToTheScreen(bool newFont);
    void layOutSoon();
    void keepOnTheScreen();
    void placeMenuAndClient();
    void placeControls();
    QWidget* buildControl(const ControlTemplate& row);
    PixelRect placeAtTemplate(QWidget& widget, const ControlTemplate& row);
    void nameForAssistiveTools(int id, const QString& text);
    void openMenuBar();

    const DialogTemplate& template_;
    DesktopServices& desktop_;
    DialogBaseUnits baseUnits_{};
    QMenuBar* menuBar_ = nullptr;
    std::unique_ptr<DialogMenu> menu_;
    QWidget* client_ = nullptr;
    std::vector<QWidget*> rowWidgets_;       // one per template row, in its order
    std::vector<PixelRect> templatePlaces_;  // of the rows, in the window's font
    ClientSizes clientSizes_{};
    std::map<int, QWidget*> controls_;
    std::map<int, QWidget*> labelledFields_;  // label id -> the field it stands before
    std::map<int, std::function<void()>> commands_;
    std::map<QObject*, int> enterButtons_;  // field -> the button Enter presses there
    ProgressTexts progressTexts_;
    bool initialised_ = false;
    bool busy_ = false;
    bool closePending_ = false;
    bool layOutPending_ = false;
};

}  // namespace tessik
