#include "cli/check_command.h"

#include "cli/check_report.h"
#include "cli/follow_run.h"
#include "cli/list_input.h"
#include "cli/progress_meter.h"
#include "cli/quoted_name.h"
#include "jobs/list_run.h"
#include "lists/algorithm_choice.h"
#include "platform/path_encoding.h"

namespace tessik {

int CheckLists(const SumOptions& options, Console& console) {
    int status = kExitSuccess;
    ProgressMeter meter(console, options.progress ? 0 : kAutomaticProgressBytes);
    ProgressMeter* const shown = options.progress || console.ErrorIsTerminal() ? &meter : nullptr;
    for (const std::string& list : options.operands) {
        ListInput input(list, console);
        if (!input.IsOpen()) {
            console.Error(QuotedName(list) + ": " + input.Problem());
            status = kExitFailure;
            continue;
        }
        // Names are taken from the current folder, as the standard tools take them, so that
        // scripts written for them work unchanged.
        ListToCheck check;
        check.bytes = input.Bytes();
        check.separator = options.separator;
        if (list != "-") {
            check.ofList = AlgorithmOfListName(FromNativePath(list));
            check.sfvList = IsSfvListName(FromNativePath(list));
        }
        check.named = options.algorithm;
        // So that tessik-sum FILE | tessik-sum -c checks what the first one wrote.
        check.byDefault = &DefaultSumAlgorithm();
        check.workers = options.workers;
        // Names the algorithm in its warnings as the standard tools name theirs.
        const AlgorithmInfo* listed = check.named != nullptr    ? check.named
                                      : check.ofList != nullptr ? check.ofList
                                                                : check.byDefault;
        ListRun run;
        if (!run.Start(CheckingList(std::move(check)))) {
            console.Error("cannot start a thread");
            return kExitFailure;
        }
        CheckReport report(input.DisplayName(), *listed, options, console);
        bool outputGone = false;
        const ListRunEnding ending = FollowRun(run, shown, [&](const VerifyResult& result) {
            if (outputGone || report.Add(result)) return;
            outputGone = true;
            run.Stop();
        });
        if (outputGone) return kExitFailure;
        if (ending.listReadFailed) {
            console.Error(QuotedName(input.DisplayName()) + ": " + input.Problem());
            status = kExitFailure;
        } else if (!report.Finish()) {
            status = kExitFailure;
        }
    }
    return status;
}

}  // namespace tessik
