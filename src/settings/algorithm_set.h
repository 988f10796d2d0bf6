#pragma once
// A choice of several algorithms, as the user ticks them for "All algorithms" and for the folder
// window: kept in the catalogue's order, whatever the order they were ticked in, and stored as
// their identifiers apart by commas.

#include <string>
#include <string_view>
#include <vector>

#include "digest/algorithm_catalogue.h"

namespace tessik {

// "md5,sha1, blake3": identifiers apart by commas, blanks around them aside. Identifiers this
// version does not know are passed over, so that a later version's do not cost the others; a
// value that names none it knows is every algorithm.
AlgorithmSet AlgorithmSetOf(std::string_view ids);
std::string IdsOf(const AlgorithmSet& algorithms);

}  // namespace tessik
