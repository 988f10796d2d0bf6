#pragma once
// A report-style list view whose rows the window keeps (owner data): the view asks for the text
// of the cells it draws, so a million rows cost nothing until they are seen. It takes the place
// of the list view the dialog manager made from the template, with the same id, place and tab
// order, and lets several rows be selected.

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessik {

class Win32ListView {
  public:
    struct Owner {
        // The text of a cell; the view copies it at once.
        std::function<std::u16string(std::size_t row, int column)> cellText;
        // The colour of a cell's text where it stands out; the system's otherwise.
        std::function<std::optional<COLORREF>(std::size_t row, int column)> cellColour;
        std::function<void(int column)> headerClicked;
        std::function<void()> copyAsked;  // Ctrl+C
    };

    Win32ListView(HWND templateControl, Owner owner);
    Win32ListView(const Win32ListView&) = delete;
    Win32ListView& operator=(const Win32ListView&) = delete;

    HWND handle() const { return view_; }
    void setColumns(const std::vector<std::u16string>& headers);
    void setColumnWidth(int column, int width);
    int columnWidth(int column) const;
    // The arrow in the header: up for ascending, down for descending; no column for none.
    void showSortMark(std::optional<int> column, bool descending);
    // The rows shown; the rows seen are drawn again.
    void setRowCount(std::size_t rows);
    std::size_t rowCount() const;
    void redraw();
    std::vector<std::size_t> selectedRows() const;
    void select(const std::vector<std::size_t>& rows);
    // The width a text takes in the view's font, with the margins of a cell.
    int textWidth(const std::u16string& text) const;

    // The window hands the view's notifications over; true when one was answered.
    bool notified(NMHDR& header, LRESULT& answer);

  private:
    int columnCount() const;

    HWND view_ = nullptr;
    Owner owner_;
    std::wstring cell_;  // the text last handed to the view, kept until it asks again
};

}  // namespace tessik
