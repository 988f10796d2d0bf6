#include "ui/rules/control_fit.h"

#include <algorithm>
#include <cstdint>

namespace tessik {
namespace {

// One control seen along one axis: its extent there, its extent across, what it needs.
struct Extent {
    int start, end;
    int crossStart, crossEnd;
    int least;
    Give give;
};

// Edges [first, last] of the template whose distance must not fall below `least`: a control, a
// gap between two controls side by side, or a margin of the window.
struct Bound {
    std::size_t first, last;
    int least;
    bool early;  // gives way first: fields, gaps and the far margin
    bool rigid;  // never longer than in the template
};

using Positions = std::vector<int>;  // where each edge of the template lies, the first at 0

// True when c stands between a and b along the axis and beside both across it.
bool StandsBetween(const Extent& a, const Extent& b, const Extent& c) {
    const auto beside = [&](const Extent& e) {
        return c.crossStart < e.crossEnd && e.crossStart < c.crossEnd;
    };
    return &c != &a && &c != &b && a.end <= c.start && c.end <= b.start && beside(a) && beside(b);
}

// Every distance between two edges is a bound of its own, so each fitting is a set of edge
// positions, and the narrowest one that keeps the bounds is a longest path from the first edge.
class Axis {
  public:
    Axis(std::span<const Extent> extents, int templateLength) : extents_(extents) {
        edges_ = {0, templateLength};
        int nearest = templateLength;
        int farthest = 0;
        for (const Extent& e : extents) {
            edges_.push_back(e.start);
            edges_.push_back(e.end);
            nearest = std::min(nearest, e.start);
            farthest = std::max(farthest, e.end);
        }
        std::sort(edges_.begin(), edges_.end());
        edges_.erase(std::unique(edges_.begin(), edges_.end()), edges_.end());
        natural_.assign(edges_.begin(), edges_.end());
        if (!extents.empty()) Bind(extents, nearest, farthest, templateLength);
        fieldsGiven_ = Packed(false);
        least_ = Packed(true);
    }

    int Natural() const { return natural_.back(); }
    int Least() const { return least_.back(); }

    // Above the template's size the fields take the room; below it they give theirs up first,
    // then the labels and buttons theirs, each in proportion.
    Positions For(int length) const {
        if (length >= Natural()) return Grown(length);
        if (length >= fieldsGiven_.back()) return Between(natural_, fieldsGiven_, length);
        if (length > Least()) return Between(fieldsGiven_, least_, length);
        return least_;
    }

    int Place(const Positions& positions, int templateEdge) const {
        return positions[Edge(templateEdge)];
    }

  private:
    // The bounds of the controls, the gaps and the margins, ordered by their far edges, and the
    // natural positions widened where a content needs more than its template place.
    void Bind(std::span<const Extent> extents, int nearest, int farthest, int templateLength) {
        for (const Extent& e : extents) {
            bounds_.push_back({Edge(e.start), Edge(e.end), e.least, e.give == Give::kFlexible,
                               e.give == Give::kRigid});
        }
        for (const Extent& a : extents) {
            for (const Extent& b : extents) {
                if (&a == &b || a.end > b.start || a.crossStart >= b.crossEnd ||
                    b.crossStart >= a.crossEnd ||
                    std::any_of(extents.begin(), extents.end(),
                                [&](const Extent& c) { return StandsBetween(a, b, c); })) {
                    continue;
                }
                // Half of it, but no more room than the window's margin keeps.
                const int gap = b.start - a.end;
                bounds_.push_back(
                    {Edge(a.end), Edge(b.start), std::min((gap + 1) / 2, nearest), true, false});
            }
        }
        margin_ = Edge(nearest);
        bounds_.push_back({0, margin_, nearest, false, false});
        if (farthest < templateLength) {
            bounds_.push_back({Edge(farthest), Edge(templateLength),
                               std::min(nearest, templateLength - farthest), true, false});
        }
        // Content wider than its template place moves its far edge, and all after it, along.
        std::sort(bounds_.begin(), bounds_.end(),
                  [](const Bound& a, const Bound& b) { return a.last < b.last; });
        for (const Bound& bound : bounds_) {
            const int missing = bound.least - (natural_[bound.last] - natural_[bound.first]);
            if (missing <= 0) continue;
            for (std::size_t k = bound.last; k < natural_.size(); ++k) natural_[k] += missing;
        }
    }

    std::size_t Edge(int edge) const {
        return static_cast<std::size_t>(std::lower_bound(edges_.begin(), edges_.end(), edge) -
                                        edges_.begin());
    }

    // The narrowest fitting: with only the fields and gaps giving way, the labels and buttons at
    // their template sizes, or with everything giving way. Edges packed toward the first and
    // toward the last keep the bounds at the same length, and so does the way halfway between:
    // the room a narrow fitting has left over is spread, not all left at one end.
    Positions Packed(bool everything) const {
        const Positions near = PackedToward(everything, false);
        const Positions far = PackedToward(everything, true);
        Positions packed(near.size());
        for (std::size_t k = 0; k < near.size(); ++k) {
            packed[k] = near[k] + (far[k] - near[k]) / 2;
        }
        return packed;
    }

