#pragma once
// The folder window on Win32: pick a folder and its filters, the algorithm (or several) and the
// letter case, and hash every file of the folder in a background run polled on a timer, one
// line per file in the output field. A run that takes longer than a moment shows its progress,
// and every run ends with a summary; "Save results..." writes the run as a checksum list or as
// shown. The close box keeps the folder and both filters for the next time; OK and Escape keep
// nothing. Every way out stops the run, which cancels the files at hand, and waits for it.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "jobs/folder_run.h"
#include "settings/application_settings.h"
#include "settings/font_settings.h"
#include "ui/rules/folder_output.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/folder_window_run.h"
#include "ui/win32/progress_display_win32.h"
#include "ui/win32/several_algorithms_entry_win32.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32FolderWindow final : public Win32Dialog {
  public:
    struct Choices {
        int algorithmIndex = -1;
        bool lowerCase = true;
        // Offered as the algorithm list's last entry, "Several algorithms...", when given; the
        // algorithms window starts from these and writes them back.
        AlgorithmSet* ticked = nullptr;
    };
    // The close box writes the folder values back; the separator is the window's own copy for
    // the lines of every run.
    Win32FolderWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                      std::u16string languageFile, Choices choices, FolderValues& values,
                      std::u16string separator);

    // Opens on this folder instead of the last one kept.
    void setFolder(std::u16string folder) { folder_ = std::move(folder); }
    bool isRunning() const { return runs_.isActive(); }

  protected:
    void onInitDialog() override;
    void onCloseRequest() override;
    void setMemberText(int id, const std::u16string& text) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) override;

  private:
    void fillAlgorithmList();
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
    void appendOutput(const std::u16string& text);
    void showSummary(const FolderRunSummary& summary);
    const std::u16string& text(FolderMemberText which) const;

    Win32FontHost fontHost_;
    FontSettings& fonts_;
    std::u16string languageFile_;
    Choices choices_;
    FolderValues& values_;
    std::u16string folder_;
    std::u16string runFolder_;  // the folder field as the last run read it
    std::unique_ptr<Win32SeveralAlgorithmsEntry> several_;
    std::array<std::u16string, kFolderMemberTextCount> memberTexts_;
    FolderOutput output_;
    // The output field holds exactly what the runs set or added there.
    bool outputIsTheRuns_ = true;
    bool runWritesOutput_ = false;
    UINT_PTR runTimer_ = 0;
    std::unique_ptr<Win32ProgressDisplay> progress_;
    FolderWindowRun runs_;
};

}  // namespace tessik
