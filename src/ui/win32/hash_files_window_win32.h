#pragma once
// The window for files dropped onto the main window, on Win32: they are hashed at once with its
// algorithm, one row each with its digest, in the letter case chosen; another algorithm hashes
// them again, and files dropped onto the window take their place.

#include <cstdint>
#include <string>
#include <vector>

#include "jobs/files_run.h"
#include "ui/win32/checksum_list_window_win32.h"

namespace tessik {

class Win32HashFilesWindow final : public Win32ChecksumListWindow {
  public:
    // Hashes the files at once with the algorithm, in the letter case given.
    Win32HashFilesWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                         std::u16string languageFile, std::vector<std::u16string> paths,
                         int algorithmIndex, bool lowerCase);

  protected:
    void onTableReady() override;
    bool startRun(const AlgorithmSet& algorithms) override;
    TableRun& tableRun() override { return run_; }
    bool checksAList() const override { return false; }
    void dropped(std::vector<std::u16string> paths) override;
    // The same files again, with the algorithm now chosen.
    void algorithmChanged() override { start(); }

  private:
    std::vector<std::u16string> files_;
    const bool lowerCase_;
    std::uint64_t filesHashed_ = 0;  // rows of the run so far
    TableRunOf<HashedFile, RunEnding> run_{[this](HashedFile& file, std::vector<ListRow>& rows) {
        AddRowsOf(++filesHashed_, std::move(file), rows);
    }};
};

}  // namespace tessik
