#pragma once

#include "cli/console.h"
#include "cli/sum_options.h"

namespace tessik {

// Checks each list in turn; kExitFailure when any list could not be read or did not pass.
int CheckLists(const SumOptions& options, Console& console);

}  // namespace tessik
