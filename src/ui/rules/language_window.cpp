#include "ui/rules/language_window.h"

#include <array>

#include "ui/rules/dialog_template.h"

namespace tessik {
namespace {

using namespace language_window;

constexpr TranslationEntry kLanguageWindow[] = {
    {"FrmLanguage.Caption", TextTarget::Title(), u"Select language"},
    {"FrmLanguage.m_LBLCurrentLanguage", TextTarget::Control(kLanguageLabel),
     u"&Current language:"},
    {"FrmLanguage.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmLanguage.m_BTNCancel", TextTarget::Control(kCancelResult), u"Cancel"},
};

constexpr std::array kControls = {
    ControlTemplate{kLanguageLabel, ControlKind::kLabel, "Current language:", 7, 17, 90, 12,
                    kNoStyle},
    ControlTemplate{kLanguageList, ControlKind::kDropDownList, nullptr, 100, 15, 102, 61, kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 38, 43, 65, 16, kNoStyle},
    ControlTemplate{kCancelResult, ControlKind::kPushButton, "Cancel", 106, 43, 65, 16, kNoStyle},
};

constexpr DialogTemplate kTemplate{"Language", 209, 62, false, false, kControls, {}};

}  // namespace

std::span<const TranslationTable> LanguageWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kLanguageWindow};
    return tables;
}

const DialogTemplate& LanguageWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
