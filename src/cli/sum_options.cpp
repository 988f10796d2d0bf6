#include "cli/sum_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <optional>

#include "folder/ordered_file_hasher.h"
#include "lists/algorithm_choice.h"
#include "lists/checksum_line.h"

namespace tessik {
namespace {

constexpr char kDescription[] =
    "Prints or checks digests of files with any of Tessik's 36 algorithms.\n"
    "With no FILE, or when FILE is -, reads standard input.";

// A command line that asks for no work: what to print and the exit status.
ParsedArguments Answer(std::string output, std::string error = {}) {
    ParsedArguments parsed;
    parsed.done = true;
    parsed.exitStatus = error.empty() ? kExitSuccess : kExitUsage;
    parsed.output = std::move(output);
    parsed.error = std::move(error);
    return parsed;
}

ParsedArguments UsageError(std::string problem) {
    return Answer({}, std::move(problem));
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

// The range check alone would call "abc" a value out of range.
const CLI::Validator kWholeNumber(
    [](const std::string& value) -> std::string {
        const std::size_t digitsFrom = value.starts_with('-') || value.starts_with('+') ? 1 : 0;
        const bool number = value.size() > digitsFrom &&
                            std::all_of(value.begin() + static_cast<std::ptrdiff_t>(digitsFrom),
                                        value.end(), [](char c) { return c >= '0' && c <= '9'; });
        return number ? std::string() : "'" + value + "' is not a number";
    },
    "");

// "--separator=" asks for an empty value; the parser would take the next argument for it
// instead, so the option and its empty value become two arguments. After "--" all are files.
// Reversed and without the program's name, as the parser takes them.
std::vector<std::string> ParserArguments(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        std::string argument(argv[i]);
        if (argument == "--") options = false;
        const bool emptyValue = options && argument.starts_with("--") && argument.size() > 3 &&
                                argument.find('=') == argument.size() - 1;
        if (emptyValue) argument.pop_back();
        arguments.push_back(std::move(argument));
        if (emptyValue) arguments.emplace_back();
    }
    std::reverse(arguments.begin(), arguments.end());
    return arguments;
}

// What the command line says before it is settled into SumOptions.
struct Given {
    SumOptions options;
    std::string algorithm;
    std::string lineEnds = "crlf";
    bool list = false, tag = false, sfv = false, binary = false, textMode = false, zero = false,
         upper = false, check = false, text = false, algorithmGiven = false;
};

void Declare(CLI::App& app, Given& given) {
    SumOptions& options = given.options;
    app.add_option("-a,--algorithm", given.algorithm,
                   "algorithm by its identifier (--list shows them) or a common spelling "
                   "(sha256, SHA-256); several apart by commas; default sha2-256")
        ->each([&given](const std::string&) { given.algorithmGiven = true; })
        ->type_name("ID");
    app.add_flag("--list", given.list, "list the algorithms: identifier and name");
    auto* check = app.add_flag("-c,--check", given.check, "read checksum lists and check them");
    auto* tag = app.add_flag("--tag", given.tag, "write BSD-style lines: TAG (name) = digest");
    auto* sfv = app.add_flag("--sfv", given.sfv, "write SFV lines: name CRC (default -a crc32)");
    auto* binary = app.add_flag("-b,--binary", given.binary, "mark names with '*' (binary mode)");
    app.add_flag("-t,--text", given.textMode, "mark names with ' ' (text mode, the default)")
        ->excludes(binary);
    auto* zero = app.add_flag("-z,--zero", given.zero, "end each line with NUL, not newline");
    app.add_flag("--upper", given.upper, "upper-case hexadecimal digits");
    auto* recursive =
        app.add_flag("-r,--recursive", options.recursive, "hash the files below each folder");
    app.add_option("-j,--jobs", options.workers, "files hashed at once (default: the cores)")
        ->check(kWholeNumber)
        ->check(CLI::Range(1, 256))
        ->type_name("N");
    auto* text =
        app.add_option("-s,--string", options.text, "hash TEXT as the main window does, not files")
            ->each([&given](const std::string&) { given.text = true; });
    app.add_option("--line-ends", given.lineEnds, "line breaks in TEXT: crlf (default) or lf")
        ->check(CLI::IsMember({"crlf", "lf"}))
        ->type_name("crlf|lf")
        ->needs(text);
    app.add_flag("--progress", options.progress, "show bytes, percent and speed on stderr");
    app.add_option("--separator", options.separator,
                   "separator of the folder window's lines in a list (default |)")
        ->type_name("TEXT")
        ->needs(check);
    for (auto [name, flag, help] : {
             std::tuple{"--quiet", &options.quiet, "do not print OK for each file"},
             std::tuple{"--status", &options.status, "print nothing; the exit status tells"},
             std::tuple{"--strict", &options.strict,
                        "read lists byte for byte; fail on improperly formatted lines"},
             std::tuple{"--new", &options.findNew,
                        "list files below the folder that the list does not name, and fail"},
             std::tuple{"-w,--warn", &options.warn, "warn about improperly formatted lines"},
             std::tuple{"--ignore-missing", &options.ignoreMissing,
                        "do not fail or report for missing files"},
         }) {
        app.add_flag(name, *flag, help)->needs(check);
    }
    check->excludes(tag)->excludes(zero)->excludes(recursive)->excludes(binary);
    sfv->excludes(tag)->excludes(binary)->excludes(zero)->excludes(check);
    text->excludes(check)->excludes(recursive)->excludes(sfv);
    app.add_option("FILE", options.operands, "files, folders with -r, or lists with --check")
        ->type_name("");
    app.set_version_flag("--version", std::string("tessik-sum (Tessik) ") + TESSIK_VERSION);
    app.formatter(std::make_shared<PlainFormatter>());
    app.get_formatter()->column_width(24);
}

std::string KnownIdentifiers() {
    std::string known;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        known.append(known.empty() ? "" : ", ").append(algorithm.id);
    }
    return known;
}

// "md5,sha2-256,blake3": the first, and the others in their order. The first spelling that
// names none, when there is one.
std::optional<std::string> SettleAlgorithms(const std::string& spellings, SumOptions& options) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = std::min(spellings.find(',', from), spellings.size());
        const std::string spelling = spellings.substr(from, comma - from);
        const AlgorithmInfo* algorithm = AlgorithmNamed(spelling);
        if (algorithm == nullptr) return spelling;
        if (options.algorithm == nullptr) {
            options.algorithm = algorithm;
        } else {
            options.alsoWith.push_back(algorithm);
        }
        if (comma == spellings.size()) return std::nullopt;
        from = comma + 1;
    }
}

