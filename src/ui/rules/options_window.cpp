#include "ui/rules/options_window.h"

#include <array>

#include "ui/rules/dialog_template.h"

namespace tessik {
namespace {

using namespace options_window;

constexpr TranslationEntry kOptionsWindow[] = {
    {"FrmOptions.Caption", TextTarget::Title(), u"Options"},
    {"FrmOptions.m_LBLSeparator", TextTarget::Control(kSeparatorLabel), u"&Separator"},
    {"FrmOptions.m_LBLFont", TextTarget::Control(kFontLabel), u"&Font"},
    {"FrmOptions.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmOptions.m_BTNCancel", TextTarget::Control(kCancelResult), u"Cancel"},
    {"FrmOptions.m_LBLLineEnds", TextTarget::Control(kLineEndsLabel), u"Line &ends in typed text"},
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
    {"FrmOptions.m_CHKLookForLists", TextTarget::Control(kLookForListsBox),
     u"Expected value from a checksum &list beside the file"},
};

// The labels' column is wide enough for the line ends' label in every shipped language.
constexpr std::array kControls = {
    ControlTemplate{kSeparatorLabel, ControlKind::kLabel, "Separator", 7, 15, 120, 13, kNoStyle},
    ControlTemplate{kSeparatorField, ControlKind::kEdit, nullptr, 131, 12, 23, 14, kBorder},
    ControlTemplate{kSeparatorResetButton, ControlKind::kPushButton, "<", 161, 11, 20, 16,
                    kNoStyle},
    ControlTemplate{kFontLabel, ControlKind::kLabel, "Font", 7, 40, 120, 12, kNoStyle},
    ControlTemplate{kFontButton, ControlKind::kPushButton, "Font", 131, 38, 103, 16, kNoStyle},
    ControlTemplate{kFontResetButton, ControlKind::kPushButton, "<", 241, 38, 20, 16, kNoStyle},
    ControlTemplate{kLineEndsLabel, ControlKind::kLabel, "Line ends in typed text", 7, 65, 120, 12,
                    kNoStyle},
    ControlTemplate{kLineEndsList, ControlKind::kDropDownList, nullptr, 131, 63, 103, 40, kNoStyle},
    ControlTemplate{kLookForListsBox, ControlKind::kCheckBox,
                    "Expected value from a checksum list beside the file", 7, 84, 256, 18,
                    kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 66, 108, 65, 16, kNoStyle},
    ControlTemplate{kCancelResult, ControlKind::kPushButton, "Cancel", 139, 108, 65, 16, kNoStyle},
};

constexpr DialogTemplate kTemplate{"Options", 270, 130, false, false, kControls, {}};

}  // namespace

std::span<const TranslationTable> OptionsWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kOptionsWindow};
    return tables;
}

const DialogTemplate& OptionsWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
