#pragma once
// What a drop of files onto a window hands it (WM_DROPFILES): the paths, each ending with a
// null, then a null. The window that takes the drop releases it.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/win32/win32_text.h"

namespace tessik::test {

inline HDROP DropOf(const std::vector<std::u16string>& paths) {
    std::wstring names;
    for (const std::u16string& path : paths) names += ToWide(path) + L'\0';
    names += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(names.begin(), names.end(),
              reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES)));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

}  // namespace tessik::test
