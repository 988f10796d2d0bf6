#pragma once
// The window that asks which algorithms to hash at once: every algorithm with a box, the ones
// given ticked. OK, which takes at least one, hands the ticked ones back; Cancel, Escape and the
// close box nothing.

#include <array>
#include <string>

#include "settings/algorithm_set.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/algorithms_window.h"

namespace tessik {

class AlgorithmTableModel;
class FontSettings;

class CAlgorithmsDlg : public Dialog {
    Q_OBJECT
  public:
    explicit CAlgorithmsDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }

    // 1 after OK, which has written the algorithms ticked; 2 otherwise.
    int RunAlgorithmsDialog(FontSettings& fontSettings, AlgorithmSet& ticked);

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const QString& text) override;

  private:
    WidgetFontHost fontHost_;
    FontSettings* fontSettings_ = nullptr;
    std::u16string languageFile_;
    AlgorithmSet* ticked_ = nullptr;
    AlgorithmTableModel* model_ = nullptr;
    std::array<QString, kAlgorithmsMemberTextCount> texts_;
};

}  // namespace tessik
