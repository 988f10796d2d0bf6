#include "ui/win32/about_window_win32.h"

#include <commctrl.h>

#include "ui/rules/about_box.h"
#include "ui/rules/about_window.h"
#include "ui/rules/text_pattern.h"
#include "ui/win32/picture_win32.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

using namespace about_window;

constexpr UINT_PTR kLinkSubclass = 1;
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
// Grey, at a contrast of 4.95 : 1 with the white behind it, which reads well.
constexpr COLORREF kDescriptionColour = RGB(112, 112, 112);
// The picture file holds twice the pixels it is shown with at 96 dots per inch.
constexpr int kPictureFileScale = 2;
constexpr wchar_t kPictureFile[] = L"about@2x.png";

// A double click on a field opens its link.
LRESULT CALLBACK LinkField(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR window) {
    if (message == WM_LBUTTONDBLCLK) {
        reinterpret_cast<const Win32AboutWindow*>(window)->openLink(GetDlgCtrlID(field));
    } else if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

Win32AboutWindow::Win32AboutWindow(Win32DesktopServices& desktop, FontSettings& fonts,
                                   std::u16string languageFile, std::u16string programDirectory,
                                   std::u16string okCaption)
    : Win32Dialog(AboutWindowTemplate(), desktop),
      fonts_(fonts),
      fontHost_(*this),
      languageFile_(std::move(languageFile)),
      programDirectory_(std::move(programDirectory)),
      okCaption_(std::move(okCaption)) {}

Win32AboutWindow::~Win32AboutWindow() {
    if (titleFont_ != nullptr) DeleteObject(titleFont_);
    if (picture_ != nullptr) DeleteObject(picture_);
}

void Win32AboutWindow::setMemberText(int id, const std::u16string& text) {
    if (static_cast<AboutMemberText>(id) == AboutMemberText::kVersion) versionPattern_ = text;
}

void Win32AboutWindow::onInitDialog() {
    applyTexts(languageFile_, AboutWindowTables(), *this);
    setControlText(kOkResult, okCaption_);
    fillTexts();
    fonts_.applyTo(fontHost_, true);
    boldTitle();
    // After the fonts: a new font lays the window out again, at the template's sizes.
    showPicture();
}

std::optional<COLORREF> Win32AboutWindow::textColourOf(int id) const {
    if (id == kDescriptionLabel) return kDescriptionColour;
    if (links_.count(id) != 0 && !links_.at(id).empty()) return kLinkColour;
    return std::nullopt;
}

const std::u16string& Win32AboutWindow::linkOf(int fieldId) const {
    static const std::u16string none;
    const auto found = links_.find(fieldId);
    return found == links_.end() ? none : found->second;
}

void Win32AboutWindow::openLink(int fieldId) const {
    const std::u16string& link = linkOf(fieldId);
    if (!link.empty()) desktop().openDocument(link);
}

void Win32AboutWindow::fillTexts() {
    setControlText(kTitleLabel, std::u16string(kProductName));
    setControlText(kVersionLabel, FillIn(versionPattern_, {kVersion}));
    const auto showLink = [this](int id, const LinkText& link) {
        setControlText(id, std::u16string(link.text));
        links_[id] = std::u16string(link.link);
        SetWindowSubclass(control(id), &LinkField, kLinkSubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    };
    for (std::size_t row = 0; row < CreditRows().size(); ++row) {
        const CreditRow& credit = CreditRows()[row];
        showLink(kCreditFields[row], credit.credit);
        // A row for a language we do not ship stays out of sight and out of the tab order.
        if (credit.credit.text.empty()) {
            ShowWindow(control(kCreditFields[row]), SW_HIDE);
            if (kCreditLabels[row] != kNoLabel) ShowWindow(control(kCreditLabels[row]), SW_HIDE);
        }
    }
    showLink(kWebSiteField, kWebSite);
    showLink(kMailField, kMailAddress);
}

void Win32AboutWindow::boldTitle() {
    LOGFONTW title{};
    GetObjectW(font(), sizeof title, &title);
    title.lfWeight = FW_BOLD;
    if (titleFont_ != nullptr) DeleteObject(titleFont_);
    titleFont_ = CreateFontIndirectW(&title);
    SendMessageW(control(kTitleLabel), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), TRUE);
}

// The picture has the size of its image at 96 dots per inch and grows with the screen's.
void Win32AboutWindow::showPicture() {
    HDC screen = GetDC(handle());
    const int dotsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(handle(), screen);
    picture_ = LoadPicture(programDirectory_ + FromWide(kPictureFile), [dotsPerInch](SIZE inFile) {
        const PictureSize size = ScaleForScreen(
            {inFile.cx / kPictureFileScale, inFile.cy / kPictureFileScale}, dotsPerInch);
        return SIZE{size.width, size.height};
    });
    if (picture_ == nullptr) return;
    HWND picture = control(kPicture);
    SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
}

}  // namespace tessik
