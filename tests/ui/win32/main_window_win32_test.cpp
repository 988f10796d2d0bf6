// The main window on Win32, driven through its messages as a user's clicks and typing send
// them: hashing text and files, comparing, copying, the language and the settings.
#include "ui/win32/main_window_win32.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "fake_win32_desktop.h"
#include "file_drop.h"
#include "modal_script.h"
#include "platform/text_conversion.h"
#include "serve_messages.h"
#include "support/temporary_folder.h"
#include "ui/rules/about_window.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/language_window.h"
#include "ui/rules/list_window.h"
#include "ui/rules/options_window.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

using namespace main_window;

// A program folder with the language files, a per-user and a machine-wide configuration folder,
// all temporary.
class Win32MainWindowTest : public ::testing::Test {
  protected:
    Win32MainWindowTest() {
        for (const char* name : {"program", "user", "machine"}) {
            std::filesystem::create_directories(folder.Native(name));
        }
        for (const char* file :
             {"Languages.ini", "de.lng", "License.txt", "ReadMe.txt", "about@2x.png"}) {
            std::filesystem::copy_file(std::filesystem::path(TESSIK_DATA_DIR) / file,
                                       folder.Native(std::string("program/") + file));
        }
    }

    StorageEnvironment Environment() {
        StorageEnvironment environment;
        environment.programPath = folder.U16("program/tessik.exe");
        environment.argumentZero = environment.programPath;
        environment.userAppDataFolder = [this] { return folder.U16("user"); };
        environment.machineAppDataFolder = [this] { return folder.U16("machine"); };
        environment.now = [] { return LocalTime{2026, 12, 8, 8, 5, 9}; };
        return environment;
    }

    Win32MainWindow& Start(std::vector<std::u16string> arguments = {}) {
        window = std::make_unique<Win32MainWindow>(desktop, Environment(), std::move(arguments));
        EXPECT_TRUE(window->create());
        return *window;
    }

    bool ServeUntil(const std::function<bool()>& condition) { return test::ServeUntil(condition); }

    void Click(int id) { SendMessageW(window->control(id), BM_CLICK, 0, 0); }
    // As typing or pasting does it, which tells the window of the change.
    void Type(int id, const std::u16string& text) {
        SendMessageW(window->control(id), EM_SETSEL, 0, -1);
        const std::wstring wide = ToWide(text);
        SendMessageW(window->control(id), EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(wide.c_str()));
    }
    std::u16string Text(int id) const { return window->controlText(id); }
    void HashFile() {
        Click(kHashFileButton);
        ASSERT_TRUE(test::ServeUntil(
            [this] { return !window->isHashingFile() && !window->isLookingForList(); }));
    }
    std::u16string MenuText(UINT command) const {
        wchar_t text[128] = {};
        GetMenuStringW(GetMenu(window->handle()), command, text, 128, MF_BYCOMMAND);
        return FromWide(text);
    }

    test::TemporaryFolder folder;
    test::FakeWin32Desktop desktop;
    std::unique_ptr<Win32MainWindow> window;
};

std::u16string Expected(int algorithm, const std::u16string& text) {
    return FromUtf8(HashFromString(algorithm, text, true));
}

TEST_F(Win32MainWindowTest, StartsWithTheCatalogueAndTheBuiltInTexts) {
    Start();
    EXPECT_EQ(SendMessageW(window->control(kAlgorithmList), CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(AlgorithmCatalogue().size()));
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), kDefaultAlgorithmIndex);
    EXPECT_TRUE(window->isChecked(kLowercaseBox));
    EXPECT_EQ(WindowText(window->handle()), u"Korvane HASH-Generator");
    EXPECT_EQ(Text(kResultLabel), u"HASH value");
    EXPECT_EQ(MenuText(kCompareFileCommand), u"&Compare with file\u2026");
}

