#pragma once
// The options window: the separator of the folder results, the font of the windows, how the
// line ends of typed text are hashed and whether a checksum list is looked for beside a file. The
// font is edited on a working copy of the main window's font settings and previewed on this window;
// OK hands the choices and the copy back, Cancel nothing.

#include <memory>
#include <string>

#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/options_choices.h"
#include "ui/rules/options_window.h"

namespace tessik {

class COptionsDlg : public Dialog {
    Q_OBJECT
  public:
    explicit COptionsDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }

    // Runs the window modally; it is run only this way. 1 after OK, which has written the
    // separator, the font settings, the line ends and whether lists are looked for; 2 after
    // Cancel, Escape or the close box, which write nothing.
    int RunOptionsDialog(FontSettings& mainFontSettings, std::u16string& separator,
                         TypedLineEnds& lineEnds, bool& lookForLists);

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const QString& text) override;

  private:
    void chooseFont();
    void resetFont();
    void confirm();
    void showFaceName();

    // A reset starts from the font the window was built with, not from the font it previews.
    WidgetFontHost fontHost_;
    std::u16string languageFile_;
    FontSettings* mainFontSettings_ = nullptr;
    std::u16string* separator_ = nullptr;
    TypedLineEnds* lineEnds_ = nullptr;
    bool* lookForLists_ = nullptr;
    std::unique_ptr<OptionsChoices> choices_;
};

}  // namespace tessik
