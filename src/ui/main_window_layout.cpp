#include "ui/main_window_layout.h"

namespace tessik {
namespace {

using namespace main_window;

constexpr int kGap = 6;

}  // namespace

void LayOutMainWindow(ControlGeometry& controls, int clientWidth, int clientHeight) {
    for (int id : kEdgeFollowingControls) {
        if (!controls.contains(id)) return;
    }
    const int cx = clientWidth > 0 ? clientWidth : kMinimumWidth;
    const int cy = clientHeight > 0 ? clientHeight : kMinimumHeight;

    PixelRect& copy = controls[kCopyButton];
    copy.x = cx / 2 - copy.width - 6;
    copy.y = cy - copy.height - 8;

    PixelRect& compare = controls[kCompareButton];
    compare.x = copy.right() + 12;
    compare.y = copy.y;

    PixelRect& caseSensitive = controls[kCaseSensitiveBox];
    caseSensitive.y = copy.y - caseSensitive.height - 12;

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
}

}  // namespace tessik
