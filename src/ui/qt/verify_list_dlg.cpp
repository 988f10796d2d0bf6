#include "ui/qt/verify_list_dlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "lists/algorithm_choice.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "ui/qt/desktop_services.h"
#include "ui/qt/qt_text.h"
#include "ui/rules/checksum_list_rules.h"
#include "ui/rules/main_message_texts.h"

namespace tessik {

using namespace list_window;

CVerifyListDlg::CVerifyListDlg(DesktopServices& desktop, QWidget* parent)
    : ChecksumListDialog(VerifyListWindowTemplate(),
                         {ListColumn::kLine, ListColumn::kName, ListColumn::kStatus}, desktop,
                         parent) {}

int CVerifyListDlg::RunVerifyDialog(FontSettings& fontSettings, std::u16string listPath,
                                    int mainAlgorithm, std::u16string separator) {
    listPath_ = std::move(listPath);
    mainAlgorithm_ = mainAlgorithm;
    separator_ = ToUtf8(separator);
    return runWindow(fontSettings, mainAlgorithm);
}

void CVerifyListDlg::onTableReady() {
    listField_ = control<QLineEdit>(kListField);
    onCommand(kBrowseButton, [this] { chooseList(); });
    showList(listPath_);
    control(kStartButton)->setFocus();
}

void CVerifyListDlg::showList(std::u16string path) {
    listPath_ = std::move(path);
    listField_->setText(ToQString(listPath_));
    listField_->setCursorPosition(0);
    const ListPreview preview = PreviewList(listPath_, separator_);
    control<QComboBox>(kAlgorithmList)
        ->setCurrentIndex(
            static_cast<int>(&InitialListAlgorithm(listPath_, preview, mainAlgorithm_) -
                             AlgorithmCatalogue().data()));
    clearTable();
}

void CVerifyListDlg::chooseList() {
    const MainMessageTexts messages(languageFile());
    const std::optional<QString> chosen = desktop().chooseFileToOpen(
        this, ToQString(ChecksumListFilter(messages[MainMemberText::kChecksumLists],
                                           messages[MainMemberText::kAllFiles])));
    if (chosen) showList(chosen->toStdU16String());
}

// Lines that name no algorithm of their own are checked with the one chosen.
bool CVerifyListDlg::startRun(const AlgorithmInfo& algorithm) {
    auto list = std::make_shared<InputFile>();
    if (const ReadFailure failure = list->Open(listPath_); failure != ReadFailure::kNone) {
        say(ToQString(failureTexts().Message(failure)), listPath_);
        return false;
    }
    ListToCheck check;
    check.bytes = [list](char* buffer, std::size_t capacity) {
        return list->Read(buffer, capacity);
    };
    check.separator = separator_;
    check.listFolder = DirectoryPart(FullPath(listPath_));
    check.ofList = &algorithm;
    check.sfvList = IsSfvListName(listPath_);
    return run_.run().Start(CheckingList(std::move(check)));
}

// A list cut short, or one without a single entry, is said.
void CVerifyListDlg::runFinished(const ListRunEnding& ending) {
    const ListCounts& counts = model().table().Counts();
    if (ending.listReadFailed) {
        say(ToQString(failureTexts().Message(ReadFailure::kIoError)), listPath_);
    } else if (!ending.stopped &&
               counts.ok + counts.failed + counts.missing + counts.unreadable == 0) {
        say(text(ListMemberText::kNoEntries), listPath_);
    }
}

// A list dropped onto the window is shown for checking.
void CVerifyListDlg::dropped(std::vector<std::u16string> paths) {
    showList(std::move(paths.front()));
}

}  // namespace tessik
