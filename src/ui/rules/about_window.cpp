#include "ui/rules/about_window.h"

#include <array>

#include "ui/rules/about_box.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace {

using namespace about_window;

constexpr TranslationEntry kAboutWindow[] = {
    {"FrmAbout.Caption", TextTarget::Title(), u"Info"},
    {"FrmAbout.m_LBLVersion", TextTarget::Member(AboutMemberText::kVersion), u"Version %1"},
    {"FrmAbout.m_LBLLegal", TextTarget::Control(kLegalLabel),
     u"Copyright the Tessik authors, MIT licence"},
    {"FrmAbout.m_LBLDescription", TextTarget::Control(kDescriptionLabel),
     u"Digests of texts, files and whole folders with 36 algorithms, from MD2 to BLAKE3"},
    {"FrmAbout.m_LBLGerman", TextTarget::Control(kGermanLabel), u"German by:"},
    {"FrmAbout.m_LBLFrench", TextTarget::Control(kFrenchLabel), u"French by:"},
    {"FrmAbout.m_LBLSpanish", TextTarget::Control(kSpanishLabel), u"Spanish by:"},
    {"FrmAbout.m_acMWebSite", TextTarget::Member(AboutMemberText::kWebSite), u"Web site"},
    {"FrmAbout.m_acMMail", TextTarget::Member(AboutMemberText::kMail), u"Mail"},
};

// Every edit row of the window is a link field.
constexpr ControlTemplate LinkField(int id, int x, int y, int width) {
    return {id, ControlKind::kEdit, nullptr, x, y, width, 12, kReadOnly};
}
constexpr ControlTemplate CreditLabel(int id, int y) {
    return {id, ControlKind::kLabel, nullptr, 130, y, 70, 10, kNoStyle};
}
constexpr ControlTemplate CreditField(int id, int y) {
    return LinkField(id, 204, y, 195);
}
constexpr ControlTemplate InfoLabel(int id, int y, int height) {
    return {id, ControlKind::kLabel, nullptr, 130, y, 270, height, kNoStyle};
}

constexpr std::array kControls = {
    ControlTemplate{kOkResult, ControlKind::kDefaultPushButton, "OK", 172, 203, 65, 16,
                    kCentreText},
    ControlTemplate{-1, ControlKind::kPanel, nullptr, 0, 0, 410, 198, kNoStyle},
    ControlTemplate{-1, ControlKind::kIcon, nullptr, 5, 5, 20, 20, kNoStyle},
    ControlTemplate{kPicture, ControlKind::kPicture, ":/tessik/about@2x.png", 5, 31, 107, 61,
                    kNoStyle},
    InfoLabel(kTitleLabel, 5, 10),
    InfoLabel(kVersionLabel, 20, 10),
    InfoLabel(kLegalLabel, 30, 10),
    InfoLabel(kDescriptionLabel, 40, 20),
    CreditLabel(kCreditLabels[0], 65),
    CreditField(kCreditFields[0], 65),
    CreditLabel(kCreditLabels[1], 78),
    CreditField(kCreditFields[1], 78),
    CreditLabel(kCreditLabels[2], 91),
    CreditField(kCreditFields[2], 91),
    CreditLabel(kCreditLabels[3], 104),
    CreditField(kCreditFields[3], 104),
    CreditLabel(kCreditLabels[4], 117),
    CreditField(kCreditFields[4], 117),
    CreditLabel(kCreditLabels[5], 130),
    CreditField(kCreditFields[5], 130),
    CreditField(kCreditFields[6], 143),
    CreditLabel(kCreditLabels[7], 156),
    CreditField(kCreditFields[7], 156),
    CreditLabel(kCreditLabels[8], 169),
    CreditField(kCreditFields[8], 169),
    CreditLabel(kCreditLabels[9], 182),
    CreditField(kCreditFields[9], 182),
    LinkField(kWebSiteField, 3, 100, 125),
    LinkField(kMailField, 3, 115, 125),
};

static_assert(std::size(kCreditLabels) == kCreditRowCount &&
              std::size(kCreditFields) == kCreditRowCount);

constexpr DialogTemplate kTemplate{"Info", 410, 223, false, false, kControls, {}};

}  // namespace

std::span<const TranslationTable> AboutWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kAboutWindow};
    return tables;
}

const DialogTemplate& AboutWindowTemplate() {
    return kTemplate;
}

}  // namespace tessik
