// tessik-sum: the engines of Tessik on the command line. Everything it decides is in the
// functions it calls, which the tests call too.

#include <cstdio>

#include "cli/sum_options.h"
#include "cli/sum_program.h"
#include "cli/terminal_console.h"

int main(int argc, char** argv) {
    const tessik::ParsedArguments parsed = tessik::ParseSumArguments(argc, argv);
    tessik::TerminalConsole console;
    if (parsed.done) {
        // Help that never arrived is a failure like any other lost output.
        if (!console.Write(parsed.output) || !console.Flush()) return tessik::kExitFailure;
        if (!parsed.error.empty()) {
            console.Error(parsed.error);
            std::fprintf(stderr, "%s\n", tessik::kUsageHint);
        }
        return parsed.exitStatus;
    }
    int status = tessik::RunSum(parsed.options, console);
    if (!console.Flush()) status = tessik::kExitFailure;
    return status;
}
