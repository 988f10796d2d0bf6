#include "ui/win32/dropped_files_win32.h"

#include "ui/rules/main_commands.h"
#include "ui/win32/win32_text.h"

namespace tessik {

std::vector<std::u16string> TakeDroppedPaths(HDROP drop) {
    std::vector<std::u16string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(CutDroppedPath(FromWide(path)));
    }
    DragFinish(drop);
    return paths;
}

}  // namespace tessik
