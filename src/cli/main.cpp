// tessik-sum: the engines of Tessik on the command line. Everything it decides is in the
// functions it calls, which the tests call too.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/sum_options.h"
#include "cli/sum_program.h"
#include "cli/terminal_console.h"
#include "platform/path_encoding.h"
#include "platform/stdio_streams.h"

namespace {

int RunSumProgram(int argc, const char* const* argv) {
    tessik::UseBinaryStandardStreams();
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

}  // namespace

#ifdef _WIN32
// The arguments as the system holds them, UTF-16, taken to the bytes the rest of the program
// reads names in, losslessly: the code page would lose every letter it lacks.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        const std::wstring_view argument(argv[i]);
        arguments.push_back(tessik::ToNativePath(std::u16string(argument.begin(), argument.end())));
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    pointers.push_back(nullptr);
    return RunSumProgram(argc, pointers.data());
}
#else
int main(int argc, char** argv) {
    return RunSumProgram(argc, argv);
}
#endif
