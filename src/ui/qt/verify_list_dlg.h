#pragma once
// The verify window: a list (GNU, BSD or the folder window's own lines) is checked against the
// files it names, with the algorithm shown, which the user may change before pressing Check;
// each entry gets a row with its status. The names are looked up in the folder shown, the
// list's own unless the user picks another or accepts the one the window offers; on request
// the files there that the list does not name get rows as new ones, and can be added to it.
// A signature beside the list, or of a clear-signed list, is checked with it and said first.
// Another list comes by the browse button or by dropping it onto the window.

#include <string>
#include <vector>

#include "jobs/append_run.h"
#include "jobs/list_run.h"
#include "ui/qt/checksum_list_dialog.h"
#include "ui/rules/signature_text.h"
#include "ui/rules/verify_window_rules.h"

class QCheckBox;
class QLabel;
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
    bool startRun(const AlgorithmSet& algorithms) override;
    TableRun& tableRun() override;
    void runFinished(const ListRunEnding& ending) override;
    bool checksAList() const override { return true; }
    void dropped(std::vector<std::u16string> paths) override;
    QString moreCounts() const override;

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
    std::u16string listText(ListMemberText which) const;
    ListText listTexts() const;

    QLineEdit* listField_ = nullptr;
    QLineEdit* folderField_ = nullptr;
    QCheckBox* newFilesBox_ = nullptr;
    QLabel* signatureLabel_ = nullptr;
    VerifySubject subject_;
    bool lookedForNew_ = false;  // by the check shown
    int mainAlgorithm_ = -1;
    bool adding_ = false;  // the run under way adds the new files to the list
    TableRunOf<VerifyResult, ListRunEnding> run_{
        [](VerifyResult& row, std::vector<ListRow>& rows) { rows.push_back(ListRowOf(row)); }};
    TableRunOf<NoRows, AppendOutcome> addRun_{[](NoRows&, std::vector<ListRow>&) {}};
};

}  // namespace tessik
