#pragma once
// The verify window: a list (GNU, BSD or the folder window's own lines) is checked against the
// files it names, taken relative to the list's folder, with the algorithm shown, which the user
// may change before pressing Check; each entry gets a row with its status. Another list comes
// by the browse button or by dropping it onto the window.

#include <string>

#include "jobs/list_run.h"
#include "ui/qt/checksum_list_dialog.h"

class QLineEdit;

namespace tessik {

class CVerifyListDlg : public ChecksumListDialog {
    Q_OBJECT
  public:
    explicit CVerifyListDlg(DesktopServices& desktop, QWidget* parent = nullptr);

    // Shows the list with the algorithm it stands for, else the main window's; nothing is
    // checked before the user asks. The separator is that of the folder window's lines.
    int RunVerifyDialog(FontSettings& fontSettings, std::u16string listPath, int mainAlgorithm,
                        std::u16string separator);

  protected:
    void onTableReady() override;
    bool startRun(const AlgorithmInfo& algorithm) override;
    TableRun& tableRun() override { return run_; }
    void runFinished(const ListRunEnding& ending) override;
    bool checksAList() const override { return true; }
    void dropped(std::vector<std::u16string> paths) override;

  private:
    void showList(std::u16string path);
    void chooseList();

    QLineEdit* listField_ = nullptr;
    std::u16string listPath_;
    int mainAlgorithm_ = -1;
    std::string separator_;
    TableRunOf<VerifyResult, ListRunEnding> run_{[](VerifyResult& row) { return ListRowOf(row); }};
};

}  // namespace tessik
