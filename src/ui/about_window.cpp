#include "ui/about_window.h"

#include <array>

#include "ui/dialog_template.h"

namespace tessik {
namespace {

using namespace about_window;

constexpr TranslationEntry kAboutWindow[] = {
    {"FrmAbout.Caption", TextTarget::Title(), u"Info"},
    {"FrmAbout.m_LBLVersion", TextTarget::Member(AboutMemberText::kVersion), u"Version %1"},
    {"FrmAbout.m_LBLLegal", TextTarget::Control(kLegalLabel),
     u"Copyright the Tessik authors, MIT licence"},
    {"FrmAbout.m_LBLDescription", TextTarget::Control(kDescriptionLabel),
     u"Digests of texts, files and whole folders with 25 algorithms, from MD2 to SHA-3"},
    {"FrmAbout.m_LBLGerman", TextTarget::Control(kGermanLabel), u"German by:"},
    {"FrmAbout.m_LBLFrench", TextTarget::Control(kFrenchLabel), u"French by:"},
    {"FrmAbout.m_LBLSpanish", TextTarget::Control(kSpanishLabel), u"Spanish by:"},
    {"FrmAbout.m_acMWebSite", TextTarget::Member(AboutMemberText::kWebSite), u"Web site"},
    {"FrmAbout.m_acMMail", TextTarget::Member(AboutMemberText::kMail), u"Mail"},
};

}  // namespace

std::span<const TranslationTable> AboutWindowTables() {
    static const std::array<TranslationTable, 1> tables = {kAboutWindow};
    return tables;
}

}  // namespace tessik
