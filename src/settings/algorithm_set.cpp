#include "settings/algorithm_set.h"

#include <algorithm>

namespace tessik {
namespace {

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

AlgorithmSet AlgorithmSetOf(std::string_view ids) {
    std::vector<std::string_view> named;
    for (std::size_t from = 0; from <= ids.size();) {
        const std::size_t comma = std::min(ids.find(',', from), ids.size());
        named.push_back(Trimmed(ids.substr(from, comma - from)));
        from = comma + 1;
    }
    AlgorithmSet set;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        if (std::find(named.begin(), named.end(), algorithm.id) != named.end()) {
            set.push_back(&algorithm);
        }
    }
    return set.empty() ? EveryAlgorithm() : set;
}

std::string IdsOf(const AlgorithmSet& algorithms) {
    std::string ids;
    for (const AlgorithmInfo* algorithm : algorithms) {
        ids.append(ids.empty() ? "" : ",").append(algorithm->id);
    }
    return ids;
}

}  // namespace tessik