ParsedArguments Settled(Given given) {
    ParsedArguments parsed;
    SumOptions& options = given.options;
    if (given.list) {
        parsed.options.command = SumCommand::kListAlgorithms;
        return parsed;
    }
    if (given.algorithmGiven) {
        if (const auto unknown = SettleAlgorithms(given.algorithm, options)) {
            return UsageError("unknown algorithm '" + *unknown + "'; the known ones are " +
                              KnownIdentifiers() + " (--list names them)");
        }
    }
    const bool several = !options.alsoWith.empty();
    if (several && (given.check || given.sfv)) {
        return UsageError(std::string(given.check ? "--check" : "--sfv") + " takes one algorithm");
    }
    if (given.text) {
        if (!options.operands.empty()) return UsageError("--string takes no FILE");
        options.command = SumCommand::kHashText;
        options.crlfLineEnds = given.lineEnds == "crlf";
    } else if (given.check) {
        options.command = SumCommand::kCheck;
    }
    if (options.command != SumCommand::kCheck && options.algorithm == nullptr) {
        options.algorithm = given.sfv ? AlgorithmWithId("crc32") : &DefaultSumAlgorithm();
    }
    if (given.sfv && !FitsSfv(*options.algorithm)) {
        return UsageError("--sfv takes an algorithm of 8 hexadecimal digits, such as crc32");
    }
    options.noOperands = options.operands.empty();
    if (options.noOperands) options.operands.push_back("-");
    const LineStyle style = given.sfv              ? LineStyle::kSfv
                            : given.tag || several ? LineStyle::kBsd
                                                   : LineStyle::kGnu;
    options.format = LineFormat{style, given.binary, given.upper, given.zero ? '\0' : '\n'};
    parsed.options = std::move(options);
    return parsed;
}

}  // namespace

const AlgorithmInfo& DefaultSumAlgorithm() {
    return *AlgorithmWithId("sha2-256");
}

std::vector<const AlgorithmInfo*> AlgorithmsGiven(const SumOptions& options) {
    std::vector<const AlgorithmInfo*> algorithms = {options.algorithm};
    algorithms.insert(algorithms.end(), options.alsoWith.begin(), options.alsoWith.end());
    return algorithms;
}

ParsedArguments ParseSumArguments(int argc, const char* const* argv) {
    CLI::App app(kDescription, "tessik-sum");
    Given given;
    given.options.workers = DefaultWorkerCount();
    Declare(app, given);
    try {
        app.parse(ParserArguments(argc, argv));
    } catch (const CLI::CallForHelp&) {
        return Answer(app.help());
    } catch (const CLI::CallForVersion& version) {
        return Answer(std::string(version.what()) + "\n");
    } catch (const CLI::Error& error) {
        return UsageError(error.what());
    }
    return Settled(std::move(given));
}

}  // namespace tessik
