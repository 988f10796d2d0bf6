#include "ui/rules/about_box.h"

namespace tessik {
namespace {

// The languages we ship, in the order of their labels' translation keys; the rows below them
// stay empty until more are added.
constexpr CreditRow kCreditRows[] = {
    {{u"Tessik translators (de@tessik.example.org)", u"mailto:de@tessik.example.org"}},
    {{u"Tessik translators (fr@tessik.example.org)", u"mailto:fr@tessik.example.org"}},
    {{u"Tessik translators (es@tessik.example.org)", u"mailto:es@tessik.example.org"}},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
};

constexpr int kBaseDotsPerInch = 96;

}  // namespace

std::span<const CreditRow, kCreditRowCount> CreditRows() {
    return kCreditRows;
}

PictureSize ScaleForScreen(PictureSize size, int dotsPerInch) {
    if (dotsPerInch <= kBaseDotsPerInch) return size;
    const PictureSize scaled{size.width * dotsPerInch / kBaseDotsPerInch,
                             size.height * dotsPerInch / kBaseDotsPerInch};
    if (scaled.width == size.width || scaled.height == size.height) return size;
    return scaled;
}

}  // namespace tessik
