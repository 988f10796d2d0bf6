// The checksum-list windows on Win32, driven through their messages as a user's clicks send
// them: a list checked to its counts, files hashed, with several algorithms too, Stop and Close
// during a run, the order of the rows, and what the buttons copy.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "algorithms_choice.h"
#include "digest/digest_request.h"
#include "fake_win32_desktop.h"
#include "file_drop.h"
#include "modal_script.h"
#include "platform/path_encoding.h"
#include "platform/text_conversion.h"
#include "serve_messages.h"
#include "support/known_digests.h"
#include "support/temporary_folder.h"
#include "ui/win32/hash_files_window_win32.h"
#include "ui/win32/verify_list_window_win32.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

using namespace list_window;
using test::kMd5OfAbc;
using test::kMd5OfNothing;

constexpr int kMd2 = 0;
constexpr int kMd5 = 2;
constexpr int kSha1 = 3;
constexpr int kSha512 = 7;

// The main window's font, as the windows take it.
class MessageFontHost final : public FontHost {
  public:
    FontDescription systemMessageFont() const override {
        FontDescription font;
        font.faceName = u"Tahoma";
        font.height = -11;
        font.weight = FW_NORMAL;
        return font;
    }
    FontDescription currentFont() const override { return systemMessageFont(); }
    void applyFont(const FontDescription&) override {}
};

class Win32ListWindowTest : public ::testing::Test {
  protected:
    std::u16string MakeList(const char* name = "files.md5") {
        test::WriteBytes(folder.Native("a.txt"), "abc");
        test::WriteBytes(folder.Native("b.txt"), "");
        test::WriteBytes(folder.Native(name), kMd5OfAbc + "  a.txt\n" + kMd5OfAbc + "  b.txt\n" +
                                                  "no line\n" + kMd5OfNothing + "  c.txt\n");
        return folder.U16(name);
    }
    // A file that MD2 takes a long while over; it holds nothing but zeros, stored as a hole.
    std::u16string MakeBigFile() {
        test::WriteBytes(folder.Native("big.bin"), "");
        std::filesystem::resize_file(folder.Native("big.bin"), std::uintmax_t{512} << 20);
        return folder.U16("big.bin");
    }

    template <class Window, class... Arguments>
    Window& Open(Arguments&&... arguments) {
        auto opened =
            std::make_unique<Window>(desktop, fonts, u"", std::forward<Arguments>(arguments)...);
        Window& shown = *opened;
        if (offered != nullptr) shown.offerSeveral(*offered);
        window = std::move(opened);
        EXPECT_TRUE(window->create());
        return shown;
    }

    bool ServeUntilIdle() {
        return test::ServeUntil([this] { return !window->isRunning(); });
    }

    void Click(int id) { SendMessageW(window->control(id), BM_CLICK, 0, 0); }
    std::u16string Text(int id) const { return window->controlText(id); }
    bool Enabled(int id) const { return IsWindowEnabled(window->control(id)) != FALSE; }
    HWND View() const { return window->control(kTable); }

