#include "ui/win32/algorithm_table_win32.h"

#include "digest/hex.h"
#include "platform/text_conversion.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

// The system's selection colour, lightened most of the way to white.
COLORREF MarkColour() {
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const auto lighter = [](BYTE part) { return static_cast<BYTE>(part + (255 - part) * 3 / 5); };
    return RGB(lighter(GetRValue(highlight)), lighter(GetGValue(highlight)),
               lighter(GetBValue(highlight)));
}

int RowOf(const AlgorithmInfo& algorithm) {
    return static_cast<int>(&algorithm - AlgorithmCatalogue().data());
}

void SetColumnText(HWND table, int column, const std::u16string& text) {
    std::wstring wide = ToWide(text);
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = wide.data();
    ListView_SetColumn(table, column, &header);
}

}  // namespace

Win32AlgorithmTable::Win32AlgorithmTable(HWND table, bool withDigests,
                                         std::function<void()> tickedChanged)
    : table_(table),
      withDigests_(withDigests),
      tickedChanged_(std::move(tickedChanged)),
      digests_(static_cast<std::size_t>(AlgorithmCount())),
      marked_(static_cast<std::size_t>(AlgorithmCount()), false) {
    ListView_SetExtendedListViewStyle(
        table_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_CHECKBOXES);
    RECT area{};
    GetClientRect(table_, &area);
    const int width = area.right - area.left - GetSystemMetrics(SM_CXVSCROLL);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = withDigests_ ? width * 3 / 10 : width;
    ListView_InsertColumn(table_, 0, &column);
    if (withDigests_) {
        column.cx = width - column.cx;
        ListView_InsertColumn(table_, 1, &column);
    }
    for (int row = 0; row < AlgorithmCount(); ++row) {
        std::wstring name = ToWide(FromUtf8(AlgorithmForIndex(row).name));
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = name.data();
        ListView_InsertItem(table_, &item);
    }
    filling_ = false;
}

Win32AlgorithmTable::~Win32AlgorithmTable() {
    if (boldFont_ != nullptr) DeleteObject(boldFont_);
}

void Win32AlgorithmTable::setHeaders(const std::u16string& algorithm,
                                     const std::u16string& digest) {
    SetColumnText(table_, 0, algorithm);
    if (withDigests_) SetColumnText(table_, 1, digest);
}

AlgorithmSet Win32AlgorithmTable::ticked() const {
    AlgorithmSet ticked;
    for (int row = 0; row < AlgorithmCount(); ++row) {
        if (ListView_GetCheckState(table_, row)) ticked.push_back(&AlgorithmForIndex(row));
    }
    return ticked;
}

void Win32AlgorithmTable::setTicked(const AlgorithmSet& algorithms) {
    filling_ = true;
    for (int row = 0; row < AlgorithmCount(); ++row) ListView_SetCheckState(table_, row, FALSE);
    for (const AlgorithmInfo* algorithm : algorithms) {
        ListView_SetCheckState(table_, RowOf(*algorithm), TRUE);
    }
    filling_ = false;
}

void Win32AlgorithmTable::tick(int row, bool ticked) {
    ListView_SetCheckState(table_, row, ticked ? TRUE : FALSE);
}

void Win32AlgorithmTable::setDigests(const std::vector<AlgorithmDigest>& digests) {
    digests_.assign(digests_.size(), Digest());
    for (const AlgorithmDigest& given : digests) {
        digests_[static_cast<std::size_t>(RowOf(*given.algorithm))] = given.digest;
    }
    showDigests();
}

std::vector<AlgorithmDigest> Win32AlgorithmTable::digests() const {
    std::vector<AlgorithmDigest> given;
    for (int row = 0; row < AlgorithmCount(); ++row) {
        const Digest& digest = digests_[static_cast<std::size_t>(row)];
        if (!digest.empty()) given.push_back({&AlgorithmForIndex(row), digest});
    }
    return given;
}

void Win32AlgorithmTable::setMarked(const AlgorithmSet& algorithms) {
    marked_.assign(marked_.size(), false);
    for (const AlgorithmInfo* algorithm : algorithms) {
        marked_[static_cast<std::size_t>(RowOf(*algorithm))] = true;
    }
    InvalidateRect(table_, nullptr, FALSE);
}

void Win32AlgorithmTable::setLowerCase(bool lowerCase) {
    lowerCase_ = lowerCase;
    showDigests();
}

std::vector<AlgorithmDigest> Win32AlgorithmTable::selectedDigests() const {
    std::vector<AlgorithmDigest> selected;
    for (int row = ListView_GetNextItem(table_, -1, LVNI_SELECTED); row != -1;
         row = ListView_GetNextItem(table_, row, LVNI_SELECTED)) {
        const Digest& digest = digests_[static_cast<std::size_t>(row)];
        if (!digest.empty()) selected.push_back({&AlgorithmForIndex(row), digest});
    }
    return selected;
}

void Win32AlgorithmTable::showRow(int row) {
    ListView_EnsureVisible(table_, row, FALSE);
}

void Win32AlgorithmTable::showDigests() {
    if (!withDigests_) return;
    for (int row = 0; row < AlgorithmCount(); ++row) {
        const Digest& digest = digests_[static_cast<std::size_t>(row)];
        std::wstring text =
            digest.empty() ? std::wstring() : ToWide(FromUtf8(HexDigest(digest, lowerCase_)));
        ListView_SetItemText(table_, row, 1, text.data());
    }
}

HFONT Win32AlgorithmTable::boldFont() {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(table_, WM_GETFONT, 0, 0));
    if (boldFont_ == nullptr || boldOf_ != font) {
        if (boldFont_ != nullptr) DeleteObject(boldFont_);
        LOGFONTW description{};
        GetObjectW(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof description,
                   &description);
        description.lfWeight = FW_BOLD;
        boldFont_ = CreateFontIndirectW(&description);
        boldOf_ = font;
    }
    return boldFont_;
}

bool Win32AlgorithmTable::notify(NMHDR& header, LRESULT& answer) {
    if (header.hwndFrom != table_) return false;
    switch (header.code) {
        case LVN_ITEMCHANGING: {
            // A box that cannot be ticked now keeps its tick.
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            const bool tickChanges = (change.uChanged & LVIF_STATE) != 0 &&
                                     ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK);
            answer = !filling_ && !tickable_ && tickChanges ? TRUE : FALSE;
            return true;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (!filling_ && (change.uChanged & LVIF_STATE) != 0 &&
                ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
                tickedChanged_) {
                tickedChanged_();
            }
            return false;
        }
        case NM_CUSTOMDRAW: {
            auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
            if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
                answer = CDRF_NOTIFYITEMDRAW;
                return true;
            }
            if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
                draw.nmcd.dwItemSpec < marked_.size() && marked_[draw.nmcd.dwItemSpec]) {
                draw.clrTextBk = MarkColour();
                SelectObject(draw.nmcd.hdc, boldFont());
                answer = CDRF_NEWFONT;
                return true;
            }
            answer = CDRF_DODEFAULT;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tessik
