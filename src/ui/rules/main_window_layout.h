#pragma once
// How the main window's controls follow its client area: the bottom rows hang from the bottom
// edge, the string field takes the vertical slack, the fields stretch to 6 pixels from the right
// edge and the buttons on the right keep 6 pixels from it. The algorithm list, the lowercase box
// and the three upper labels never move. The progress bar and the Cancel button of a file hash
// take the places of the result field and the hash-file button.

#include <array>
#include <map>

#include "ui/rules/dialog_units.h"
#include "ui/rules/main_window.h"

namespace tessik {

// The controls that follow the edges, in the order they are moved.
inline constexpr std::array kEdgeFollowingControls = {
    main_window::kCopyButton,     main_window::kCompareButton,    main_window::kCaseSensitiveBox,
    main_window::kExpectedField,  main_window::kExpectedLabel,    main_window::kResultField,
    main_window::kResultLabel,    main_window::kHashStringButton, main_window::kStringField,
    main_window::kHashFileButton, main_window::kBrowseButton,     main_window::kFileNameField,
    main_window::kProgressBar,    main_window::kCancelHashButton};

// The controls besides those that follow the edges whose places decide how small the window
// may be.
inline constexpr std::array kSizingControls = {
    main_window::kAlgorithmLabel, main_window::kAlgorithmList, main_window::kFileNameLabel,
    main_window::kStringLabel, main_window::kLowercaseBox};

// The controls the rules place across at any size, from the right edge or the centre: the
// fitting of the other controls leaves them aside.
inline constexpr std::array<int, 6> kRightHandControls = {
    main_window::kBrowseButton,     main_window::kHashFileButton, main_window::kCancelHashButton,
    main_window::kHashStringButton, main_window::kCopyButton,     main_window::kCompareButton};

// Below the template's width a button the rules place gives up the room it has beyond its text in
// step with the window: the whole template width from the natural client width up, only what its
// text needs at the least.
int RightHandButtonWidth(int templateWidth, int leastWidth, int clientWidth, int leastClientWidth,
                         int naturalClientWidth);

// Client-area rectangles keyed by control id.
using ControlGeometry = std::map<int, PixelRect>;

// Moves and stretches the controls for a client area of the given size, each rule reading the
// positions of controls moved before it. Nothing moves unless all the controls that follow
// the edges are in the map (the window is still being built). A size of 0 or less stands for the
// minimum.
void LayOutMainWindow(ControlGeometry& controls, int clientWidth, int clientHeight);

// The smallest client area that holds the controls, given at their template places, without
// overlap: the controls that never move keep their places, the buttons on the right keep clear
// of the labels, and the string field keeps its template height.
PixelSize MinimumClientSize(const ControlGeometry& templatePlaces);

}  // namespace tessik
