#pragma once
// The folder window: pick a folder and its filters, the algorithm and the letter case, and
// hash every file of the folder in a background run, one line per file in the output field.
// Under the output, a run that takes longer than a moment shows its progress, and every run
// ends with a summary; "Save results..." writes the run as a checksum list or as shown. Closing it
// with the close box keeps the folder and both filters for the next time; OK and Escape keep
// nothing. The window never goes away while its run goes on: every way out stops the run, which
// cancels the files at hand, and waits for it.

#include <QTimer>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "jobs/folder_run.h"
#include "settings/application_settings.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/folder_output.h"
#include "ui/rules/folder_results_file.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/folder_window_run.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tessik {

class FontSettings;
class ProgressDisplay;
class SeveralAlgorithmsEntry;

class CHashFolderDlg : public Dialog {
    Q_OBJECT
  public:
    explicit CHashFolderDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    // The language file whose texts the window shows; empty for the built-in texts.
    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }
    // Opens on this folder instead of the last one kept, which changes only as the close box
    // writes it.
    void setFolder(std::u16string folder) { folder_ = std::move(folder); }
    // Offers several algorithms at once as the algorithm list's last entry, those ticked here.
    void offerSeveral(AlgorithmSet& ticked) { ticked_ = &ticked; }

    // Runs the window modally; it is run only this way. The folder values are written back only by
    // the close box; the separator is the window's own copy for the lines of every run.
    int RunFolderDialog(FontSettings& fontSettings, int algorithmIndex, bool lowerCase,
                        FolderValues& values, std::u16string separator);

  protected:
    void onInitDialog() override;
    void onCloseRequest() override;
    void setMemberText(int id, const QString& text) override;

  private:
    void bindControls();
    void browse();
    void process();
    void startRun();
    void stop();
    void serveRun();
    void finishRun(const FolderRunSummary& summary);
    void saveResults();
    void endWith(int result);

    DigestChoice digestChoice() const;
    // Running: Stop shown, OK and Process disabled. Idle: the reverse.
    void showRunning(bool running);
    void showLines();
    void setOutput(const std::u16string& text);
    void showSummary(const FolderRunSummary& summary);
    void scrollOutputToEnd();
    const QString& text(FolderMemberText which) const;
    const QString& formatName(ResultsFormat format) const;

    QLineEdit* folderField_ = nullptr;
    QCheckBox* m_CHKSubfolders = nullptr;
    QLineEdit* nameFilterField_ = nullptr;
    QLineEdit* extensionField_ = nullptr;
    QComboBox* algorithmList_ = nullptr;
    QCheckBox* m_CHKLowercase = nullptr;
    QPlainTextEdit* outputField_ = nullptr;
    QPushButton* m_BTNProcessFolder = nullptr;
    QPushButton* m_BTNOk = nullptr;
    QPushButton* m_BTNStopProcessing = nullptr;
    QLabel* summaryLabel_ = nullptr;
    ProgressDisplay* progress_ = nullptr;
    std::array<QString, kFolderMemberTextCount> memberTexts_;

    WidgetFontHost fontHost_;
    FontSettings* fontSettings_ = nullptr;
    std::u16string languageFile_;
    std::u16string folder_;
    std::u16string runFolder_;  // the folder field as the last run read it
    FolderValues* values_ = nullptr;
    AlgorithmSet* ticked_ = nullptr;
    SeveralAlgorithmsEntry* several_ = nullptr;
    int algorithmIndex_ = -1;
    bool lowerCase_ = true;
    std::optional<FolderOutput> output_;
    // The output field holds exactly what the runs set or added there.
    bool outputIsTheRuns_ = true;
    bool runWritesOutput_ = false;
    QTimer runTimer_;
    FolderWindowRun runs_;
};

}  // namespace tessik
