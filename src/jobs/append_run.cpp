#include "jobs/append_run.h"

#include <utility>

namespace tessik {

AppendRun::Work AddingFiles(FilesToAdd files) {
    return [files = std::move(files)](AppendRun::Context& run) {
        AppendOptions options;
        options.separator = files.separator;
        options.algorithm = files.algorithm;
        options.workers = files.workers;
        options.cancel = &run.StopFlag();
        options.progress = run.Progress().Reporter();
        return AddFilesToList(files.listPath, files.folder, files.files, options);
    };
}

}  // namespace tessik