    // Every row as the list view shows it, cells apart by " | ".
    std::vector<std::u16string> Rows() const {
        const auto rows = static_cast<int>(SendMessageW(View(), LVM_GETITEMCOUNT, 0, 0));
        const int columns = Header_GetItemCount(ListView_GetHeader(View()));
        std::vector<std::u16string> shown;
        for (int row = 0; row < rows; ++row) {
            std::u16string line;
            for (int column = 0; column < columns; ++column) {
                wchar_t cell[256] = {};
                LVITEMW item{};
                item.iSubItem = column;
                item.pszText = cell;
                item.cchTextMax = 256;
                SendMessageW(View(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(&item));
                line += (column > 0 ? u" | " : u"") + FromWide(cell);
            }
            shown.push_back(line);
        }
        return shown;
    }
    std::u16string Header(int column) const {
        wchar_t text[64] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        Header_GetItem(ListView_GetHeader(View()), column, &item);
        return FromWide(text);
    }
    void ClickHeader(int column) {
        NMLISTVIEW click{};
        click.hdr = {View(), static_cast<UINT_PTR>(kTable), static_cast<UINT>(LVN_COLUMNCLICK)};
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageW(window->handle(), WM_NOTIFY, kTable, reinterpret_cast<LPARAM>(&click));
    }

    test::TemporaryFolder folder;
    test::FakeWin32Desktop desktop;
    MessageFontHost fontHost;
    FontSettings fonts{fontHost};
    AlgorithmSet* offered = nullptr;  // several algorithms, offered to the window opened next
    std::unique_ptr<Win32ChecksumListWindow> window;
};

TEST_F(Win32ListWindowTest, ChecksTheListWhenAskedAndCopiesTheNamesThatFailed) {
    const std::u16string list = MakeList();
    Open<Win32VerifyListWindow>(list, kSha512, u"  ");
    EXPECT_EQ(WindowText(window->handle()), u"Verify checksum list");
    EXPECT_EQ(Text(kListField), list);
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), kMd5);  // the list's name says so
    EXPECT_EQ(Text(kFolderField), folder.U16("") + u"\\");
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(Enabled(kCopyFailedButton));

    Click(kStartButton);
    ASSERT_TRUE(ServeUntilIdle());
    EXPECT_EQ(Rows(),
              (std::vector<std::u16string>{u"1 | a.txt | OK", u"2 | b.txt | FAILED",
                                           u"3 |  | malformed line", u"4 | c.txt | missing"}));
    EXPECT_EQ(Header(1), u"File");
    EXPECT_EQ(Text(kCountsLabel),
              u"OK: 1 \u2013 FAILED: 1 \u2013 missing: 1 \u2013 unreadable: 0 \u2013 "
              u"malformed lines: 1");
    ASSERT_TRUE(Enabled(kCopyFailedButton));
    Click(kCopyFailedButton);
    EXPECT_EQ(desktop.clipboard, u"b.txt\nc.txt");
    EXPECT_EQ(Text(kCurrentFileLabel),
              u"Names of files that did not pass, now on the clipboard: 2");

    // The order the user asks for: mismatches first, a column either way, then list order.
    Click(kMismatchesFirstBox);
    EXPECT_EQ(Rows().front(), u"2 | b.txt | FAILED");
    Click(kMismatchesFirstBox);
    for (const char16_t* first :
         {u"3 |  | malformed line", u"4 | c.txt | missing", u"1 | a.txt | OK"}) {
        ClickHeader(1);
        EXPECT_EQ(Rows().front(), first);
    }

    // A selected row stays selected wherever it goes, and Copy takes it as shown.
    ListView_SetItemState(View(), 3, LVIS_SELECTED, LVIS_SELECTED);
    ClickHeader(1);
    ClickHeader(1);  // by name, descending: c.txt first
    EXPECT_EQ(ListView_GetNextItem(View(), -1, LVNI_SELECTED), 0);
}

// Names that are not beside the list are looked up in the folder the user picks, at once.
TEST_F(Win32ListWindowTest, TheFolderButtonChecksTheListAgainstAnotherFolder) {
    test::MakeFolder(folder.Native("elsewhere"));
    test::WriteBytes(folder.Native("elsewhere/a.txt"), "abc");
    test::WriteBytes(folder.Native("elsewhere/new.txt"), "new");
    test::WriteBytes(folder.Native("list.md5"), kMd5OfAbc + "  a.txt\n");
    Open<Win32VerifyListWindow>(folder.U16("list.md5"), kMd5, u"  ");
    desktop.folders.push_back(folder.U16("elsewhere"));
    Click(kNewFilesBox);
    Click(kFolderButton);
    ASSERT_TRUE(ServeUntilIdle());
    EXPECT_EQ(Text(kFolderField), folder.U16("elsewhere") + u"\\");
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"1 | a.txt | OK", u" | new.txt | NEW"}));
    EXPECT_TRUE(desktop.questions.empty());  // a folder picked is not offered again

    // The new file is added to the list, which is then checked again.
    ASSERT_TRUE(Enabled(kAddNewButton));
    Click(kAddNewButton);
    ASSERT_TRUE(ServeUntilIdle());
    ASSERT_FALSE(desktop.messages.empty());
    EXPECT_EQ(desktop.messages.front().text, u"Lines for 1 files were added to the list.");
    ASSERT_TRUE(ServeUntilIdle());
    EXPECT_EQ(Rows(), (std::vector<std::u16string>{u"1 | a.txt | OK", u"2 | new.txt | OK"}));
}

