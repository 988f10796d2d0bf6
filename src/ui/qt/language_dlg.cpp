#include "ui/qt/language_dlg.h"

#include <QComboBox>
#include <array>

#include "settings/font_settings.h"
#include "ui/qt/qt_text.h"

namespace tessik {

using namespace language_window;

CLanguageDlg::CLanguageDlg(DesktopServices& desktop, QWidget* parent)
    : Dialog(LanguageWindowTemplate(), desktop, parent), fontHost_(*this) {}

void CLanguageDlg::SetLanguageData(std::u16string languageFile, std::u16string languageName,
                                   std::u16string cataloguePath, std::u16string programDirectory,
                                   std::u16string& fileResult, std::u16string& nameResult) {
    languageFile_ = std::move(languageFile);
    languageName_ = std::move(languageName);
    cataloguePath_ = std::move(cataloguePath);
    programDirectory_ = std::move(programDirectory);
    fileResult_ = &fileResult;
    nameResult_ = &nameResult;
}

int CLanguageDlg::RunLanguageDialog(FontSettings& fontSettings) {
    fontSettings_ = &fontSettings;
    return run();
}

void CLanguageDlg::onInitDialog() {
    languageList_ = control<QComboBox>(kLanguageList);
    onCommand(kOkResult, [this] { confirm(); });

    choices_ = BuildLanguageChoices(cataloguePath_, programDirectory_, *fileResult_);
    for (const LanguageChoice& choice : choices_.entries) {
        languageList_->addItem(ToQString(choice.name));
    }
    applyTexts(languageFile_, LanguageWindowTables(), *this);
    fontSettings_->applyTo(fontHost_, true);
    languageList_->setCurrentIndex(choices_.preselected);
    // Connected after the preselection: only a new choice is previewed.
    connect(languageList_, &QComboBox::currentIndexChanged, this,
            [this](int index) { selectionChanged(index); });
}

void CLanguageDlg::selectionChanged(int index) {
    languageFile_ = choices_.filePathAt(index);
    languageName_ = languageList_->currentText().toStdU16String();
    applyTexts(languageFile_, LanguageWindowTables(), *this);
}

void CLanguageDlg::confirm() {
    *fileResult_ = languageFile_;
    *nameResult_ = languageName_;
    done(kOkResult);
}

}  // namespace tessik