// Lines typed apart are hashed with CR LF between them, as the options' default says.
TEST_F(Win32MainWindowTest, HashesTheTypedTextAndClearsTheResultOnAChange) {
    Start();
    struct Case {
        std::u16string typed;
        std::u16string hashed;
    };
    for (const Case& c : {Case{u"abc", u"abc"}, Case{u"a\r\nb\r\n", u"a\r\nb\r\n"},
                          Case{u"Gr\u00fc\u00dfe \U0001F600", u"Gr\u00fc\u00dfe \U0001F600"}}) {
        Type(kStringField, c.typed);
        Click(kHashStringButton);
        EXPECT_EQ(Text(kResultField), Expected(kDefaultAlgorithmIndex, c.hashed));
    }
    Type(kStringField, u"abcd");
    EXPECT_EQ(Text(kResultField), u"");
    Click(kHashStringButton);
    window->selectEntry(kAlgorithmList, 0);
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kAlgorithmList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window->control(kAlgorithmList)));
    EXPECT_EQ(Text(kResultField), u"");
}

TEST_F(Win32MainWindowTest, HashesAFileComparesAndCopies) {
    {
        std::ofstream file(folder.Native("data.bin"), std::ios::binary);
        file << "line\r\nend\x1a";
    }
    Start();
    Type(kFileNameField, folder.U16("data.bin"));
    HashFile();
    const std::u16string digest =
        FromUtf8(HashFromFile(kDefaultAlgorithmIndex, folder.U16("data.bin"), true));
    EXPECT_EQ(Text(kResultField), digest);

    Type(kExpectedField, u"  " + digest + u"  ");
    Click(kCompareButton);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.back().text, u"The HASHes are identical!");
    EXPECT_EQ(desktop.messages.back().icon, MessageIcon::kInformation);
    Type(kExpectedField, std::u16string(digest.size(), u'0'));
    Click(kCompareButton);
    EXPECT_EQ(desktop.messages.back().icon, MessageIcon::kExclamation);

    Click(kCopyButton);
    EXPECT_EQ(desktop.clipboard, digest);
}

// A file that cannot be read is said with its cause, never shown as a result.
TEST_F(Win32MainWindowTest, SaysWhyAFileCannotBeHashed) {
    Start();
    std::filesystem::create_directories(folder.Native("a folder"));
    desktop.filesToOpen.push_back(folder.U16("a folder"));
    HashFile();
    EXPECT_EQ(Text(kResultField), u"");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages.back().text.find(folder.U16("a folder")), std::u16string::npos);
    EXPECT_EQ(desktop.messages.back().icon, MessageIcon::kExclamation);
}

// The language file reaches the controls, the menu bar's drop-down menus and the messages.
TEST_F(Win32MainWindowTest, SpeaksTheChosenLanguage) {
    Start();
    window->selectLanguage("Deutsch");
    EXPECT_NE(Text(kHashFileButton), u"Get HASH from file");
    EXPECT_NE(MenuText(kExitCommand), u"Exit");
    wchar_t file[64] = {};
    GetMenuStringW(GetMenu(window->handle()), 0, file, 64, MF_BYPOSITION);
    EXPECT_NE(std::wstring(file), L"File");
    Click(kCompareButton);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_NE(desktop.messages.back().text, u"There is no HASH value to compare yet.");
}

// The language window previews a choice in its own texts; OK gives the main window the language,
// which the close box keeps.
TEST_F(Win32MainWindowTest, TheLanguageWindowPreviewsAndOkApplies) {
    Start();
    std::u16string preview;
    test::WhenModal(window->handle(), [&](HWND language) {
        HWND list = GetDlgItem(language, language_window::kLanguageList);
        const LRESULT german = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(L"Deutsch"));
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(german), 0);
        SendMessageW(language, WM_COMMAND,
                     MAKEWPARAM(language_window::kLanguageList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        preview = WindowText(GetDlgItem(language, language_window::kLanguageLabel));
        SendMessageW(GetDlgItem(language, kOkResult), BM_CLICK, 0, 0);
    });
    window->runCommand(kLanguageCommand);
    EXPECT_NE(preview, u"");
    EXPECT_NE(preview, u"Current language:");
    EXPECT_NE(Text(kHashFileButton), u"Get HASH from file");
    const std::u16string german = Text(kHashFileButton);
    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    Start();
    EXPECT_EQ(Text(kHashFileButton), german);

    test::WhenModal(window->handle(), [](HWND) {});
    window->runCommand(kLanguageCommand);
    EXPECT_EQ(Text(kHashFileButton), german);
}

