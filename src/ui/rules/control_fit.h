#pragma once
// How a window's controls give way when its client area is not its template's size. Each axis
// is cut at every control edge into strips; a strip narrows only as far as every control and
// every gap across it allows: first the fields and the gaps (down to half, or to the window's
// margin where that is less), then the room a label or button has beyond its content. Columns
// that line up in the template still line up, no text is cut, and a window too large for its
// screen first gives up what its fields can spare. Room above the template size goes to the strips
// under fields, preferring those no button or list stands in, so buttons keep their size and move
// along instead.

#include <span>
#include <vector>

#include "ui/rules/dialog_units.h"

namespace tessik {

enum class Give {
    kRigid,     // a button, list or picture: never below its content, never grows
    kLoose,     // a label or check box: never below its content, harmless when wider
    kFlexible,  // a field, table or bar: its content scrolls or elides; gives and takes first
    kAside,     // placed along this axis by the window's own rules: takes no part, keeps its place
};

struct FitControl {
    PixelRect place;  // its template place, in pixels of the window's font
    PixelSize least;  // the smallest size that shows its content whole
    Give across = Give::kRigid;
    Give down = Give::kRigid;
};

struct FittedPlaces {
    std::vector<PixelRect> places;  // one per control, in the order given
    PixelSize client;               // the size they fill: as asked, but never below the least
};

struct ClientSizes {
    PixelSize natural;  // the template's, widened where a content needs more than its place
    PixelSize least;    // every control at its least size, every gap at half its template width
                        // or the window's margin, whichever is less
};
ClientSizes ClientSizesOf(std::span<const FitControl> controls, PixelSize templateClient);

// The places in a client area of the given size.
FittedPlaces FitControls(std::span<const FitControl> controls, PixelSize templateClient,
                         PixelSize client);

}  // namespace tessik
