#pragma once
// What the two checksum-list windows share: a table of rows that appear while a run goes on,
// sortable by any column, with the rows that did not pass first on request, the counts above it,
// the progress under it, Stop, "Copy failed names", Copy for the selected rows, and Close,
// Escape and the close box, which stop a run within a moment and wait for it. Each window owns
// its run and starts it; the table takes its rows on a timer.

#include <QTimer>
#include <string>
#include <vector>

#include "settings/algorithm_set.h"
#include "settings/read_failure_words.h"
#include "ui/qt/checksum_list_model.h"
#include "ui/qt/dialog.h"
#include "ui/qt/widget_font_host.h"
#include "ui/rules/list_table_run.h"
#include "ui/rules/list_window.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace tessik {

class FontSettings;
class ProgressDisplay;
class SeveralAlgorithmsEntry;

class ChecksumListDialog : public Dialog {
    Q_OBJECT
  public:
    // The language file whose texts the window shows; empty for the built-in texts.
    void setLanguageFile(std::u16string path) { languageFile_ = std::move(path); }
    // Offers several algorithms at once as the algorithm list's last entry, those ticked here;
    // the table then names each row's algorithm.
    void offerSeveral(AlgorithmSet& ticked) { ticked_ = &ticked; }

  protected:
    // The columns shown, in order.
    ChecksumListDialog(const DialogTemplate& dialogTemplate, std::vector<ListColumn> columns,
                       DesktopServices& desktop, QWidget* parent);

    // Runs the window modally with the main window's font and the algorithm given.
    int runWindow(FontSettings& fontSettings, int algorithmIndex);

    // What the window does first, once the table is bound and the texts are in place.
    virtual void onTableReady() = 0;
    // Starts the window's run with the algorithms chosen, one unless several are offered; false
    // when none started.
    virtual bool startRun(const AlgorithmSet& algorithms) = 0;
    // The window's run, as the table follows it.
    virtual TableRun& tableRun() = 0;
    // A run has ended and its last rows are shown.
    virtual void runFinished(const ListRunEnding&) {}
    // Whether the rows are entries checked against a list, rather than files hashed.
    virtual bool checksAList() const = 0;
    // Files or a list dropped onto the window while no run goes on.
    virtual void dropped(std::vector<std::u16string> paths) = 0;
    // What the counts above the table go on with, if anything.
    virtual QString moreCounts() const { return {}; }
    // Another algorithm was chosen: what the table shows was made with the one before.
    virtual void algorithmChanged() { clearTable(); }

    // Clears the table and starts a run, unless one goes on.
    void start();
    // A run the window started itself, over the rows shown, is followed as start() follows its
    // runs.
    void follow();
    bool isRunning() { return tableRun().IsActive(); }
    void clearTable();
    void sizeColumns();
    const QString& text(ListMemberText which) const;
    const std::u16string& languageFile() const { return languageFile_; }
    const ReadFailureTexts& failureTexts() const { return failureTexts_; }
    ChecksumListModel& model() const { return *model_; }
    const AlgorithmInfo& chosenAlgorithm() const;
    AlgorithmSet chosenAlgorithms() const;

    void onInitDialog() override;
    void setMemberText(int id, const QString& text) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void bindTable();
    void stretchNameColumn();
    void bindCommands();
    void followAlgorithmChoice();
    // The columns for the algorithms: with several, each row names its algorithm.
    void showColumnsFor(const AlgorithmSet& algorithms);
    void serveRun();
    void takeRowsIntoTable();
    void runEnded();
    void showRunning(bool running);
    void showCounts(bool stopped);
    void copyFailedNames();
    void copySelectedRows();
    void sayInStatusLine(const QString& words);
    void fitStatusesOf(const std::vector<ListRow>& rows);
    int textWidth(const QString& text) const;
    void endWith(int result);

    const std::vector<ListColumn> columns_;  // with one algorithm
    AlgorithmSet* ticked_ = nullptr;
    SeveralAlgorithmsEntry* several_ = nullptr;
    QComboBox* algorithmList_ = nullptr;
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
    int algorithmIndex_ = -1;
    int statusWidth_ = 0;  // of the longest status among the rows shown
    QTimer rowTimer_;
};

}  // namespace tessik
