#pragma once
// The catalogue in a list view: a row per algorithm in its order, with a box that ticks it and,
// where digests are shown, a second column with the digest a file gave under it. Marked rows,
// as those whose digest is the one expected, stand out in bold on a light highlight.

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/algorithm_set.h"
#include "ui/rules/algorithm_match.h"

namespace tessik {

class Win32AlgorithmTable {
  public:
    // Fills the list view; `tickedChanged` is told whenever the user ticks or unticks a box.
    Win32AlgorithmTable(HWND table, bool withDigests, std::function<void()> tickedChanged);
    ~Win32AlgorithmTable();
    Win32AlgorithmTable(const Win32AlgorithmTable&) = delete;
    Win32AlgorithmTable& operator=(const Win32AlgorithmTable&) = delete;

    // The columns' headers; the digest's is passed over without digests.
    void setHeaders(const std::u16string& algorithm, const std::u16string& digest);
    AlgorithmSet ticked() const;
    void setTicked(const AlgorithmSet& algorithms);
    void tick(int row, bool ticked);
    // Whether the boxes can be ticked and unticked now.
    void setTickable(bool tickable) { tickable_ = tickable; }

    // The digests of the algorithms that gave one; the others' cells are empty.
    void setDigests(const std::vector<AlgorithmDigest>& digests);
    std::vector<AlgorithmDigest> digests() const;
    void setMarked(const AlgorithmSet& algorithms);
    bool isMarked(int row) const { return marked_[static_cast<std::size_t>(row)]; }
    void setLowerCase(bool lowerCase);
    // The rows selected now that have a digest, in the table's order.
    std::vector<AlgorithmDigest> selectedDigests() const;
    void showRow(int row);

    // The table's notifications, which its window passes on; true with the answer where the
    // table answers one.
    bool notify(NMHDR& header, LRESULT& answer);

  private:
    void showDigests();
    HFONT boldFont();

    HWND table_;
    bool withDigests_;
    std::function<void()> tickedChanged_;
    bool tickable_ = true;
    bool filling_ = true;
    bool lowerCase_ = true;
    std::vector<Digest> digests_;  // by row; empty where there is none
    std::vector<bool> marked_;
    HFONT boldFont_ = nullptr;
    HFONT boldOf_ = nullptr;  // the font the bold one was made from
};

}  // namespace tessik
