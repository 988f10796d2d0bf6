#include "ui/language_window.h"

#include <array>

#include "ui/dialog_template.h"

namespace tessik {
namespace {

using namespace language_window;

constexpr TranslationEntry kLanguageWindow[] = {
    {"FrmLanguage.Caption", TextTarget::Title(), u"Select language"},
    {"FrmLanguage.m_LBLCurrentLanguage", TextTarget::Control(kLanguageLabel), u"Current language:"},
    {"FrmLanguage.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmLanguage.m_BTNCancel", TextTarget::Control(kCancelResult), u"Cancel"},
};

}  // namespace

std::span<const TranslationTable> LanguageWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kLanguageWindow};
    return tables;
}

}  // namespace tessik
