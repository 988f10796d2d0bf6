// The folder window on Win32, driven through the messages a user's clicks send: a run to its
// summary, Stop, the values the close box keeps, Save results and several algorithms at once.
#include "ui/win32/folder_window_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

#include "algorithms_choice.h"
#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "fake_win32_desktop.h"
#include "modal_script.h"
#include "platform/text_conversion.h"
#include "serve_messages.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "ui/rules/folder_window.h"
#include "ui/win32/win32_text.h"
#include "window_fonts.h"

namespace tessik {
namespace {

using namespace folder_window;

int IndexOf(std::string_view id) {
    return static_cast<int>(AlgorithmWithId(id) - AlgorithmCatalogue().data());
}

class Win32FolderWindowTest : public ::testing::Test {
  protected:
    // The folder to walk, in walk order, each file holding its own name.
    void MakeFolder(std::initializer_list<const char*> names) {
        for (const char* name : names) test::WriteBytes(folder.Native(name), name);
        values.lastFolder = folder.U16() + u"\\";
    }

    Win32FolderWindow& Open(int algorithm) {
        window = std::make_unique<Win32FolderWindow>(
            desktop, fonts, u"", Win32FolderWindow::Choices{algorithm, true, &ticked}, values,
            u"  ");
        EXPECT_TRUE(window->create());
        return *window;
    }

