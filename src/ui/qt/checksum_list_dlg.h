#pragma once
// The checksum-list window, in one of two modes. Verify: a list (GNU, BSD or the folder window's
// own lines) is checked against the files it names, taken relative to the list's folder, with
// the algorithm shown, which the user may change before pressing Check; each entry gets a row
// with its status. Hash files: files dropped onto the main window are hashed at once, one row
// each with its digest. Both hash on worker threads, show their progress under the table and
// stop within a moment on Stop, Close, Escape and the close box; rows appear while the run goes
// on, can be sorted by any column, put the ones that did not pass first, and the names of
// those can be copied.

#include <QTimer>
#include <array>
#include <string>
#include <vector>

#include "jobs/files_run.h"
#include "jobs/list_run.h"
#include "ui/qt/checksum_list_model.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/list_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tessik {

class FontSettings;
class ProgressDisplay;

class CChecksumListDlg : public Dialog {
    Q_OBJECT
  public:
    explicit CChecksumListDlg(DesktopServices& desktop, QWidget* parent = nullptr);
    // Stops a run and waits for it.
    ~CChecksumListDlg() override;

    // The language file whose texts the window shows; empty for the built-in texts.
    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }

    // Verify: shows the list with the algorithm it stands for, else the main window's; nothing
    // is checked before the user asks. The separator is that of the folder window's lines.
    int RunVerifyDialog(FontSettings& fontSettings, std::u16string listPath, int mainAlgorithm,
                        std::u16string separator);
    // Hash files: hashes them at once with the algorithm, in the letter case given.
    int RunFilesDialog(FontSettings& fontSettings, std::vector<std::u16string> paths,
                       int algorithmIndex, bool lowerCase);

  protected:
    void onInitDialog() override;
    void onClientResized(QSize size) override;
    void setMemberText(int id, const QString& text) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    enum class Mode { kVerify, kHashFiles };

    void bindControls();
    void bindCommands();
    void applyModeTexts();
    void sizeColumns();
    void showList(std::u16string path);
    void chooseList();
    void start();
    void startVerify();
    bool isRunning() const;
    void stopRun();
    RunProgress runProgress() const;
    void serveRun();
    void takeRows();
    void runEnded();
    void showRunning(bool running);
    void showCounts(bool stopped);
    void copyFailedNames();
    void copySelectedRows();
    void endWith(int result);
    void say(const QString& message, const std::u16string& path);
    const QString& text(ListMemberText which) const;

    QComboBox* algorithmList_ = nullptr;
    QCheckBox* lowercaseBox_ = nullptr;
    QLineEdit* listField_ = nullptr;
    QLabel* countsLabel_ = nullptr;
    QTableView* table_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    ProgressDisplay* progress_ = nullptr;
    ChecksumListModel::Texts texts_;
    ReadFailureTexts failureTexts_{u""};
    ChecksumListModel* model_ = nullptr;

    WidgetFontHost fontHost_;
    FontSettings* fontSettings_ = nullptr;
    std::u16string languageFile_;
    Mode mode_ = Mode::kVerify;
    std::u16string listPath_;
    std::vector<std::u16string> files_;
    int algorithmIndex_ = -1;
    bool lowerCase_ = true;
    std::string separator_;
    QTimer rowTimer_;
    std::uint64_t filesHashed_ = 0;  // rows of the files run so far
    FilesRun filesRun_;
    ListRun listRun_;
};

}  // namespace tessik
