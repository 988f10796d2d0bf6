#include "cli/sum_options.h"

#include <CLI/CLI.hpp>
#include <thread>

#include "lists/checksum_line.h"

namespace tessik {
namespace {

constexpr char kDescription[] =
    "Prints or checks digests of files with any of Tessik's 25 algorithms.\n"
    "With no FILE, or when FILE is -, reads standard input.";

ParsedArguments UsageError(std::string problem) {
    ParsedArguments parsed;
    parsed.done = true;
    parsed.exitStatus = kExitUsage;
    parsed.error = std::move(problem);
    return parsed;
}

// Each option with its value's name only: which options go together is said by the errors, and
// spelled out in the help it only crowds the lines.
class PlainFormatter : public CLI::Formatter {
  public:
    std::string make_option_opts(const CLI::Option* option) const override {
        // The type name comes with the check's own wording after a colon.
        const std::string type = option->get_type_name();
        return type.empty() ? "" : " " + type.substr(0, type.find(':'));
    }
};

int DefaultWorkers() {
    return static_cast<int>(std::max(1U, std::thread::hardware_concurrency()));
}

}  // namespace

ParsedArguments ParseSumArguments(int argc, const char* const* argv) {
    CLI::App app(kDescription, "tessik-sum");
    SumOptions options;
    options.workers = DefaultWorkers();
    std::string algorithm;
    std::string lineEnds = "crlf";
    bool list = false, tag = false, binary = false, textMode = false, zero = false, upper = false,
         check = false;

    app.add_option("-a,--algorithm", algorithm,
                   "algorithm by its identifier (--list shows them); default sha2-256")
        ->type_name("ID");
    app.add_flag("--list", list, "list the algorithms: identifier and name");
    auto* checkOption = app.add_flag("-c,--check", check, "read checksum lists and check them");
    auto* tagOption = app.add_flag("--tag", tag, "write BSD-style lines: TAG (name) = digest");
    auto* binaryOption = app.add_flag("-b,--binary", binary, "mark names with '*' (binary mode)");
    app.add_flag("-t,--text", textMode, "mark names with ' ' (text mode, the default)")
        ->excludes(binaryOption);
    auto* zeroOption = app.add_flag("-z,--zero", zero, "end each line with NUL, not newline");
    app.add_flag("--upper", upper, "upper-case hexadecimal digits");
    auto* recursiveOption =
        app.add_flag("-r,--recursive", options.recursive, "hash the files below each folder");
    app.add_option("-j,--jobs", options.workers, "files hashed at once (default: the cores)")
        ->check(CLI::Range(1, 256))
        ->type_name("N");
    auto* textOption =
        app.add_option("-s,--string", options.text, "hash TEXT as the main window does, not files");
    app.add_option("--line-ends", lineEnds, "line breaks in TEXT: crlf (default) or lf")
        ->check(CLI::IsMember({"crlf", "lf"}))
        ->type_name("crlf|lf")
        ->needs(textOption);
    app.add_flag("--progress", options.progress, "show bytes, percent and speed on stderr");
    app.add_option("--separator", options.separator,
                   "separator of the folder window's lines in a list (default |)")
        ->type_name("TEXT")
        ->needs(checkOption);
    for (auto [name, flag, help] : {
             std::tuple{"--quiet", &options.quiet, "do not print OK for each file"},
             std::tuple{"--status", &options.status, "print nothing; the exit status tells"},
             std::tuple{"--strict", &options.strict, "fail on improperly formatted lines"},
             std::tuple{"-w,--warn", &options.warn, "warn about improperly formatted lines"},
             std::tuple{"--ignore-missing", &options.ignoreMissing,
                        "do not fail or report for missing files"},
         }) {
        app.add_flag(name, *flag, help)->needs(checkOption);
    }
    checkOption->excludes(tagOption)
        ->excludes(zeroOption)
        ->excludes(recursiveOption)
        ->excludes(binaryOption);
    textOption->excludes(checkOption)->excludes(recursiveOption);
    app.add_option("FILE", options.operands, "files, folders with -r, or lists with --check")
        ->type_name("");
    app.formatter(std::make_shared<PlainFormatter>());
    app.get_formatter()->column_width(24);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        ParsedArguments parsed;
        parsed.done = true;
        parsed.output = app.help();
        return parsed;
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }

    if (list) {
        ParsedArguments parsed;
        parsed.options.command = SumCommand::kListAlgorithms;
        return parsed;
    }
    if (!algorithm.empty()) {
        options.algorithm = AlgorithmWithTag(algorithm);
        if (options.algorithm == nullptr) {
            return UsageError("unknown algorithm '" + algorithm + "' (--list shows them)");
        }
    }
    if (textOption->count() > 0) {
        if (!options.operands.empty()) return UsageError("--string takes no FILE");
        options.command = SumCommand::kHashText;
        options.crlfLineEnds = lineEnds == "crlf";
    } else if (check) {
        options.command = SumCommand::kCheck;
    }
    if (options.command != SumCommand::kCheck && options.algorithm == nullptr) {
        options.algorithm = AlgorithmWithTag("sha2-256");
    }
    if (options.operands.empty()) options.operands.push_back("-");
    options.format =
        LineFormat{tag ? LineStyle::kBsd : LineStyle::kGnu, binary, upper, zero ? '\0' : '\n'};
    ParsedArguments parsed;
    parsed.options = std::move(options);
    return parsed;
}

}  // namespace tessik
