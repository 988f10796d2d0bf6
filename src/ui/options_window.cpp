#include "ui/options_window.h"

#include <array>

#include "ui/dialog_template.h"

namespace tessik {
namespace {

using namespace options_window;

constexpr TranslationEntry kOptionsWindow[] = {
    {"FrmOptions.Caption", TextTarget::Title(), u"Options"},
    {"FrmOptions.m_LBLSeparator", TextTarget::Control(kSeparatorLabel), u"Separator"},
    {"FrmOptions.m_LBLFont", TextTarget::Control(kFontLabel), u"Font"},
    {"FrmOptions.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmOptions.m_BTNCancel", TextTarget::Control(kCancelResult), u"Cancel"},
    {"FrmOptions.m_LBLLineEnds", TextTarget::Control(kLineEndsLabel), u"Line ends in typed text"},
    {"FrmOptions.m_acMCrLf", TextTarget::Member(OptionsMemberText::kCrLf), u"CR LF"},
    {"FrmOptions.m_acMLf", TextTarget::Member(OptionsMemberText::kLf), u"LF"},
    {"FrmOptions.m_acMSeparatorMarkup", TextTarget::Member(OptionsMemberText::kSeparatorMarkup),
     u"The separator cannot contain < or >."},
    {"FrmOptions.m_acMSeparatorLineBreak",
     TextTarget::Member(OptionsMemberText::kSeparatorLineBreak),
     u"The separator cannot contain a line break."},
    {"FrmOptions.m_acMSeparatorTooLong", TextTarget::Member(OptionsMemberText::kSeparatorTooLong),
     u"The separator can be at most 256 characters long."},
    {"FrmOptions.m_BTNResetSeparator", TextTarget::ToolTip(kSeparatorResetButton),
     u"Back to the default separator"},
    {"FrmOptions.m_BTNResetFont", TextTarget::ToolTip(kFontResetButton),
     u"Back to the default font"},
};

}  // namespace

std::span<const TranslationTable> OptionsWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kOptionsWindow};
    return tables;
}

}  // namespace tessik