    // Every edge as near the first as the bounds allow, or as near the last at the length that
    // gives. A rigid control never grows, so its near edge follows its far one; since the natural
    // positions keep every bound, raising edges until all hold ends.
    Positions PackedToward(bool everything, bool last) const {
        const std::size_t n = natural_.size();
        // Toward the last edge, the edges are counted from it.
        const auto at = [&](std::size_t k) { return last ? n - 1 - k : k; };
        Positions packed(n, 0);
        const auto raise = [&](std::size_t from, int to) {
            bool raised = false;
            for (std::size_t k = from; k < n && packed[k] < to; ++k) {
                packed[k] = to;
                raised = true;
            }
            return raised;
        };
        for (bool raised = true; raised;) {
            raised = false;
            for (const Bound& bound : bounds_) {
                const int natural = natural_[bound.last] - natural_[bound.first];
                const int least = bound.early || everything ? bound.least : natural;
                const std::size_t nearEdge = std::min(at(bound.first), at(bound.last));
                const std::size_t farEdge = std::max(at(bound.first), at(bound.last));
                raised = raise(farEdge, packed[nearEdge] + least) || raised;
                if (bound.rigid) raised = raise(nearEdge, packed[farEdge] - natural) || raised;
            }
        }
        if (!last) return packed;
        Positions fromFirst(n);
        for (std::size_t k = 0; k < n; ++k) fromFirst[k] = packed[n - 1] - packed[at(k)];
        return fromFirst;
    }

    // Between two fittings that keep every bound, at the given length: so does this one, since
    // each distance is in between and rounding every position down keeps a whole distance whole.
    static Positions Between(const Positions& wide, const Positions& narrow, int length) {
        const std::int64_t span = wide.back() - narrow.back();
        const std::int64_t above = length - narrow.back();
        Positions between(wide.size());
        for (std::size_t k = 0; k < wide.size(); ++k) {
            const std::int64_t room = wide[k] - narrow[k];
            const std::int64_t scaled = room * above;
            between[k] = narrow[k] + static_cast<int>(scaled >= 0 ? scaled / span
                                                                  : -((-scaled + span - 1) / span));
        }
        return between;
    }

    // The room above the natural length goes to the strips that only fields and gaps stand in,
    // else to those under a field that no rigid control stands in, else to any under a field,
    // else to the far margin.
    Positions Grown(int length) const {
        std::vector<std::size_t> open, loose, underFields;
        for (std::size_t k = margin_; k + 1 < edges_.size(); ++k) {
            bool field = false, rigid = false, other = false;
            for (const Extent& e : extents_) {
                if (Edge(e.start) > k || k >= Edge(e.end)) continue;
                field = field || e.give == Give::kFlexible;
                rigid = rigid || e.give == Give::kRigid;
                other = other || e.give != Give::kFlexible;
            }
            if (!field) continue;
            (!other ? open : !rigid ? loose : underFields).push_back(k);
        }
        std::vector<std::size_t> chosen = !open.empty()    ? open
                                          : !loose.empty() ? loose
                                                           : underFields;
        if (chosen.empty()) {
            if (edges_.size() < 2) return natural_;
            chosen.push_back(edges_.size() - 2);
        }
        std::vector<std::int64_t> extra(edges_.size(), 0);
        std::int64_t weight = 0;
        for (std::size_t k : chosen) weight += std::max(1, natural_[k + 1] - natural_[k]);
        const std::int64_t room = length - Natural();
        std::int64_t given = 0;
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            const std::size_t k = chosen[i];
            const std::int64_t share =
                i + 1 == chosen.size() ? room - given
                                       : room * std::max(1, natural_[k + 1] - natural_[k]) / weight;
            extra[k + 1] = share;
            given += share;
        }
        Positions grown(natural_.size());
        std::int64_t moved = 0;
        for (std::size_t k = 0; k < grown.size(); ++k) {
            moved += extra[k];
            grown[k] = natural_[k] + static_cast<int>(moved);
        }
        return grown;
    }

    std::span<const Extent> extents_;
    std::vector<int> edges_;  // of the template, in order
    std::vector<Bound> bounds_;
    std::size_t margin_ = 0;  // the edges before it border the near margin
    Positions natural_, fieldsGiven_, least_;
};

std::vector<Extent> Across(std::span<const FitControl> controls) {
    std::vector<Extent> extents;
    for (const FitControl& c : controls) {
        if (c.across == Give::kAside) continue;
        extents.push_back({std::max(0, c.place.x), std::max(0, c.place.right()), c.place.y,
                           c.place.bottom(), c.least.width, c.across});
    }
    return extents;
}

std::vector<Extent> Down(std::span<const FitControl> controls) {
    std::vector<Extent> extents;
    for (const FitControl& c : controls) {
        if (c.down == Give::kAside) continue;
        extents.push_back({std::max(0, c.place.y), std::max(0, c.place.bottom()), c.place.x,
                           c.place.right(), c.least.height, c.down});
    }
    return extents;
}

}  // namespace

ClientSizes ClientSizesOf(std::span<const FitControl> controls, PixelSize templateClient) {
    const std::vector<Extent> across = Across(controls);
    const std::vector<Extent> down = Down(controls);
    const Axis x(across, templateClient.width);
    const Axis y(down, templateClient.height);
    return {{x.Natural(), y.Natural()}, {x.Least(), y.Least()}};
}

FittedPlaces FitControls(std::span<const FitControl> controls, PixelSize templateClient,
                         PixelSize client) {
    const std::vector<Extent> across = Across(controls);
    const std::vector<Extent> down = Down(controls);
    const Axis x(across, templateClient.width);
    const Axis y(down, templateClient.height);
    const Positions xs = x.For(client.width);
    const Positions ys = y.For(client.height);
    FittedPlaces fitted{{}, {xs.back(), ys.back()}};
    for (const FitControl& c : controls) {
        PixelRect place = c.place;
        if (c.across != Give::kAside) {
            place.x = x.Place(xs, std::max(0, c.place.x));
            place.width = x.Place(xs, std::max(0, c.place.right())) - place.x;
        }
        if (c.down != Give::kAside) {
            place.y = y.Place(ys, std::max(0, c.place.y));
            place.height = y.Place(ys, std::max(0, c.place.bottom())) - place.y;
        }
        fitted.places.push_back(place);
    }
    return fitted;
}

}  // namespace tessik
