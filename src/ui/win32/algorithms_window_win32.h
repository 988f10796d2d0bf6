#pragma once
// The window that asks which algorithms to hash at once, on Win32: every algorithm in a list
// with a box, the ones given ticked. OK, which takes at least one, hands the ticked ones back;
// Cancel, Escape and the close box nothing.

#include <array>
#include <memory>
#include <string>

#include "settings/algorithm_set.h"
#include "settings/font_settings.h"
#include "ui/rules/algorithms_window.h"
#include "ui/win32/algorithm_table_win32.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32AlgorithmsWindow final : public Win32Dialog {
  public:
    // OK writes the algorithms ticked into `ticked`.
    Win32AlgorithmsWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                          std::u16string languageFile, AlgorithmSet& ticked);

    Win32AlgorithmTable& table() { return *table_; }

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const std::u16string& text) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) override;

  private:
    Win32FontHost fontHost_;
    FontSettings& fonts_;
    std::u16string languageFile_;
    AlgorithmSet& ticked_;
    std::unique_ptr<Win32AlgorithmTable> table_;
    std::array<std::u16string, kAlgorithmsMemberTextCount> texts_;
};

}  // namespace tessik