// A separator the settings file could not hold is refused and the window stays open; OK gives
// the main window the line ends, the font picked and the separator, which the close box keeps.
TEST_F(Win32MainWindowTest, TheOptionsWindowRefusesABadSeparatorAndOkApplies) {
    Start();
    FontDescription picked;
    picked.height = -16;
    picked.weight = FW_NORMAL;
    picked.faceName = u"Courier New";
    desktop.fonts.push_back(picked);
    bool stayedOpen = false;
    test::WhenModal(window->handle(), [&](HWND options) {
        using namespace options_window;
        SetWindowTextW(GetDlgItem(options, kSeparatorField), L"a\nb");
        SendMessageW(GetDlgItem(options, kOkResult), BM_CLICK, 0, 0);
        stayedOpen = IsWindowVisible(options) != FALSE;
        SendMessageW(GetDlgItem(options, kSeparatorResetButton), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(options, kFontButton), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(options, kLineEndsList), CB_SETCURSEL, 1, 0);
        SendMessageW(GetDlgItem(options, kOkResult), BM_CLICK, 0, 0);
    });
    window->runCommand(kOptionsCommand);
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.back().icon, MessageIcon::kExclamation);
    Type(kStringField, u"a\r\nb");
    Click(kHashStringButton);
    EXPECT_EQ(Text(kResultField), Expected(kDefaultAlgorithmIndex, u"a\nb"));
    LOGFONTW font{};
    GetObjectW(
        reinterpret_cast<HFONT>(SendMessageW(window->control(kResultField), WM_GETFONT, 0, 0)),
        sizeof font, &font);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Courier New");
    EXPECT_EQ(window->toolTip(kStringField), u"Line ends are hashed as LF (View, Options)");
    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    Start();
    EXPECT_EQ(window->toolTip(kStringField), u"Line ends are hashed as LF (View, Options)");
}

// The About window shows the product in the language in use, its picture, and opens an address
// on a double click.
TEST_F(Win32MainWindowTest, TheAboutWindowShowsTheProductAndOpensItsAddresses) {
    Start();
    window->selectLanguage("Deutsch");
    std::u16string title, version, ok;
    bool picture = false;
    test::WhenModal(window->handle(), [&](HWND about) {
        using namespace about_window;
        title = WindowText(GetDlgItem(about, kTitleLabel));
        version = WindowText(GetDlgItem(about, kVersionLabel));
        ok = WindowText(GetDlgItem(about, kOkResult));
        picture = SendMessageW(GetDlgItem(about, kPicture), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        SendMessageW(GetDlgItem(about, kWebSiteField), WM_LBUTTONDBLCLK, MK_LBUTTON, 0);
        SendMessageW(GetDlgItem(about, kOkResult), BM_CLICK, 0, 0);
    });
    window->runCommand(kInfoCommand);
    EXPECT_EQ(title, u"Tessik");
    EXPECT_NE(version.find(u"1.690"), std::u16string::npos);
    EXPECT_EQ(ok, u"OK");
    EXPECT_TRUE(picture);
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened.front(), u"https://tessik.example.org");
}