// A list dropped onto the window takes the place of the one shown.
TEST_F(Win32ListWindowTest, SaysAListThatCannotBeOpenedAndTakesADroppedOne) {
    Open<Win32VerifyListWindow>(folder.U16("gone.md5"), kMd5, u"  ");
    Click(kStartButton);
    ASSERT_TRUE(ServeUntilIdle());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages.front().text.find(folder.U16("gone.md5")), std::u16string::npos);
    EXPECT_EQ(desktop.messages.front().icon, MessageIcon::kExclamation);
    EXPECT_TRUE(Rows().empty());

    const std::u16string list = MakeList("SHA1SUMS");
    SendMessageW(window->handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::DropOf({list})), 0);
    EXPECT_EQ(Text(kListField), list);
    EXPECT_EQ(AlgorithmForIndex(window->selectedEntry(kAlgorithmList)).id, "sha1");
}

TEST_F(Win32ListWindowTest, HashesTheFilesAtOnceInTheLetterCaseChosen) {
    test::WriteBytes(folder.Native("a.txt"), "abc");
    test::WriteBytes(folder.Native("b.txt"), "");
    Open<Win32HashFilesWindow>(
        std::vector<std::u16string>{folder.U16("a.txt"), folder.U16("b.txt"), folder.U16("gone")},
        kMd5, false);
    EXPECT_EQ(WindowText(window->handle()), u"Hash files");
    EXPECT_EQ(Text(kStartButton), u"&Hash");
    ASSERT_TRUE(ServeUntilIdle());
    // Each row names its file as a checksum list would.
    const std::u16string a = FromNativePath(ToListName(folder.U16("a.txt")));
    const std::u16string abc = FromUtf8(kMd5OfAbc);
    std::u16string upper;
    for (char16_t c : abc) upper += (c >= u'a' && c <= u'f') ? char16_t(c - u'a' + u'A') : c;
    const std::vector<std::u16string> rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], a + u" | " + upper + u" | OK");
    EXPECT_EQ(rows[2].substr(0, a.size() - 5), a.substr(0, a.size() - 5));
    EXPECT_EQ(Text(kCountsLabel), u"Hashed: 2 \u2013 could not be read: 1");
    EXPECT_EQ(Header(1), u"HASH value");

    Click(kLowercaseBox);
    EXPECT_EQ(Rows()[0], a + u" | " + abc + u" | OK");
    // Ctrl+C takes the selected rows as shown.
    ListView_SetItemState(View(), 0, LVIS_SELECTED, LVIS_SELECTED);
    NMLVKEYDOWN key{};
    key.hdr = {View(), static_cast<UINT_PTR>(kTable), static_cast<UINT>(LVN_KEYDOWN)};
    key.wVKey = 'C';
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(window->handle(), WM_NOTIFY, kTable, reinterpret_cast<LPARAM>(&key));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(desktop.clipboard, a + u"\t" + abc + u"\tOK");

    // Another algorithm hashes the same files again.
    window->selectEntry(kAlgorithmList, kSha512);
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kAlgorithmList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window->control(kAlgorithmList)));
    ASSERT_TRUE(ServeUntilIdle());
    EXPECT_EQ(Rows()[0],
              a + u" | " + FromUtf8(HashFromFile(kSha512, folder.U16("a.txt"), true)) + u" | OK");
}