    void Click(int id) { SendMessageW(window->control(id), BM_CLICK, 0, 0); }
    // Shown on the window, which the test never shows itself.
    bool Shown(int id) const {
        return (GetWindowLongPtrW(window->control(id), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    bool Enabled(int id) const { return IsWindowEnabled(window->control(id)) != FALSE; }
    std::u16string Text(int id) const { return window->controlText(id); }
    bool RunToItsEnd() {
        return test::ServeUntil([this] { return !window->isRunning() && !Shown(kStopButton); });
    }
    std::u16string Line(const char* name, int algorithm) const {
        return values.lastFolder + FromUtf8(name) + u"  " +
               FromUtf8(HashFromFile(algorithm, folder.U16(name), true)) + u"\r\n";
    }

    test::TemporaryFolder folder;
    test::FakeWin32Desktop desktop;
    test::WindowFonts fonts;
    FolderValues values;
    AlgorithmSet ticked = EveryAlgorithm();
    std::unique_ptr<Win32FolderWindow> window;
};

TEST_F(Win32FolderWindowTest, RunsTheFolderToItsSummaryAndSavesTheResults) {
    const int md5 = IndexOf("md5");
    MakeFolder({"a.txt", "b.bin"});
    Open(md5);
    EXPECT_EQ(WindowText(window->handle()), u"Get Hash from folder");
    EXPECT_EQ(Text(kFolderField), values.lastFolder);
    EXPECT_EQ(SendMessageW(window->control(kAlgorithmList), CB_GETCOUNT, 0, 0),
              AlgorithmCount() + 1);
    EXPECT_FALSE(Enabled(kSaveButton));
    Click(kProcessButton);
    ASSERT_TRUE(RunToItsEnd());
    EXPECT_EQ(Text(kOutputField), Line("a.txt", md5) + Line("b.bin", md5));
    EXPECT_TRUE(Text(kSummaryLabel).starts_with(u"Files hashed: 2 \u2013 could not be read: 0"))
        << ToUtf8(Text(kSummaryLabel));
    EXPECT_TRUE(Enabled(kOkResult));
    ASSERT_TRUE(Enabled(kSaveButton));

    // The GNU list first, then BSD and the output as shown; MD5 has no SFV form.
    const std::string list = folder.Native("MD5SUMS");
    desktop.filesToSave.push_back(Win32DesktopServices::SaveChoice{FromUtf8(list), 0});
    Click(kSaveButton);
    ASSERT_EQ(desktop.saveStarts.size(), 1u);
    EXPECT_EQ(desktop.saveStarts[0].filter,
              u"GNU checksum list (digest  name)|*|BSD checksum list (TAG (name) = digest)|*|"
              u"The output as shown|*||");
    EXPECT_TRUE(desktop.saveStarts[0].suggestedPath.ends_with(u"MD5SUMS"));
    EXPECT_EQ(test::ReadBytes(list), HashFromFile(md5, folder.U16("a.txt"), true) + "  a.txt\n" +
                                         HashFromFile(md5, folder.U16("b.bin"), true) +
                                         "  b.bin\n");
    EXPECT_EQ(Text(kCurrentFileLabel), u"Saved: " + FromUtf8(list));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(Win32FolderWindowTest, StopReturnsTheButtonsAtOnceAndCancelsTheFileInHand) {
    const int md5 = IndexOf("md5");
    MakeFolder({"a.txt", "b.bin", "c.txt"});
    test::HeldCall held("/c.txt");
    Open(md5);
    Click(kProcessButton);
    ASSERT_TRUE(test::ServeUntil(
        [&] { return Text(kOutputField) == Line("a.txt", md5) + Line("b.bin", md5); }));
    EXPECT_TRUE(Shown(kStopButton));
    EXPECT_FALSE(Enabled(kOkResult));
    EXPECT_FALSE(Enabled(kProcessButton));
    Click(kStopButton);
    EXPECT_FALSE(Shown(kStopButton));
    EXPECT_TRUE(Enabled(kOkResult));
    held.Release();
    ASSERT_TRUE(test::ServeUntil([&] { return !Text(kSummaryLabel).empty(); }));
    EXPECT_TRUE(Text(kSummaryLabel).starts_with(u"Stopped. Files hashed: 2 \u2013"))
        << ToUtf8(Text(kSummaryLabel));
    EXPECT_EQ(Text(kOutputField), Line("a.txt", md5) + Line("b.bin", md5));
}

// The close box keeps the folder and the filters, an empty filter as "*"; OK and Escape keep
// nothing. A folder chosen in the browser ends with a separator.
TEST_F(Win32FolderWindowTest, OnlyTheCloseBoxKeepsTheFolderValues) {
    const std::u16string chosen = folder.U16();
    for (const UINT ending : {UINT{WM_CLOSE}, UINT{WM_COMMAND}}) {
        values = {u"C:\\before\\", u"*", u"*"};
        Open(0);
        desktop.folders.push_back(chosen);
        Click(kBrowseButton);
        EXPECT_EQ(Text(kFolderField), chosen + u"\\");
        window->setControlText(kNameFilterField, u"");
        window->setControlText(kExtensionField, u"txt");
        SendMessageW(window->handle(), ending, ending == WM_COMMAND ? IDCANCEL : 0, 0);
        if (ending == WM_CLOSE) {
            EXPECT_EQ(window->result(), kOkResult);
            EXPECT_EQ(values, (FolderValues{chosen + u"\\", u"*", u"txt"}));
        } else {
            EXPECT_EQ(window->result(), kCancelResult);
            EXPECT_EQ(values, (FolderValues{u"C:\\before\\", u"*", u"*"}));
        }
    }
}

TEST_F(Win32FolderWindowTest, AFolderThatIsNotThereIsSaidAndNotRun) {
    values.lastFolder = folder.U16("missing");
    Open(0);
    Click(kProcessButton);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, u"This folder does not exist:\n\n" + values.lastFolder);
    EXPECT_FALSE(window->isRunning());
}

// "Several algorithms..." asks which in the algorithms window: cancelled there, the list goes
// back to the algorithm before; confirmed, each file's line has a digest per algorithm ticked.
TEST_F(Win32FolderWindowTest, SeveralAlgorithmsAskWhichAndTheRunTakesThem) {
    const int md5 = IndexOf("md5");
    const int sha1 = IndexOf("sha1");
    MakeFolder({"a.txt"});
    Open(md5);
    const auto chooseSeveral = [&] {
        HWND list = window->control(kAlgorithmList);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(AlgorithmCount()), 0);
        SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kAlgorithmList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
    test::WhenModal(window->handle(), [](HWND) {});
    chooseSeveral();
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), md5);
    test::WhenAskedTick(window->handle(), {md5, sha1});
    chooseSeveral();
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), AlgorithmCount());
    EXPECT_EQ(ticked, (AlgorithmSet{AlgorithmWithId("md5"), AlgorithmWithId("sha1")}));
    EXPECT_EQ(window->toolTip(kAlgorithmList), u"MD5, SHA-1");
    // Picked again in the list, which changes no selection, it asks again.
    bool askedAgain = false;
    test::WhenModal(window->handle(), [&](HWND) { askedAgain = true; });
    for (const WORD code : {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}) {
        SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kAlgorithmList, code),
                     reinterpret_cast<LPARAM>(window->control(kAlgorithmList)));
    }
    ASSERT_TRUE(test::ServeUntil([&] { return askedAgain; }));
    // Cancelled there, the algorithms stay as they were.
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), AlgorithmCount());
    Click(kProcessButton);
    ASSERT_TRUE(RunToItsEnd());
    const std::u16string file = folder.U16("a.txt");
    EXPECT_EQ(Text(kOutputField), values.lastFolder + u"a.txt  " +
                                      FromUtf8(HashFromFile(md5, file, true)) + u"  " +
                                      FromUtf8(HashFromFile(sha1, file, true)) + u"\r\n");
}

}  // namespace
}  // namespace tessik
