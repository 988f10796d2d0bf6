#include "ui/win32/hash_files_window_win32.h"

namespace tessik {

using namespace list_window;

Win32HashFilesWindow::Win32HashFilesWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                                           std::u16string languageFile,
                                           std::vector<std::u16string> paths, int algorithmIndex,
                                           bool lowerCase)
    : Win32ChecksumListWindow(HashFilesWindowTemplate(),
                              {ListColumn::kName, ListColumn::kDigest, ListColumn::kStatus},
                              desktop, fonts, std::move(languageFile), algorithmIndex),
      files_(std::move(paths)),
      lowerCase_(lowerCase) {}

// The window's own title and start button; the others are the verify window's.
void Win32HashFilesWindow::onTableReady() {
    setText(TextTarget::Title(), text(ListMemberText::kFilesCaption));
    setControlText(kStartButton, text(ListMemberText::kHashButton));
    setLowerCase(lowerCase_);
    setChecked(kLowercaseBox, lowerCase_);
    onCommand(kLowercaseBox, [this] { setLowerCase(isChecked(kLowercaseBox)); });
    start();
}

bool Win32HashFilesWindow::startRun(const AlgorithmSet& algorithms) {
    filesHashed_ = 0;
    return run_.run().Start(HashingFiles(FilesWithAlgorithms(files_, algorithms)));
}

void Win32HashFilesWindow::dropped(std::vector<std::u16string> paths) {
    files_ = std::move(paths);
    start();
}

}  // namespace tessik
