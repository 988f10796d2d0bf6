#pragma once
// "Several algorithms..." confirmed in the algorithms window a window opens next: the rows given
// ticked, every other row not.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "modal_script.h"
#include "ui/rules/algorithms_window.h"

namespace tessik::test {

// The rows are kept until then.
inline void WhenAskedTick(HWND owner, std::vector<int> rows) {
    WhenModal(owner, [rows = std::move(rows)](HWND algorithms) {
        HWND table = GetDlgItem(algorithms, algorithms_window::kTable);
        for (int row = 0; row < AlgorithmCount(); ++row) {
            const bool ticked = std::find(rows.begin(), rows.end(), row) != rows.end();
            ListView_SetCheckState(table, row, ticked ? TRUE : FALSE);
        }
        SendMessageW(GetDlgItem(algorithms, kOkResult), BM_CLICK, 0, 0);
    });
}

}  // namespace tessik::test
