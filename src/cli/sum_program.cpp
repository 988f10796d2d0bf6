#include "cli/sum_program.h"

#include <algorithm>

#include "cli/check_command.h"
#include "cli/hash_command.h"

namespace tessik {

int RunSum(const SumOptions& options, Console& console) {
    switch (options.command) {
        case SumCommand::kHashFiles:
            return HashFiles(options, console);
        case SumCommand::kHashText:
            return HashText(options, console);
        case SumCommand::kCheck:
            return CheckLists(options, console);
        case SumCommand::kListAlgorithms:
            return console.Write(AlgorithmListing()) ? kExitSuccess : kExitFailure;
    }
    return kExitUsage;
}

std::string AlgorithmListing() {
    std::size_t width = 0;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        width = std::max(width, algorithm.id.size());
    }
    std::string listing;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        listing.append(algorithm.id)
            .append(width + 2 - algorithm.id.size(), ' ')
            .append(algorithm.name)
            .append("\n");
    }
    return listing;
}

}  // namespace tessik
