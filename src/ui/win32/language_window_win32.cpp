#include "ui/win32/language_window_win32.h"

#include "ui/rules/language_window.h"
#include "ui/win32/win32_text.h"

namespace tessik {

using namespace language_window;

Win32LanguageWindow::Win32LanguageWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                                         std::u16string languageFile, std::u16string languageName,
                                         std::u16string cataloguePath,
                                         std::u16string programDirectory)
    : Win32Dialog(LanguageWindowTemplate(), desktop),
      fonts_(fonts),
      fontHost_(*this),
      languageFile_(std::move(languageFile)),
      languageName_(std::move(languageName)),
      cataloguePath_(std::move(cataloguePath)),
      programDirectory_(std::move(programDirectory)) {}

void Win32LanguageWindow::onInitDialog() {
    choices_ = BuildLanguageChoices(cataloguePath_, programDirectory_, languageFile_);
    for (const LanguageChoice& choice : choices_.entries) {
        SendMessageW(control(kLanguageList), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ToWide(choice.name).c_str()));
    }
    applyTexts(languageFile_, LanguageWindowTables(), *this);
    fonts_.applyTo(fontHost_, true);
    selectEntry(kLanguageList, choices_.preselected);
    // Only a choice of the user's is previewed; selecting an entry tells no one.
    onNotification(kLanguageList, CBN_SELCHANGE, [this] { selectionChanged(); });
}

void Win32LanguageWindow::selectionChanged() {
    const int index = selectedEntry(kLanguageList);
    languageFile_ = choices_.filePathAt(index);
    languageName_ = index >= 0 && index < static_cast<int>(choices_.entries.size())
                        ? choices_.entries[static_cast<std::size_t>(index)].name
                        : std::u16string();
    applyTexts(languageFile_, LanguageWindowTables(), *this);
}

}  // namespace tessik