// A larger window stretches the fields to its right edge and hangs the bottom row from its
// bottom; it never becomes smaller than its least size.
TEST_F(Win32MainWindowTest, FollowsItsSizeByTheLayoutRules) {
    Start();
    RECT outer{};
    GetWindowRect(window->handle(), &outer);
    SetWindowPos(window->handle(), nullptr, 0, 0, outer.right - outer.left + 200,
                 outer.bottom - outer.top + 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(window->handle(), &client);
    const auto place = [this](int id) {
        RECT rect{};
        GetWindowRect(window->control(id), &rect);
        MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    EXPECT_EQ(place(kResultField).right, client.right - 6);
    EXPECT_EQ(place(kExpectedField).right, client.right - 6);
    EXPECT_EQ(place(kHashStringButton).right, client.right - 6);
    EXPECT_GT(place(kCopyButton).top, place(kExpectedField).bottom);
    EXPECT_LT(place(kCopyButton).bottom, client.bottom);
    MINMAXINFO least{};
    SendMessageW(window->handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&least));
    EXPECT_GE(least.ptMinTrackSize.x, kMinimumWidth);
    EXPECT_GE(least.ptMinTrackSize.y, kMinimumHeight);
}

// The close box saves what the next start shows, the window's place too, unchanged.
TEST_F(Win32MainWindowTest, KeepsTheChoicesForTheNextStart) {
    Start();
    window->selectEntry(kAlgorithmList, 3);
    window->setChecked(kCaseSensitiveBox, true);
    RECT outer{};
    GetWindowRect(window->handle(), &outer);
    SetWindowPos(window->handle(), nullptr, 40, 30, outer.right - outer.left + 50,
                 outer.bottom - outer.top + 20, SWP_NOZORDER);
    GetWindowRect(window->handle(), &outer);
    SendMessageW(window->handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window->result(), kCancelResult);
    EXPECT_TRUE(desktop.messages.empty());
    Start();
    EXPECT_EQ(window->selectedEntry(kAlgorithmList), 3);
    EXPECT_TRUE(window->isChecked(kCaseSensitiveBox));
    RECT again{};
    GetWindowRect(window->handle(), &again);
    EXPECT_TRUE(EqualRect(&outer, &again));
}

// Enter in the file name field hashes the file instead of the typed text.
TEST_F(Win32MainWindowTest, EnterInTheFileNameFieldHashesTheFile) {
    {
        std::ofstream file(folder.Native("abc.txt"), std::ios::binary);
        file << "abc";
    }
    Start();
    Type(kFileNameField, folder.U16("abc.txt"));
    Type(kStringField, u"other");
    SetFocus(window->control(kFileNameField));
    if (GetFocus() != window->control(kFileNameField)) GTEST_SKIP() << "no focus without a display";
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(kHashStringButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(window->control(kHashStringButton)));
    ASSERT_TRUE(test::ServeUntil(
        [this] { return !window->isHashingFile() && !window->isLookingForList(); }));
    EXPECT_EQ(Text(kResultField), Expected(kDefaultAlgorithmIndex, u"abc"));
}

// File > Verify list and a list dropped onto the window open the verify window on it; several
// files dropped are hashed in the files window.
TEST_F(Win32MainWindowTest, OpensTheListWindowsFromTheMenuAndFromADrop) {
    {
        std::ofstream list(folder.Native("files.md5"), std::ios::binary);
        list << "900150983cd24fb0d6963f7d28e17f72  a.txt\n";
        std::ofstream file(folder.Native("a.txt"), std::ios::binary);
        file << "abc";
    }
    Start();
    EXPECT_EQ(GetMenuState(GetMenu(window->handle()), kVerifyListCommand, MF_BYCOMMAND) & MF_GRAYED,
              0u);
    std::u16string listShown;
    const auto readList = [&](HWND verify) {
        listShown = WindowText(GetDlgItem(verify, list_window::kListField));
    };
    desktop.filesToOpen.push_back(folder.U16("files.md5"));
    test::WhenModal(window->handle(), readList);
    window->runCommand(kVerifyListCommand);
    EXPECT_NE(desktop.filters.back().find(u"*.md5"), std::u16string::npos);
    EXPECT_EQ(listShown, folder.U16("files.md5"));

    listShown.clear();
    test::WhenModal(window->handle(), readList);
    SendMessageW(window->handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(test::DropOf({folder.U16("files.md5")})), 0);
    EXPECT_EQ(listShown, folder.U16("files.md5"));

    std::u16string title;
    test::WhenModal(window->handle(), [&](HWND files) { title = WindowText(files); });
    SendMessageW(
        window->handle(), WM_DROPFILES,
        reinterpret_cast<WPARAM>(test::DropOf({folder.U16("a.txt"), folder.U16("files.md5")})), 0);
    EXPECT_EQ(title, u"Hash files");
}

// A folder dropped on the window opens the folder window on it; its run is the main window's
// algorithm, and the close box keeps the folder for File's folder command.
TEST_F(Win32MainWindowTest, ADroppedFolderOpensTheFolderWindowOnIt) {
    Start();
    EXPECT_EQ(GetMenuState(GetMenu(window->handle()), kFolderCommand, MF_BYCOMMAND) & MF_GRAYED,
              0u);
    std::u16string shown;
    test::WhenModal(window->handle(), [&](HWND folderWindow) {
        shown = WindowText(GetDlgItem(folderWindow, folder_window::kFolderField));
        SendMessageW(folderWindow, WM_CLOSE, 0, 0);
    });
    SendMessageW(window->handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(test::DropOf({folder.U16("program")})), 0);
    EXPECT_EQ(shown, folder.U16("program") + u"\\");
    EXPECT_EQ(window->settings().folder.lastFolder, shown);
}

}  // namespace
}  // namespace tessik