// "Several algorithms..." asks which in the algorithms window: cancelled there, the list goes
// back to the algorithm before and the rows stay; chosen again, it asks again, and each file is
// read once for a row per algorithm, named in a column of its own, and counted once.
TEST_F(Win32ListWindowTest, SeveralAlgorithmsAskWhichAndGiveARowPerFileAndAlgorithm) {
    ASSERT_EQ(AlgorithmForIndex(kSha1).id, "sha1");
    test::WriteBytes(folder.Native("a.txt"), "abc");
    AlgorithmSet ticked{&AlgorithmForIndex(kMd2)};
    offered = &ticked;
    Open<Win32HashFilesWindow>(std::vector<std::u16string>{folder.U16("a.txt"), folder.U16("gone")},
                               kMd5, true);
    ASSERT_TRUE(ServeUntilIdle());
    const std::vector<std::u16string> oneAlgorithm = Rows();
    ASSERT_EQ(oneAlgorithm.size(), 2u);
    const auto chooseSeveral = [&] {
        window->selectEntry(kAlgorithmList, AlgorithmCount());
        SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kAlgorithmList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(window->control(kAlgorithmList)));
    };
    bool asked = false;
    test::WhenModal(window->handle(), [&](HWND) { asked = true; });
    chooseSeveral();
    EXPECT_TRUE(asked);
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), kMd5);
    EXPECT_EQ(Rows(), oneAlgorithm);
    EXPECT_EQ(ticked, AlgorithmSet{&AlgorithmForIndex(kMd2)});

    test::WhenAskedTick(window->handle(), {kMd5, kSha1});
    chooseSeveral();
    ASSERT_TRUE(ServeUntilIdle());
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), AlgorithmCount());
    EXPECT_EQ(ticked, (AlgorithmSet{&AlgorithmForIndex(kMd5), &AlgorithmForIndex(kSha1)}));
    EXPECT_EQ(window->toolTip(kAlgorithmList), u"MD5, SHA-1");
    EXPECT_EQ(Header(1), u"Algorithm");
    const std::u16string a = FromNativePath(ToListName(folder.U16("a.txt")));
    const std::vector<std::u16string> rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0], a + u" | MD5 | " + FromUtf8(kMd5OfAbc) + u" | OK");
    EXPECT_EQ(rows[1], a + u" | SHA-1 | " +
                           FromUtf8(HashFromFile(kSha1, folder.U16("a.txt"), true)) + u" | OK");
    EXPECT_NE(rows[3].find(u" | SHA-1 | "), std::u16string::npos);
    EXPECT_EQ(Text(kCountsLabel), u"Hashed: 1 \u2013 could not be read: 1");
}

// Stop ends the run and says so; Close during a run stops it and waits for it.
TEST_F(Win32ListWindowTest, StopAndCloseEndARunAtOnce) {
    const std::u16string big = MakeBigFile();
    Open<Win32HashFilesWindow>(std::vector<std::u16string>{big}, kMd2, true);
    ASSERT_TRUE(window->isRunning());
    EXPECT_FALSE(IsWindowVisible(window->control(kStartButton)));
    EXPECT_FALSE(Enabled(kAlgorithmList));
    Click(kStopButton);
    ASSERT_TRUE(ServeUntilIdle());
    EXPECT_EQ(Text(kCountsLabel).substr(0, 9), u"Stopped. ");
    EXPECT_TRUE(Enabled(kAlgorithmList));

    Click(kStartButton);
    ASSERT_TRUE(window->isRunning());
    Click(kOkResult);
    EXPECT_FALSE(window->isRunning());
    EXPECT_EQ(window->result(), kOkResult);
}

}  // namespace
}  // namespace tessik
