#include "ui/win32/list_view_win32.h"

#include <algorithm>

#include "ui/win32/win32_text.h"

namespace tessik {

Win32ListView::Win32ListView(HWND templateControl, Owner owner) : owner_(std::move(owner)) {
    HWND parent = GetParent(templateControl);
    RECT place{};
    GetWindowRect(templateControl, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    // Owner data is a style the view takes only when it is made.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(templateControl, GWL_STYLE));
    const auto id = static_cast<int>(GetDlgCtrlID(templateControl));
    view_ = CreateWindowExW(static_cast<DWORD>(GetWindowLongPtrW(templateControl, GWL_EXSTYLE)),
                            WC_LISTVIEWW, L"", (style & ~LVS_SINGLESEL) | LVS_OWNERDATA, place.left,
                            place.top, place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(view_, templateControl, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(view_, WM_SETFONT,
                 static_cast<WPARAM>(SendMessageW(templateControl, WM_GETFONT, 0, 0)), FALSE);
    ListView_SetExtendedListViewStyle(view_, ListView_GetExtendedListViewStyle(templateControl));
    DestroyWindow(templateControl);
}

int Win32ListView::columnCount() const {
    return Header_GetItemCount(ListView_GetHeader(view_));
}

void Win32ListView::setColumns(const std::vector<std::u16string>& headers) {
    while (columnCount() > static_cast<int>(headers.size())) {
        ListView_DeleteColumn(view_, columnCount() - 1);
    }
    for (std::size_t i = 0; i < headers.size(); ++i) {
        std::wstring text = ToWide(headers[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = text.data();
        column.fmt = LVCFMT_LEFT;
        const int index = static_cast<int>(i);
        if (index < columnCount()) {
            SendMessageW(view_, LVM_SETCOLUMNW, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&column));
        } else {
            column.mask |= LVCF_WIDTH;
            column.cx = 80;
            SendMessageW(view_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&column));
        }
    }
}

void Win32ListView::setColumnWidth(int column, int width) {
    ListView_SetColumnWidth(view_, column, width);
}

int Win32ListView::columnWidth(int column) const {
    return ListView_GetColumnWidth(view_, column);
}

void Win32ListView::showSortMark(std::optional<int> sorted, bool descending) {
    HWND header = ListView_GetHeader(view_);
    for (int column = 0; column < columnCount(); ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (sorted == column) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
        Header_SetItem(header, column, &item);
    }
}

void Win32ListView::setRowCount(std::size_t rows) {
    // The view stays where the user scrolled it while rows come.
    ListView_SetItemCountEx(view_, static_cast<int>(rows),
                            LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
    redraw();
}

std::size_t Win32ListView::rowCount() const {
    return static_cast<std::size_t>(ListView_GetItemCount(view_));
}

void Win32ListView::redraw() {
    InvalidateRect(view_, nullptr, FALSE);
}

std::vector<std::size_t> Win32ListView::selectedRows() const {
    std::vector<std::size_t> rows;
    for (int row = ListView_GetNextItem(view_, -1, LVNI_SELECTED); row != -1;
         row = ListView_GetNextItem(view_, row, LVNI_SELECTED)) {
        rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
}

void Win32ListView::select(const std::vector<std::size_t>& rows) {
    ListView_SetItemState(view_, -1, 0, LVIS_SELECTED);
    for (std::size_t row : rows) {
        ListView_SetItemState(view_, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
    }
}

int Win32ListView::textWidth(const std::u16string& text) const {
    const std::wstring wide = ToWide(text);
    // The view's own measure, with the margins it gives the text in a cell.
    return static_cast<int>(SendMessageW(view_, LVM_GETSTRINGWIDTHW, 0,
                                         reinterpret_cast<LPARAM>(wide.c_str()))) +
           2 * GetSystemMetrics(SM_CXEDGE) + 12;
}

bool Win32ListView::notified(NMHDR& header, LRESULT& answer) {
    if (header.hwndFrom != view_) return false;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(header).item;
            if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0) {
                cell_ =
                    ToWide(owner_.cellText(static_cast<std::size_t>(item.iItem), item.iSubItem));
                const std::size_t length =
                    std::min(cell_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
                std::copy_n(cell_.begin(), length, item.pszText);
                item.pszText[length] = L'\0';
            }
            answer = 0;
            return true;
        }
        case LVN_COLUMNCLICK:
            owner_.headerClicked(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            answer = 0;
            return true;
        case LVN_KEYDOWN: {
            const auto& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
            if (key.wVKey == 'C' && (GetKeyState(VK_CONTROL) & 0x8000) != 0) owner_.copyAsked();
            answer = 0;
            return true;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
            switch (draw.nmcd.dwDrawStage) {
                case CDDS_PREPAINT:
                    answer = CDRF_NOTIFYITEMDRAW;
                    return true;
                case CDDS_ITEMPREPAINT:
                    answer = CDRF_NOTIFYSUBITEMDRAW;
                    return true;
                case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
                    const std::optional<COLORREF> colour = owner_.cellColour(
                        static_cast<std::size_t>(draw.nmcd.dwItemSpec), draw.iSubItem);
                    draw.clrText = colour.value_or(GetSysColor(COLOR_WINDOWTEXT));
                    answer = CDRF_DODEFAULT;
                    return true;
                }
                default:
                    answer = CDRF_DODEFAULT;
                    return true;
            }
        }
        default:
            return false;
    }
}

}  // namespace tessik
