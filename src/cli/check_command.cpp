#include "cli/check_command.h"

#include <optional>

#include "cli/check_report.h"
#include "cli/follow_run.h"
#include "cli/list_input.h"
#include "cli/progress_meter.h"
#include "cli/quoted_name.h"
#include "jobs/list_run.h"
#include "lists/algorithm_choice.h"
#include "platform/path_encoding.h"
#include "settings/read_failure_words.h"

namespace tessik {
namespace {

// A regular file is opened by the run, which checks its signature; standard input and pipes
// (tessik-sum -c <(...)) are read as they come, unsigned.
bool IsListFile(const std::string& list) {
    InputFile probe;
    return list != "-" && probe.Open(FromNativePath(list)) != ReadFailure::kNotRegularFile;
}

}  // namespace

int CheckLists(const SumOptions& options, Console& console) {
    int status = kExitSuccess;
    ProgressMeter meter(console, options.progress ? 0 : kAutomaticProgressBytes);
    ProgressMeter* const shown = options.progress || console.ErrorIsTerminal() ? &meter : nullptr;
    for (const std::string& list : options.operands) {
        const bool listFile = IsListFile(list);
        std::optional<ListInput> input;
        // Names are taken from the current folder, as the standard tools take them, so that
        // scripts written for them work unchanged.
        ListToCheck check;
        if (listFile) {
            check.path = FromNativePath(list);
            check.findNew = options.findNew;
        } else if (input.emplace(list, console); !input->IsOpen()) {
            console.Error(QuotedName(list) + ": " + input->Problem());
            status = kExitFailure;
            continue;
        } else {
            check.bytes = input->Bytes();
        }
        check.separator = options.separator;
        if (list != "-") {
            check.ofList = AlgorithmOfListName(FromNativePath(list));
            check.sfvList = IsSfvListName(FromNativePath(list));
        }
        check.named = options.algorithm;
        // So that tessik-sum FILE | tessik-sum -c checks what the first one wrote.
        check.byDefault = &DefaultSumAlgorithm();
        check.reading = options.strict ? ListReading::kStrict : ListReading::kLenient;
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
        const std::string name = listFile ? list : input->DisplayName();
        CheckReport report(name, *listed, options, console);
        bool outputGone = false;
        const ListRunEnding ending = FollowRun(run, shown, [&](const VerifyResult& result) {
            if (outputGone || report.Add(result)) return;
            outputGone = true;
            run.Stop();
        });
        if (outputGone) return kExitFailure;
        if (ending.openFailure != ReadFailure::kNone) {
            console.Error(QuotedName(name) + ": " +
                          std::string(WordsFor(ending.openFailure).toolWords));
            status = kExitFailure;
            continue;
        }
        bool passed = report.Signature(ending.signature);
        if (ending.listReadFailed) {
            console.Error(QuotedName(name) + ": " +
                          (listFile ? std::string(WordsFor(ReadFailure::kIoError).toolWords)
                                    : input->Problem()));
            passed = false;
        } else {
            if (options.findNew && !listFile) {
                console.Error(QuotedName(name) + ": --new needs a list file to find new files");
                passed = false;
            }
            report.FoldersNotSearched(ending.foldersNotOpened);
            passed = report.Finish() && passed;
        }
        if (!passed) status = kExitFailure;
    }
    return status;
}

}  // namespace tessik
