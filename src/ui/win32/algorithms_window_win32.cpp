#include "ui/win32/algorithms_window_win32.h"

#include "settings/language_catalogue.h"
#include "ui/win32/win32_text.h"

namespace tessik {

using namespace algorithms_window;

Win32AlgorithmsWindow::Win32AlgorithmsWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                                             std::u16string languageFile, AlgorithmSet& ticked)
    : Win32Dialog(AlgorithmsWindowTemplate(), desktop),
      fontHost_(*this),
      fonts_(fonts),
      languageFile_(std::move(languageFile)),
      ticked_(ticked) {}

void Win32AlgorithmsWindow::onInitDialog() {
    applyTexts(languageFile_, AlgorithmsWindowTables(), *this);
    fonts_.applyTo(fontHost_, true);
    // OK takes at least one.
    table_ = std::make_unique<Win32AlgorithmTable>(control(kTable), false, [this] {
        EnableWindow(control(kOkResult), !table_->ticked().empty());
    });
    table_->setHeaders(texts_[static_cast<std::size_t>(AlgorithmsMemberText::kColumnAlgorithm)],
                       {});
    table_->setTicked(ticked_);
    EnableWindow(control(kOkResult), !ticked_.empty());
    onCommand(kOkResult, [this] {
        ticked_ = table_->ticked();
        done(kOkResult);
    });
}

void Win32AlgorithmsWindow::setMemberText(int id, const std::u16string& text) {
    if (id < 0 || id >= kAlgorithmsMemberTextCount) return;
    texts_[static_cast<std::size_t>(id)] = text;
    // The table has no label of its own.
    if (id == static_cast<int>(AlgorithmsMemberText::kTableName)) {
        SetWindowTextTo(control(kTable), text);
    }
}

bool Win32AlgorithmsWindow::onMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& answer) {
    return message == WM_NOTIFY && table_ &&
           table_->notify(*reinterpret_cast<NMHDR*>(lParam), answer);
}

}  // namespace tessik
