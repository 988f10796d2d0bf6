// Shows one window of the Win32 back end in a language, filled as a user would see it while at
// work, until it is closed: for screenshots on a virtual display.
//   tessik_win32_gallery <window> [language name]
//   windows: main, language, options, about, verify (a list checked), files (files dropped),
//   folder (after a run over the data folder), algorithms (opened from the folder window),
//   allalgorithms (over the licence, SHA-1 expected)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "digest/algorithm_catalogue.h"
#include "digest/digest_request.h"
#include "fake_win32_desktop.h"
#include "file_drop.h"
#include "modal_script.h"
#include "platform/text_conversion.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/list_window.h"
#include "ui/rules/main_window.h"
#include "ui/win32/main_window_win32.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

// The program folder is the data folder, with the languages; the settings go to a folder of
// their own that the gallery removes.
StorageEnvironment GalleryEnvironment(const std::u16string& settingsFolder) {
    StorageEnvironment environment;
    environment.programPath = FromUtf8(TESSIK_DATA_DIR "/tessik.exe");
    environment.argumentZero = environment.programPath;
    environment.userAppDataFolder = [settingsFolder] { return settingsFolder; };
    environment.machineAppDataFolder = [] { return std::u16string(); };
    environment.now = [] { return LocalTime{2026, 12, 8, 8, 5, 9}; };
    return environment;
}

void Serve(HWND window) {
    MSG message;
    while (IsWindowVisible(window) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// The verify window shows its results once asked, with the files the list does not name.
void CheckTheList(HWND opened) {
    CheckDlgButton(opened, list_window::kNewFilesBox, BST_CHECKED);
    PostMessageW(opened, WM_COMMAND, MAKEWPARAM(list_window::kStartButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(opened, list_window::kStartButton)));
}

// The checksum line the standard tools write for the file, with SHA-256.
std::string LineOf(const std::filesystem::path& file) {
    int sha256 = 0;
    while (AlgorithmCatalogue()[static_cast<std::size_t>(sha256)].id != "sha2-256") ++sha256;
    return HashFromFile(sha256, file.u16string(), true) + "  " + file.filename().string() + "\n";
}

// Files of every kind of row, and a list of them: one matches, one does not, one is gone, one
// line is no checksum line and one file is not in the list.
std::u16string WriteSampleFiles(const std::u16string& folder) {
    const std::filesystem::path where(folder);
    for (const char* name : {"report.pdf", "photo.jpg", "notes.txt"}) {
        std::ofstream(where / name, std::ios::binary) << name;
    }
    std::ofstream(where / "SHA256SUMS", std::ios::binary)
        << "d3e7a4be3ad41e7a3d6fd2da2a6cf6b15a6e06a6c0ec8a4e1d27c0b1e1f0a7c1  photo.jpg\n"
        << LineOf(where / "report.pdf") << "no checksum here\n"
        << "0000000000000000000000000000000000000000000000000000000000000000  gone.iso\n";
    return (where / "SHA256SUMS").u16string();
}

// As Windows names the data folder on Wine's drive of the whole file system.
std::u16string DataFolder() {
    std::u16string folder = u"Z:" + FromUtf8(TESSIK_DATA_DIR "/");
    std::replace(folder.begin(), folder.end(), u'/', u'\\');
    return folder;
}

// Once the folder window is shown: a run over the data folder, and for the algorithms window,
// the algorithm list's last entry chosen.
void WorkInTheFolderWindow(HWND window, bool chooseSeveral) {
    using namespace folder_window;
    SetDlgItemTextW(window, kFolderField, ToWide(DataFolder()).c_str());
    SendMessageW(window, WM_COMMAND, kProcessButton, 0);
    if (chooseSeveral) {
        HWND list = GetDlgItem(window, kAlgorithmList);
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(AlgorithmCount()), 0);
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(kAlgorithmList, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
}

// A window the main window opens is shown over it, as the user sees it.
int ShowWindowOf(const std::string& name, const std::string& language,
                 const std::u16string& settingsFolder) {
    using namespace main_window;
    test::FakeWin32Desktop desktop;
    Win32MainWindow window(desktop, GalleryEnvironment(settingsFolder), {});
    if (!window.create()) return 1;
    if (!language.empty()) window.selectLanguage(language);
    window.setControlText(kStringField, u"abc");
    SendMessageW(window.control(kHashStringButton), BM_CLICK, 0, 0);
    ShowWindow(window.handle(), SW_SHOW);
    if (name == "main") {
        Serve(window.handle());
    } else if (name == "language") {
        window.runCommand(kLanguageCommand);
    } else if (name == "options") {
        window.runCommand(kOptionsCommand);
    } else if (name == "about") {
        window.runCommand(kInfoCommand);
    } else if (name == "verify") {
        desktop.filesToOpen.push_back(WriteSampleFiles(settingsFolder));
        test::WhenShown(window.handle(), CheckTheList);
        window.runCommand(kVerifyListCommand);
    } else if (name == "files") {
        WriteSampleFiles(settingsFolder);
        std::vector<std::u16string> files;
        for (const char* file : {"report.pdf", "photo.jpg", "notes.txt", "gone.iso"}) {
            files.push_back((std::filesystem::path(settingsFolder) / file).u16string());
        }
        PostMessageW(window.handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::DropOf(files)),
                     0);
        Serve(window.handle());
    } else if (name == "folder" || name == "algorithms") {
        test::WhenShown(window.handle(), [algorithms = name == "algorithms"](HWND folder) {
            WorkInTheFolderWindow(folder, algorithms);
        });
        window.runCommand(kFolderCommand);
    } else if (name == "allalgorithms") {
        const std::u16string licence = DataFolder() + u"License.txt";
        window.setControlText(kFileNameField, licence);
        window.setControlText(kExpectedField,
                              FromUtf8(HashFromFile(static_cast<int>(AlgorithmWithId("sha1") -
                                                                     AlgorithmCatalogue().data()),
                                                    licence, false)));
        window.runCommand(kAllAlgorithmsCommand);
    } else {
        return 2;
    }
    return 0;
}

}  // namespace
}  // namespace tessik

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: tessik_win32_gallery main|language|options|about|verify|files|"
                     "folder|algorithms|allalgorithms [language name]\n");
        return 2;
    }
    const std::filesystem::path settings =
        std::filesystem::temp_directory_path() / "tessik-gallery";
    std::filesystem::create_directories(settings);
    const int result = tessik::ShowWindowOf(argv[1], argc > 2 ? argv[2] : "", settings.u16string());
    std::error_code ignored;
    std::filesystem::remove_all(settings, ignored);
    return result;
}
