#pragma once
// The About window: the product, its version, the credits of the translations and our
// addresses, each credit and address a link. Its texts follow the language in use; its OK
// button's caption is the main window's.

#include <QString>
#include <string>

#include "ui/dialog.h"
#include "ui/widget_font_host.h"

namespace tessik {

class FontSettings;

namespace about_window {

enum ControlId : int {
    kMailField = 1012,
    kWebSiteField = 1013,
    kTitleLabel = 1015,
    kVersionLabel = 1016,
    kLegalLabel = 1017,
    kDescriptionLabel = 1018,
    kPicture = 1019,
};

// The credit rows, top to bottom; a row without a label has kNoLabel.
inline constexpr int kNoLabel = -1;
inline constexpr int kCreditLabels[] = {1020, 1025,     1027, 1029, 1034,
                                        1036, kNoLabel, 1051, 1053, 1059};
inline constexpr int kCreditFields[] = {1023, 1026, 1028, 1030, 1035, 1037, 1055, 1052, 1054, 1060};

}  // namespace about_window

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
