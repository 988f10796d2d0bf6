#include "ui/rules/algorithms_window.h"

#include <array>

#include "ui/rules/dialog_template.h"

namespace tessik {
namespace {

using namespace algorithms_window;

constexpr TranslationEntry kAlgorithmsWindow[] = {
    {"FrmAlgorithms.Caption", TextTarget::Title(), u"Several algorithms"},
    {"FrmAlgorithms.m_LBLPrompt", TextTarget::Control(kPromptLabel),
     u"Each file is read once for all the algorithms &ticked:"},
    {"FrmAlgorithms.m_BTNOk", TextTarget::Control(kOkResult), u"OK"},
    {"FrmAlgorithms.m_BTNCancel", TextTarget::Control(kCancelResult), u"Cancel"},
    {"FrmAlgorithms.m_acMColumnAlgorithm",
     TextTarget::Member(AlgorithmsMemberText::kColumnAlgorithm), u"Algorithm"},
    {"FrmAlgorithms.m_acMTable", TextTarget::Member(AlgorithmsMemberText::kTableName),
     u"Algorithms"},
};

// The prompt names the table below it.
constexpr std::array kControls = {
    ControlTemplate{kPromptLabel, ControlKind::kLabel, nullptr, 7, 7, 186, 20, kNoStyle},
    ControlTemplate{kTable, ControlKind::kTable, nullptr, 7, 29, 186, 170, kNoStyle},
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 58, 206, 65, 16, kNoStyle},
    ControlTemplate{kCancelResult, ControlKind::kPushButton, "Cancel", 128, 206, 65, 16, kNoStyle},
};

constexpr DialogTemplate kTemplate{"Several algorithms", 200, 229, false, false, kControls, {}};

}  // namespace

std::span<const TranslationTable> AlgorithmsWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kAlgorithmsWindow};
    return tables;
}

const DialogTemplate& AlgorithmsWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
