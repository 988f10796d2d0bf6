// Every window's template, built by Windows' dialog manager: each row becomes a control of its
// class at the place its dialog units give, visible unless hidden, with the template's caption.
#include "ui/win32/dialog_template_win32.h"

#include <gtest/gtest.h>

#include <string>

#include "fake_win32_desktop.h"
#include "platform/text_conversion.h"
#include "ui/rules/about_window.h"
#include "ui/rules/algorithms_window.h"
#include "ui/rules/all_algorithms_window.h"
#include "ui/rules/folder_window.h"
#include "ui/rules/language_window.h"
#include "ui/rules/list_window.h"
#include "ui/rules/main_window.h"
#include "ui/rules/options_window.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

struct NamedTemplate {
    const char* name;
    const DialogTemplate& (*dialog)();
};

class EveryTemplate : public ::testing::TestWithParam<NamedTemplate> {};

std::u16string ClassOf(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return FromWide(name);
}

std::u16string Lower(std::u16string text) {
    for (char16_t& unit : text) {
        if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
    }
    return text;
}

TEST_P(EveryTemplate, BuildsEachRowAsWindowsOwnControl) {
    const DialogTemplate& dialog = GetParam().dialog();
    test::FakeWin32Desktop desktop;
    Win32Dialog window(dialog, desktop);
    ASSERT_TRUE(window.create());
    EXPECT_EQ(WindowText(window.handle()), FromUtf8(dialog.caption));
    for (const ControlTemplate& row : dialog.controls) {
        if (row.id == -1) continue;
        SCOPED_TRACE(row.id);
        HWND control = window.control(row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Lower(ClassOf(control)), Lower(ControlClassOf(row).className));
        EXPECT_EQ((GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0,
                  (row.style & kHidden) == 0);
        // The dialog manager converts the place and the size each on their own.
        RECT expected{row.x, row.y, row.width, row.height};
        MapDialogRect(window.handle(), &expected);
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, expected.left);
        EXPECT_EQ(place.top, expected.top);
        EXPECT_EQ(place.right - place.left, expected.right);
        // A drop-down list's template height is that of its open list.
        if (row.kind != ControlKind::kDropDownList) {
            EXPECT_EQ(place.bottom - place.top, expected.bottom);
        }
    }
    // The menu bar, where there is one, does not take its height from the client area.
    RECT client{};
    GetClientRect(window.handle(), &client);
    RECT templateSize{0, 0, dialog.width, dialog.height};
    MapDialogRect(window.handle(), &templateSize);
    EXPECT_NEAR(client.bottom, templateSize.bottom, 1);
    EXPECT_NEAR(client.right, templateSize.right, 1);
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryTemplate,
                         ::testing::Values(NamedTemplate{"Main", MainWindowTemplate},
                                           NamedTemplate{"Folder", FolderWindowTemplate},
                                           NamedTemplate{"VerifyList", VerifyListWindowTemplate},
                                           NamedTemplate{"HashFiles", HashFilesWindowTemplate},
                                           NamedTemplate{"Language", LanguageWindowTemplate},
                                           NamedTemplate{"Options", OptionsWindowTemplate},
                                           NamedTemplate{"About", AboutWindowTemplate},
                                           NamedTemplate{"AllAlgorithms",
                                                         AllAlgorithmsWindowTemplate},
                                           NamedTemplate{"Algorithms", AlgorithmsWindowTemplate}),
                         [](const ::testing::TestParamInfo<NamedTemplate>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace tessik
