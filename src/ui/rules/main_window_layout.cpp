#include "ui/rules/main_window_layout.h"

#include <algorithm>

namespace tessik {
namespace {

using namespace main_window;

constexpr int kGap = 6;
// Below the "Case sensitive" box and below the buttons, as the layout rule has them.
constexpr int kAboveButtons = 12;
constexpr int kBelowButtons = 8;
constexpr int kBetweenButtons = 12;

PixelRect At(const ControlGeometry& controls, int id) {
    const auto it = controls.find(id);
    return it != controls.end() ? it->second : PixelRect{};
}

}  // namespace

void LayOutMainWindow(ControlGeometry& controls, int clientWidth, int clientHeight) {
    for (int id : kEdgeFollowingControls) {
        if (!controls.contains(id)) return;
    }
    const int cx = clientWidth > 0 ? clientWidth : kMinimumWidth;
    const int cy = clientHeight > 0 ? clientHeight : kMinimumHeight;

    PixelRect& copy = controls[kCopyButton];
    copy.x = cx / 2 - copy.width - 6;
    copy.y = cy - copy.height - kBelowButtons;

    PixelRect& compare = controls[kCompareButton];
    compare.x = copy.right() + kBetweenButtons;
    compare.y = copy.y;

    PixelRect& caseSensitive = controls[kCaseSensitiveBox];
    caseSensitive.y = copy.y - caseSensitive.height - kAboveButtons;

    PixelRect& expected = controls[kExpectedField];
    expected.y = caseSensitive.y - expected.height - kGap;
    expected.width = cx - expected.x - kGap;
    controls[kExpectedLabel].y = expected.y;

    PixelRect& result = controls[kResultField];
    result.y = expected.y - result.height - kGap;
    result.width = cx - result.x - kGap;
    controls[kResultLabel].y = result.y;

    PixelRect& hashString = controls[kHashStringButton];
    hashString.x = cx - hashString.width - kGap;
    hashString.y = result.y - hashString.height - kGap;

    PixelRect& string = controls[kStringField];
    string.width = cx - string.x - kGap;
    string.height = hashString.y - string.y - kGap;

    PixelRect& hashFile = controls[kHashFileButton];
    hashFile.x = cx - hashFile.width - kGap;

    PixelRect& browse = controls[kBrowseButton];
    browse.x = cx - browse.width - kGap;

    PixelRect& fileName = controls[kFileNameField];
    fileName.width = browse.x - fileName.x - kGap;

    controls[kProgressBar] = result;
    controls[kCancelHashButton] = hashFile;
}

int RightHandButtonWidth(int templateWidth, int leastWidth, int clientWidth, int leastClientWidth,
                         int naturalClientWidth) {
    if (clientWidth >= naturalClientWidth || leastWidth >= templateWidth) return templateWidth;
    if (clientWidth <= leastClientWidth) return leastWidth;
    const long long room = templateWidth - leastWidth;
    return leastWidth + static_cast<int>(room * (clientWidth - leastClientWidth) /
                                         (naturalClientWidth - leastClientWidth));
}

PixelSize MinimumClientSize(const ControlGeometry& templatePlaces) {
    const auto right = [&](int id) { return At(templatePlaces, id).right(); };
    const auto width = [&](int id) { return At(templatePlaces, id).width; };
    const auto height = [&](int id) { return At(templatePlaces, id).height; };
    const int labels = std::max({right(kAlgorithmLabel), right(kFileNameLabel), right(kStringLabel),
                                 right(kResultLabel), right(kExpectedLabel)});
    const int rightButtons =
        std::max({width(kHashFileButton), width(kHashStringButton), width(kCancelHashButton)});
    const int clientWidth = std::max({
        right(kAlgorithmList) + kGap,
        right(kLowercaseBox) + kGap,
        labels + kGap + rightButtons + kGap,
        // "Copy" ends 6 pixels left of the centre, "Compare" starts 12 pixels after it.
        2 * (width(kCopyButton) + kGap),
        2 * (kGap + kBetweenButtons + width(kCompareButton) + kGap),
    });
    const PixelRect string = At(templatePlaces, kStringField);
    const int clientHeight = string.bottom() + kGap + height(kHashStringButton) + kGap +
                             height(kResultField) + kGap + height(kExpectedField) + kGap +
                             height(kCaseSensitiveBox) + kAboveButtons + height(kCopyButton) +
                             kBelowButtons;
    return {clientWidth, clientHeight};
}

}  // namespace tessik
