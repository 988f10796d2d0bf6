#include "jobs/list_search_run.h"

#include <utility>

namespace tessik {

ListSearchRun::Work SearchingForList(ListSearch search) {
    return [search = std::move(search)](ListSearchRun::Context& run) {
        FindOptions options;
        options.preferred = search.preferred;
        options.checkSignatures = true;
        options.separator = search.separator;
        options.cancel = &run.StopFlag();
        FoundEntry found = FindListEntry(search.file, options);
        if (found.found) run.Deliver(std::move(found));
        return RunEnding{run.Stopping()};
    };
}

}  // namespace tessik
