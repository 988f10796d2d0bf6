#pragma once

#include "cli/console.h"
#include "cli/sum_options.h"

namespace tessik {

// Runs the command the options name and returns the exit status.
int RunSum(const SumOptions& options, Console& console);

// "identifier  name" per algorithm, in the catalogue's order, the names in one column.
std::string AlgorithmListing();

}  // namespace tessik
