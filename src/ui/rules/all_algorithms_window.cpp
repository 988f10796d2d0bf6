#include "ui/rules/all_algorithms_window.h"

#include <array>

#include "ui/rules/dialog_template.h"
#include "ui/rules/progress_text.h"

namespace tessik {
namespace {

using namespace all_algorithms_window;
using Text = AllAlgorithmsMemberText;

constexpr TranslationEntry kAllAlgorithmsWindow[] = {
    {"FrmAllAlgorithms.Caption", TextTarget::Title(), u"All algorithms"},
    {"FrmAllAlgorithms.m_LBLFile", TextTarget::Control(kFileLabel), u"&File"},
    {"FrmAllAlgorithms.m_BTNBrowse", TextTarget::ToolTip(kBrowseButton), u"Choose another file"},
    {"FrmAllAlgorithms.m_LBLExpected", TextTarget::Control(kExpectedLabel),
     u"&Expected HASH value"},
    {"FrmAllAlgorithms.m_BTNHash", TextTarget::Control(kHashButton), u"&Hash"},
    {"FrmAllAlgorithms.m_BTNCancel", TextTarget::Control(kCancelButton), u"Cancel"},
    {"FrmAllAlgorithms.m_BTNCopy", TextTarget::Control(kCopyButton), u"&Copy"},
    {"FrmAllAlgorithms.m_BTNCopyAll", TextTarget::Control(kCopyAllButton), u"Copy &all"},
    {"FrmAllAlgorithms.m_BTNClose", TextTarget::Control(kOkResult), u"Close"},
    {"FrmAllAlgorithms.m_acMColumnAlgorithm", TextTarget::Member(Text::kColumnAlgorithm),
     u"Algorithm"},
    {"FrmAllAlgorithms.m_acMColumnHash", TextTarget::Member(Text::kColumnHash), u"HASH value"},
    {"FrmAllAlgorithms.m_acMMatch", TextTarget::Member(Text::kMatch),
     u"The expected value is the HASH of: %1"},
    {"FrmAllAlgorithms.m_acMNoMatch", TextTarget::Member(Text::kNoMatch),
     u"None of the ticked algorithms gives the expected value."},
    {"FrmAllAlgorithms.m_acMTable", TextTarget::Member(Text::kTableName), u"Algorithms"},
};

// The table lists every algorithm, each with a box that ticks it; the match is said under it.
constexpr std::array kControls = {
    ControlTemplate{kFileLabel, ControlKind::kLabel, "File", 7, 9, 90, 12, kNoStyle},
    ControlTemplate{kFileField, ControlKind::kEdit, nullptr, 100, 7, 268, 14, kBorder},
    ControlTemplate{kBrowseButton, ControlKind::kPushButton, "...", 372, 6, 22, 15, kNoStyle},
    ControlTemplate{kExpectedLabel, ControlKind::kLabel, "Expected HASH value", 7, 27, 90, 12,
                    kNoStyle},
    ControlTemplate{kExpectedField, ControlKind::kEdit, nullptr, 100, 25, 294, 14, kBorder},
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 44, 387, 150, kNoStyle},
    ControlTemplate{kMatchLabel, ControlKind::kLabel, nullptr, 7, 197, 387, 11, kCentreVertically},
    ControlTemplate{kProgressBar, ControlKind::kProgressBar, nullptr, 7, 211, 387, 12, kHidden},
    ControlTemplate{kHashButton, ControlKind::kDefaultPushButton, "Hash", 7, 228, 80, 16, kNoStyle},
    ControlTemplate{kCancelButton, ControlKind::kPushButton, "Cancel", 7, 228, 80, 16, kHidden},
    ControlTemplate{kCopyButton, ControlKind::kPushButton, "Copy", 94, 228, 80, 16, kNoStyle},
    ControlTemplate{kCopyAllButton, ControlKind::kPushButton, "Copy all", 181, 228, 80, 16,
                    kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kPushButton, "Close", 314, 228, 80, 16, kNoStyle},
};

constexpr DialogTemplate kTemplate{"All algorithms", 401, 250, false, false, kControls, {}};

}  // namespace

std::span<const TranslationTable> AllAlgorithmsWindowTables() {
    static const std::array<TranslationTable, 2> tables = {kAllAlgorithmsWindow,
                                                           ProgressDisplayTexts()};
    return tables;
}

const DialogTemplate& AllAlgorithmsWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
