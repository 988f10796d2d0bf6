// The windows over the catalogue's table on Win32: the one that asks which algorithms to hash at
// once, and "All algorithms", driven through the messages a user's clicks send.
#include <gtest/gtest.h>

#include <memory>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "fake_win32_desktop.h"
#include "platform/text_conversion.h"
#include "serve_messages.h"
#include "support/temporary_folder.h"
#include "ui/rules/algorithms_window.h"
#include "ui/rules/all_algorithms_window.h"
#include "ui/win32/algorithms_window_win32.h"
#include "ui/win32/all_algorithms_window_win32.h"
#include "ui/win32/win32_text.h"
#include "window_fonts.h"

namespace tessik {
namespace {

int RowOf(std::string_view id) {
    return static_cast<int>(AlgorithmWithId(id) - AlgorithmCatalogue().data());
}

std::u16string CellText(HWND table, int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(table, row, column, text, 256);
    return FromWide(text);
}

class Win32AlgorithmWindowsTest : public ::testing::Test {
  protected:
    void Click(Win32Dialog& window, int id) { SendMessageW(window.control(id), BM_CLICK, 0, 0); }
    bool Enabled(Win32Dialog& window, int id) {
        return IsWindowEnabled(window.control(id)) != FALSE;
    }

    test::TemporaryFolder folder;
    test::FakeWin32Desktop desktop;
    test::WindowFonts fonts;
};

// The algorithms window ticks as given, hands back what is ticked on OK in the catalogue's
// order, and takes at least one.
TEST_F(Win32AlgorithmWindowsTest, TheAlgorithmsWindowHandsBackTheTickedOnes) {
    AlgorithmSet chosen = {&AlgorithmForIndex(3)};
    Win32AlgorithmsWindow window(desktop, fonts, u"", chosen);
    ASSERT_TRUE(window.create());
    EXPECT_EQ(WindowText(window.handle()), u"Several algorithms");
    EXPECT_EQ(window.table().ticked(), chosen);
    EXPECT_TRUE(Enabled(window, kOkResult));
    window.table().tick(3, false);
    EXPECT_FALSE(Enabled(window, kOkResult));
    window.table().tick(5, true);
    window.table().tick(1, true);
    EXPECT_TRUE(Enabled(window, kOkResult));
    Click(window, kOkResult);
    EXPECT_EQ(window.result(), kOkResult);
    EXPECT_EQ(chosen, (AlgorithmSet{&AlgorithmForIndex(1), &AlgorithmForIndex(5)}));
}

// The file is hashed with the algorithms ticked as the window opens; the expected value marks
// its algorithm and names it, Copy all takes every digest, and closing keeps the ticks.
TEST_F(Win32AlgorithmWindowsTest, AllAlgorithmsHashesTheFileAndNamesTheMatch) {
    using namespace all_algorithms_window;
    test::WriteBytes(folder.Native("abc.txt"), "abc");
    const std::u16string file = folder.U16("abc.txt");
    const auto digest = [&](std::string_view id) {
        return FromUtf8(HashFromFile(RowOf(id), file, true));
    };
    AlgorithmSet ticked = {AlgorithmWithId("md5"), AlgorithmWithId("sha1")};
    Win32AllAlgorithmsWindow window(desktop, fonts, u"", {file, digest("sha1"), true, u"  "},
                                    ticked);
    ASSERT_TRUE(window.create());
    ASSERT_TRUE(test::ServeUntil([&] { return !window.isHashing(); }));
    HWND table = window.control(kTable);
    EXPECT_EQ(CellText(table, RowOf("md5"), 1), digest("md5"));
    EXPECT_EQ(CellText(table, RowOf("sha1"), 1), digest("sha1"));
    EXPECT_EQ(CellText(table, RowOf("sha256"), 1), u"");
    EXPECT_TRUE(window.table().isMarked(RowOf("sha1")));
    EXPECT_FALSE(window.table().isMarked(RowOf("md5")));
    EXPECT_EQ(window.controlText(kMatchLabel), u"The expected value is the HASH of: SHA-1");

    Click(window, kCopyAllButton);
    EXPECT_EQ(desktop.clipboard, u"MD5\t" + digest("md5") + u"\r\nSHA-1\t" + digest("sha1"));

    // Another file name forgets the digests; Hash reads it with what is ticked now.
    window.table().tick(RowOf("sha1"), false);
    window.setControlText(kFileField, folder.U16("missing"));
    EXPECT_EQ(CellText(table, RowOf("md5"), 1), u"");
    Click(window, kHashButton);
    ASSERT_TRUE(test::ServeUntil([&] { return !window.isHashing(); }));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_TRUE(desktop.messages[0].text.ends_with(u"\n\n" + folder.U16("missing")));
    SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ticked, AlgorithmSet{AlgorithmWithId("md5")});
}

}  // namespace
}  // namespace tessik
