#include "jobs/list_run.h"

#include <utility>

#include "lists/names_folder.h"
#include "lists/unlisted_files.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"

namespace tessik {
namespace {

// The files the list does not name, as rows after its entries.
void DeliverNewFiles(const ListToCheck& list, ListRun::Context& run, ListRunEnding& ending) {
    const std::u16string folder = FullPath(list.listFolder);
    UnlistedOptions options;
    options.separator = list.separator;
    options.reading = list.reading;
    options.cancel = &run.StopFlag();
    const UnlistedFiles unlisted = FindUnlistedFiles(list.path, folder, options);
    ending.stopped = unlisted.cancelled;
    ending.foldersNotOpened = unlisted.foldersNotOpened;
    // The walk's paths start with the folder as given, its separator supplied where missing.
    const std::size_t below = folder.size() + (folder.ends_with(kPathSeparator) ? 0 : 1);
    for (const std::u16string& path : unlisted.paths) {
        VerifyResult row;
        row.status = VerifyStatus::kNew;
        row.name = ToListName(std::u16string_view(path).substr(below));
        run.Deliver(std::move(row));
    }
}

}  // namespace

ListRun::Work CheckingList(ListToCheck list) {
    return [list = std::move(list)](ListRun::Context& run) {
        ListRunEnding ending;
        SignedList file;
        ListBytes bytes = list.bytes;
        if (!list.path.empty()) {
            ending.openFailure = file.Open(list.path, list.signature);
            if (ending.openFailure != ReadFailure::kNone) return ending;
            ending.signature = file.Signature();
            bytes = file.Bytes();
        }
        ChecksumListReader reader(std::move(bytes), list.separator, list.reading, list.sfvList);
        VerifyOptions options;
        options.listFolder = list.listFolder;
        options.named = list.named;
        options.ofList = list.ofList;
        options.byDefault = list.byDefault;
        options.workers = list.workers;
        options.cancel = &run.StopFlag();
        options.progress = run.Progress().Reporter();
        bool missing = false;
        ending.stopped = !VerifyList(reader, options, [&](const VerifyResult& result) {
            missing = missing || result.status == VerifyStatus::kMissing;
            run.Deliver(result);
        });
        ending.listReadFailed = reader.ReadFailed();
        if (ending.stopped || list.path.empty()) return ending;
        if (list.lookForNamesFolder && missing) {
            ending.namesFolder = FolderTheNamesBelongTo(list.path, list.separator, list.reading);
        }
        if (list.findNew && !ending.listReadFailed) DeliverNewFiles(list, run, ending);
        return ending;
    };
}

}  // namespace tessik
