#pragma once
// What the About window shows and what the update command opens: the product's own data, its
// credit rows and the rule that scales the picture for the screen. The window's sentences and
// the credits' labels are translated texts.

#include <cstddef>
#include <span>
#include <string_view>

namespace tessik {

inline constexpr std::u16string_view kProductName = u"Tessik";
inline constexpr std::u16string_view kVersion = u"1.690 (15.10.2019)";

// The update page is told the program version; its language stays English whatever the
// language in use.
inline constexpr std::u16string_view kUpdateAddress =
    u"https://tessik.example.org/pages/c_tessik.php?lang=ENG&progvers=1.690";

// A text that opens its link (a web address or a mailto address) on a double click.
struct LinkText {
    std::u16string_view text;
    std::u16string_view link;  // empty: a plain text
};

inline constexpr LinkText kWebSite{u"https://tessik.example.org", u"https://tessik.example.org"};
inline constexpr LinkText kMailAddress{u"info@tessik.example.org",
                                       u"mailto:info@tessik.example.org"};

// One row of the credits: who is credited for the language its label names. A row with an
// empty credit is not shown.
struct CreditRow {
    LinkText credit;
};

// The rows, top to bottom.
inline constexpr std::size_t kCreditRowCount = 10;
std::span<const CreditRow, kCreditRowCount> CreditRows();

struct PictureSize {
    int width, height;
    bool operator==(const PictureSize&) const = default;
};

// Above 96 dots per inch the picture grows by dpi / 96 (truncated) in each direction; it keeps
// its size when either direction would not change.
PictureSize ScaleForScreen(PictureSize size, int dotsPerInch);

}  // namespace tessik
