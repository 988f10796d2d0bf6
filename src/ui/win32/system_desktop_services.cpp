#include "ui/win32/win32_desktop_services.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "ui/win32/win32_font_host.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

// The program's name is the caption of every message box, as in the Qt build.
constexpr wchar_t kCaption[] = L"Tessik";

// The language files' "description|pattern||" is the common dialog's form with bars for its
// null characters.
std::wstring CommonDialogFilter(const std::u16string& filter) {
    std::wstring wide = ToWide(filter);
    std::replace(wide.begin(), wide.end(), L'|', L'\0');
    wide.append(2, L'\0');
    return wide;
}

// The folder browser opens at the folder it was given.
int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

}  // namespace

std::optional<std::u16string> SystemDesktopServices::chooseFolder(HWND owner,
                                                                  const std::u16string& start) {
    const std::wstring startFolder = ToWide(start);
    BROWSEINFOW browse{};
    browse.hwndOwner = owner;
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = &SelectStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) return std::nullopt;
    std::wstring path(32768, L'\0');
    const bool named = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()),
                                             GPFIDL_DEFAULT) != FALSE;
    CoTaskMemFree(chosen);
    if (!named) return std::nullopt;
    path.resize(std::wcslen(path.c_str()));
    return FromWide(path);
}

std::optional<std::u16string> SystemDesktopServices::chooseFileToOpen(
    HWND owner, const std::u16string& filter) {
    const std::wstring filters = CommonDialogFilter(filter);
    // Long paths: the buffer holds the longest path the wide calls accept.
    std::wstring path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    path.resize(std::wcslen(path.c_str()));
    return FromWide(path);
}

std::optional<FontDescription> SystemDesktopServices::chooseFont(HWND owner,
                                                                 const FontDescription& initial) {
    LOGFONTW font = LogicalFontOf(initial);
    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS | CF_NOVERTFONTS;
    if (!ChooseFontW(&dialog)) return std::nullopt;
    return DescriptionOf(font);
}

void SystemDesktopServices::showMessage(HWND owner, const std::u16string& text, MessageIcon icon) {
    MessageBoxW(
        owner, ToWide(text).c_str(), kCaption,
        MB_OK | (icon == MessageIcon::kInformation ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

bool SystemDesktopServices::askYesNo(HWND owner, const std::u16string& question) {
    return MessageBoxW(owner, ToWide(question).c_str(), kCaption, MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

void SystemDesktopServices::setClipboardText(HWND owner, const std::u16string& text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        // The clipboard owns the memory once it took it.
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    }
    CloseClipboard();
}

bool SystemDesktopServices::openDocument(const std::u16string& pathOrAddress) {
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"open", ToWide(pathOrAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace tessik
