#pragma once
// The About window: the product, its version, the credits of the translations and our
// addresses, each credit and address a link. Its texts follow the language in use; its OK
// button's caption is the main window's.

#include <QString>
#include <string>

#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/about_window.h"

namespace tessik {

class FontSettings;

class CAboutDlg : public Dialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }

    // Runs the window modally, with the main window's font and the OK caption of the language
    // in use.
    int RunAboutDialog(FontSettings& fontSettings, const QString& okCaption);

  protected:
    void onInitDialog() override;
    // The picture keeps its image's size whatever the fitting gives its place.
    void onClientResized(QSize) override { scalePicture(); }
    QWidget* createControl(const ControlTemplate& row, QWidget* parent) override;
    void setMemberText(int id, const QString& text) override;

  private:
    void scalePicture();
    void applyFonts();
    void colourControls();
    void fillTexts();

    WidgetFontHost fontHost_;
    FontSettings* fontSettings_ = nullptr;
    QString okCaption_;
    std::u16string languageFile_;
    QString versionPattern_;
    QString webSiteName_;
    QString mailName_;
};

}  // namespace tessik
