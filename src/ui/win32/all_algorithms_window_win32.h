#pragma once
// The "All algorithms" window on Win32: one file hashed, from one read, with every algorithm
// ticked in its table, each row with its digest. The expected value, when it is a digest, marks
// the rows that give it and the line under the table names their algorithms, or says that none
// does. Selected rows, or all of them, can be copied. The hash runs in the background with its
// progress and Cancel; the window never goes away under it. The ticked algorithms are kept for
// the next time however it closes.

#include <array>
#include <memory>
#include <string>

#include "jobs/files_run.h"
#include "settings/algorithm_set.h"
#include "settings/font_settings.h"
#include "ui/rules/all_algorithms_window.h"
#include "ui/win32/algorithm_table_win32.h"
#include "ui/win32/progress_display_win32.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_font_host.h"

namespace tessik {

class Win32AllAlgorithmsWindow final : public Win32Dialog {
  public:
    struct Start {
        std::u16string file;      // hashed as soon as the window opens
        std::u16string expected;  // the expected field's start
        bool lowerCase = true;
        std::u16string separator;  // of the folder window's lines, for a line pasted there
    };
    // The ticked algorithms are read at the start and written back at the end.
    Win32AllAlgorithmsWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                             std::u16string languageFile, Start start, AlgorithmSet& ticked);
    ~Win32AllAlgorithmsWindow() override;

    bool isHashing() const { return run_.IsActive(); }
    Win32AlgorithmTable& table() { return *table_; }

  protected:
    void onInitDialog() override;
    void setMemberText(int id, const std::u16string& text) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer) override;

  private:
    void browse();
    void start();
    void serveRun();
    void finishRun();
    void showRunning(bool running);
    void showMatch();
    void forgetDigests();
    void copy(const std::vector<AlgorithmDigest>& rows);
    void endWith(int result);
    const std::u16string& text(AllAlgorithmsMemberText which) const;

    Win32FontHost fontHost_;
    FontSettings& fonts_;
    std::u16string languageFile_;
    Start start_;
    AlgorithmSet& ticked_;
    std::unique_ptr<Win32AlgorithmTable> table_;
    std::unique_ptr<Win32ProgressDisplay> progress_;
    std::array<std::u16string, kAllAlgorithmsMemberTextCount> texts_;
    UINT_PTR runTimer_ = 0;
    FilesRun run_;
};

}  // namespace tessik
