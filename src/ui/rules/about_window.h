#pragma once
// The About window as data, free of Qt: its template, control ids and texts.

#include <span>

#include "settings/translation_tables.h"
#include "ui/rules/dialog_template.h"

namespace tessik {
namespace about_window {

enum ControlId : int {
    kMailField = 1012,
    kWebSiteField = 1013,
    kTitleLabel = 1015,
    kVersionLabel = 1016,
    kLegalLabel = 1017,
    kDescriptionLabel = 1018,
    kPicture = 1019,
    // The labels of the credit rows for the languages we ship.
    kGermanLabel = 1020,
    kFrenchLabel = 1025,
    kSpanishLabel = 1027,
};

// The credit rows, top to bottom; a row without a label has kNoLabel.
inline constexpr int kNoLabel = -1;
inline constexpr int kCreditLabels[] = {kGermanLabel, kFrenchLabel, kSpanishLabel, 1029, 1034,
                                        1036,         kNoLabel,     1051,          1053, 1059};
inline constexpr int kCreditFields[] = {1023, 1026, 1028, 1030, 1035, 1037, 1055, 1052, 1054, 1060};

}  // namespace about_window

enum class AboutMemberText {
    kVersion,  // %1: the version
    kWebSite,  // names of the two address fields for assistive tools
    kMail,
};

// The window's tables in the order they are applied.
std::span<const TranslationTable> AboutWindowTables();

// The window as its back ends build it.
const DialogTemplate& AboutWindowTemplate();

}  // namespace tessik
