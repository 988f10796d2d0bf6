#include "jobs/list_run.h"

#include <utility>

namespace tessik {

ListRun::Work CheckingList(ListToCheck list) {
    return [list = std::move(list)](ListRun::Context& run) {
        ChecksumListReader reader(list.bytes, list.separator, list.reading, list.sfvList);
        VerifyOptions options;
        options.listFolder = list.listFolder;
        options.named = list.named;
        options.ofList = list.ofList;
        options.byDefault = list.byDefault;
        options.workers = list.workers;
        options.cancel = &run.StopFlag();
        options.progress = run.Progress().Reporter();
        ListRunEnding ending;
        ending.stopped =
            !VerifyList(reader, options, [&](const VerifyResult& result) { run.Deliver(result); });
        ending.listReadFailed = reader.ReadFailed();
        return ending;
    };
}

}  // namespace tessik
