#include "cli/check_command.h"

#include <atomic>

#include "cli/check_report.h"
#include "cli/list_input.h"
#include "cli/progress_meter.h"
#include "cli/quoted_name.h"
#include "lists/algorithm_choice.h"
#include "lists/verify_job.h"
#include "platform/path_encoding.h"

namespace tessik {

int CheckLists(const SumOptions& options, Console& console) {
    int status = kExitSuccess;
    std::atomic<bool> outputGone{false};
    ProgressMeter meter(console, options.progress ? 0 : kAutomaticProgressBytes);
    for (const std::string& list : options.operands) {
        ListInput input(list, console);
        if (!input.IsOpen()) {
            console.Error(QuotedName(list) + ": " + input.Problem());
            status = kExitFailure;
            continue;
        }
        // Names are taken from the current folder, as the standard tools take them, so that
        // scripts written for them work unchanged.
        VerifyOptions verify;
        if (list != "-") verify.ofList = AlgorithmOfListName(FromNativePath(list));
        verify.named = options.algorithm;
        // So that tessik-sum FILE | tessik-sum -c checks what the first one wrote.
        verify.byDefault = &DefaultSumAlgorithm();
        verify.workers = options.workers;
        verify.cancel = &outputGone;
        if (options.progress || console.ErrorIsTerminal()) {
            verify.progress = [&meter](const std::u16string& path, std::uint64_t done,
                                       std::uint64_t total) { meter.Report(path, done, total); };
        }
        ChecksumListReader reader(input.Bytes(), options.separator);
        // Names the algorithm in its warnings as the standard tools name theirs.
        const AlgorithmInfo* listed = verify.named != nullptr    ? verify.named
                                      : verify.ofList != nullptr ? verify.ofList
                                                                 : verify.byDefault;
        CheckReport report(input.DisplayName(), *listed, options, console);
        VerifyList(reader, verify, [&](const VerifyResult& result) {
            if (!report.Add(result)) outputGone = true;
        });
        meter.Clear();
        if (outputGone) return kExitFailure;
        if (reader.ReadFailed()) {
            console.Error(QuotedName(input.DisplayName()) + ": " + input.Problem());
            status = kExitFailure;
        } else if (!report.Finish()) {
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace tessik
