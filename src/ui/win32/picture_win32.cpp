#include "ui/win32/picture_win32.h"

// GDI+ needs the stream interfaces that a lean windows.h leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

// GDI+ is started once and runs as long as the program.
bool GdiplusStarted() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

}  // namespace

HBITMAP LoadPicture(const std::u16string& path, const std::function<SIZE(SIZE inFile)>& sizeFor) {
    using namespace Gdiplus::DllExports;
    if (!GdiplusStarted()) return nullptr;
    Gdiplus::GpBitmap* image = nullptr;
    if (GdipCreateBitmapFromFile(ToWide(path).c_str(), &image) != Gdiplus::Ok) return nullptr;
    UINT width = 0;
    UINT height = 0;
    GdipGetImageWidth(image, &width);
    GdipGetImageHeight(image, &height);
    const SIZE size = sizeFor({static_cast<LONG>(width), static_cast<LONG>(height)});
    if (size.cx <= 0 || size.cy <= 0) {
        GdipDisposeImage(image);
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HDC context = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (bitmap != nullptr && context != nullptr) {
        const HGDIOBJ before = SelectObject(context, bitmap);
        RECT all{0, 0, size.cx, size.cy};
        FillRect(context, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        Gdiplus::GpGraphics* graphics = nullptr;
        if (GdipCreateFromHDC(context, &graphics) == Gdiplus::Ok) {
            GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
            GdipSetPixelOffsetMode(graphics, Gdiplus::PixelOffsetModeHighQuality);
            GdipDrawImageRectI(graphics, image, 0, 0, size.cx, size.cy);
            GdipDeleteGraphics(graphics);
        }
        SelectObject(context, before);
    }
    if (context != nullptr) DeleteDC(context);
    GdipDisposeImage(image);
    return bitmap;
}

}  // namespace tessik
