#pragma once
// What the two checksum-list windows on Win32 share: a list view of the rows that appear while a
// run goes on, sorted by a header click either way and back to list order, with the rows that
// did not pass first on request, the counts above it, the progress under it, Stop, "Copy failed
// names", Ctrl+C for the selected rows, and Close, Escape and the close box, which stop a run
// within a moment and wait for it. Files dropped onto the window go to the window's own use.
// Each window owns its run and starts it; the table takes its rows on a timer.

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/font_settings.h"
#include "settings/read_failure_words.h"
#include "ui/rules/list_table_run.h"
#include "ui/rules/list_table_text.h"
#include "ui/rules/list_window.h"
#include "ui/win32/list_view_win32.h"
#include "ui/win32/progress_display_win32.h"
#include "ui/win32/several_algorithms_entry_win32.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32ChecksumListWindow : public Win32Dialog {
  public:
    ~Win32ChecksumListWindow() override;

    const ListTable& table() const { return table_; }
    const std::vector<ListColumn>& columns() const { return shownColumns_; }
    bool isRunning() { return tableRun().IsActive(); }
    // Offers several algorithms at once as the algorithm list's last entry, those ticked here;
    // the table then names each row's algorithm.
    void offerSeveral(AlgorithmSet& ticked) { ticked_ = &ticked; }

  protected:
    // The columns shown with one algorithm, in order; the window shows the algorithm given at
    // first, in the main window's font and language.
    Win32ChecksumListWindow(const DialogTemplate& dialogTemplate, std::vector<ListColumn> columns,
                            Win32DesktopServices& desktop, FontSettings& fonts,
                            std::u16string languageFile, int algorithmIndex);

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
    virtual std::u16string moreCounts() const { return {}; }
    // Another algorithm was chosen: what the table shows was made with the one before.
    virtual void algorithmChanged() { clearTable(); }

    // Clears the table and starts a run, unless one goes on.
    void start();
    // A run the window started itself, over the rows shown, is followed as start() follows its
    // runs.
    void follow();
    void clearTable();
    void setLowerCase(bool lowerCase);
    std::u16string text(ListMemberText which) const;
    ListText listTexts() const;
    const std::u16string& languageFile() const { return languageFile_; }
    const ReadFailureTexts& failureTexts() const { return failureTexts_; }
    const AlgorithmInfo& chosenAlgorithm() const;
    AlgorithmSet chosenAlgorithms() const;

    void onInitDialog() override;
    void onCloseRequest() override { endWith(kCancelResult); }
    void setMemberText(int id, const std::u16string& text) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) override;

  private:
    void bindTable();
    void bindCommands();
    // The columns for the algorithms: with several, each row names its algorithm.
    void showColumnsFor(const AlgorithmSet& algorithms);
    void sizeColumns();
    std::optional<COLORREF> cellColour(std::size_t row, int column) const;
    void sortBy(int column);
    template <class Change>
    void reorder(Change change);
    void serveRun();
    void takeRowsIntoTable();
    void runEnded();
    void showRunning(bool running);
    void showCounts(bool stopped);
    void copyFailedNames();
    void copySelectedRows();
    void fitStatusesOf(const std::vector<ListRow>& rows);
    void endWith(int result);

    const std::vector<ListColumn> columns_;  // with one algorithm
    AlgorithmSet* ticked_ = nullptr;
    std::unique_ptr<Win32SeveralAlgorithmsEntry> several_;
    std::vector<ListColumn> shownColumns_;
    FontSettings& fonts_;
    Win32FontHost fontHost_;
    const std::u16string languageFile_;
    const int algorithmIndex_;
    std::array<std::u16string, kListMemberTextCount> texts_;
    ReadFailureTexts failureTexts_{u""};
    const ListCells cells_;
    ListTable table_;
    bool lowerCase_ = true;
    std::optional<int> sortColumn_;  // none: list order
    bool descending_ = false;
    int statusWidth_ = 0;  // of the longest status among the rows shown
    std::set<std::u16string> statusesMeasured_;
    std::unique_ptr<Win32ListView> view_;
    std::unique_ptr<Win32ProgressDisplay> progress_;
    UINT_PTR rowTimer_ = 0;
};

}  // namespace tessik
