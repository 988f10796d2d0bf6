#pragma once
// The verify window on Win32: a list (GNU, BSD or the folder window's own lines) is checked
// against the files it names, with the algorithm shown, which the user may change before pressing
// Check; each entry gets a row with its status. The names are looked up in the folder shown, the
// list's own unless the user picks another or accepts the one the window offers; on request the
// files there that the list does not name get rows as new ones, and can be added to it. A
// signature beside the list, or of a clear-signed list, is checked with it and said first.
// Another list comes by the browse button or by dropping it onto the window.

#include <string>
#include <vector>

#include "jobs/append_run.h"
#include "jobs/list_run.h"
#include "ui/rules/verify_window_rules.h"
#include "ui/win32/checksum_list_window_win32.h"

namespace tessik {

class Win32VerifyListWindow final : public Win32ChecksumListWindow {
  public:
    // Shows the list with the algorithm it stands for, else the main window's; nothing is
    // checked before the user asks. The separator is that of the folder window's lines.
    Win32VerifyListWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                          std::u16string languageFile, std::u16string listPath, int mainAlgorithm,
                          const std::u16string& separator);

  protected:
    void onTableReady() override;
    bool startRun(const AlgorithmSet& algorithms) override;
    TableRun& tableRun() override;
    void runFinished(const ListRunEnding& ending) override;
    bool checksAList() const override { return true; }
    void dropped(std::vector<std::u16string> paths) override;
    std::u16string moreCounts() const override;
    std::optional<COLORREF> textColourOf(int id) const override;

  private:
    void showList(std::u16string path);
    void chooseList();
    void showFolder(std::u16string folder);
    void chooseFolder();
    void checkEnded(const ListRunEnding& ending);
    void showSignature(const SignatureCheck& signature);
    void offerFolder(const std::u16string& folder);
    void addNewFiles();
    void addingEnded(const AppendOutcome& outcome);

    VerifySubject subject_;
    bool lookedForNew_ = false;  // by the check shown
    bool badSignature_ = false;  // the signature line warns
    int mainAlgorithm_ = -1;
    bool adding_ = false;  // the run under way adds the new files to the list
    TableRunOf<VerifyResult, ListRunEnding> run_{
        [](VerifyResult& row, std::vector<ListRow>& rows) { rows.push_back(ListRowOf(row)); }};
    TableRunOf<NoRows, AppendOutcome> addRun_{[](NoRows&, std::vector<ListRow>&) {}};
};

}  // namespace tessik
