// The program on Windows: the main window, built by the Win32 back end, with the arguments
// Windows hands over in UTF-16.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "settings/storage_locations.h"
#include "ui/win32/main_window_win32.h"
#include "ui/win32/win32_desktop_services.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::u16string> all;
    for (int i = 0; i < count; ++i) {
        const std::wstring argument(arguments[i]);
        all.emplace_back(argument.begin(), argument.end());
    }
    LocalFree(arguments);
    const std::u16string programName = all.empty() ? std::u16string() : all.front();
    std::vector<std::u16string> afterProgramName;
    if (!all.empty()) afterProgramName.assign(all.begin() + 1, all.end());

    tessik::SystemDesktopServices desktop;
    tessik::Win32MainWindow window(desktop, tessik::SystemStorageEnvironment(programName),
                                   std::move(afterProgramName));
    window.run();
    return 0;
}
