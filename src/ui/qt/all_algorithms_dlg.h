#pragma once
// The "All algorithms" window: one file hashed, from one read, with every algorithm the user has
// ticked in its table, each row with its digest. The expected value, when it is a digest, marks
// the row or rows that give it and the line under the table names their algorithms, or says
// that none does: the answer to "which algorithm made this digest?". A row, or all of them, can
// be copied. The hash runs in the background with its progress and Cancel; the window never
// goes away under it. The ticked algorithms are kept for the next time however it closes.

#include <QTimer>
#include <array>
#include <string>

#include "jobs/files_run.h"
#include "settings/algorithm_set.h"
#include "settings/read_failure_words.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/all_algorithms_window.h"

class QLabel;
class QLineEdit;
class QTableView;

namespace tessik {

class AlgorithmTableModel;
class FontSettings;
class ProgressDisplay;

class CAllAlgorithmsDlg : public Dialog {
    Q_OBJECT
  public:
    explicit CAllAlgorithmsDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    // The language file whose texts the window shows; empty for the built-in texts.
    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }

    // Runs the window modally, hashing the file at once. The expected value starts its field;
    // the separator is that of the folder window's lines, for a line pasted there. The ticked
    // algorithms are read at the start and written back at the end.
    int RunAllAlgorithmsDialog(FontSettings& fontSettings, std::u16string file,
                               std::u16string expected, AlgorithmSet& ticked, bool lowerCase,
                               std::u16string separator);

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const QString& text) override;

  private:
    void bindControls();
    void browse();
    void start();
    void serveRun();
    void finishRun();
    void showRunning(bool running);
    void showMatch();
    void forgetDigests();
    void copySelectedRows();
    void copyAllRows();
    void endWith(int result);
    const QString& text(AllAlgorithmsMemberText which) const;

    QLineEdit* fileField_ = nullptr;
    QLineEdit* expectedField_ = nullptr;
    QTableView* table_ = nullptr;
    QLabel* matchLabel_ = nullptr;
    AlgorithmTableModel* model_ = nullptr;
    ProgressDisplay* progress_ = nullptr;
    std::array<QString, kAllAlgorithmsMemberTextCount> texts_;
    ReadFailureTexts failureTexts_{u""};

    WidgetFontHost fontHost_;
    FontSettings* fontSettings_ = nullptr;
    std::u16string languageFile_;
    std::u16string file_;
    std::u16string expected_;
    std::u16string separator_;
    AlgorithmSet* ticked_ = nullptr;
    bool lowerCase_ = true;
    QTimer runTimer_;
    FilesRun run_;
};

}  // namespace tessik
