#include "ui/win32/win32_desktop_services.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shobjidl.h>

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

}  // namespace

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

std::optional<Win32DesktopServices::SaveChoice> SystemDesktopServices::chooseFileToSave(
    HWND owner, const std::u16string& suggestedPath, const std::u16string& filter) {
    const std::wstring filters = CommonDialogFilter(filter);
    std::wstring path(32768, L'\0');
    const std::wstring suggested = ToWide(suggestedPath);
    std::copy_n(suggested.begin(), std::min(suggested.size(), path.size() - 1), path.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags =
        OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    path.resize(std::wcslen(path.c_str()));
    return SaveChoice{FromWide(path), static_cast<int>(dialog.nFilterIndex) - 1};
}

// The shell's folder chooser, which gives long paths back.
std::optional<std::u16string> SystemDesktopServices::chooseFolder(
    HWND owner, const std::u16string& initialFolder) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::optional<std::u16string> chosen;
    IFileOpenDialog* dialog = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IFileOpenDialog, reinterpret_cast<void**>(&dialog)))) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog->GetOptions(&options);
        dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
        IShellItem* start = nullptr;
        if (!initialFolder.empty() && SUCCEEDED(SHCreateItemFromParsingName(
                                          ToWide(initialFolder).c_str(), nullptr, IID_IShellItem,
                                          reinterpret_cast<void**>(&start)))) {
            dialog->SetFolder(start);
            start->Release();
        }
        IShellItem* item = nullptr;
        if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&item))) {
            PWSTR path = nullptr;
            if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
                chosen = FromWide(path);
                CoTaskMemFree(path);
            }
            item->Release();
        }
        dialog->Release();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return chosen;
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

std::u16string SystemDesktopServices::clipboardText(HWND owner) {
    std::u16string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(memory))) {
            // Up to its terminating null, within the memory the clipboard holds.
            const std::size_t most = GlobalSize(memory) / sizeof(char16_t);
            std::size_t length = 0;
            while (length < most && units[length] != u'\0') ++length;
            text.assign(units, length);
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

bool SystemDesktopServices::openDocument(const std::u16string& pathOrAddress) {
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        nullptr, L"open", ToWide(pathOrAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

}  // namespace tessik
