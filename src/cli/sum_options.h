#pragma once
// The command line of tessik-sum, parsed once into plain values. Every rule about which options
// go together is settled here, so the commands never see a combination they cannot serve.

#include <string>
#include <vector>

#include "digest/algorithm_catalogue.h"
#include "lists/checksum_writer.h"

namespace tessik {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // a file failed, did not match or could not be read
inline constexpr int kExitUsage = 2;

// Said on standard error after a usage error.
inline constexpr char kUsageHint[] = "Try 'tessik-sum --help' for more information.";

// What files and texts are hashed with unless -a says otherwise, and what a list's digest of its
// length is checked with unless a tag or the list's name says otherwise.
const AlgorithmInfo& DefaultSumAlgorithm();

enum class SumCommand { kHashFiles, kHashText, kCheck, kListAlgorithms };

struct SumOptions {
    SumCommand command = SumCommand::kHashFiles;
    // Null when checking without -a: each line's tag, the list's name or its length decides.
    const AlgorithmInfo* algorithm = nullptr;
    // The others -a names, in its order: each file is read once for all of them, and its lines
    // are tagged.
    std::vector<const AlgorithmInfo*> alsoWith;
    LineFormat format;
    std::vector<std::string> operands;  // files, or lists with --check; "-" is standard input
    bool noOperands = false;            // none given: standard input stands in
    std::string text;                   // with kHashText
    bool crlfLineEnds = true;           // line breaks of the text, as the main window hashes them
    bool recursive = false;
    int workers = 1;
    bool progress = false;        // asked for; large files on a terminal show it anyway
    std::string separator = "|";  // of the folder window's lines in a list
    bool quiet = false;
    bool status = false;
    bool strict = false;  // lists read byte for byte, and improperly formatted lines fail
    bool warn = false;
    bool findNew = false;  // files below the names' folder that a list does not name fail
    bool ignoreMissing = false;
};

struct ParsedArguments {
    // Set when the command line asked for no work: the exit status, and what to print on
    // standard output (help, version) or standard error (a usage error, one line, which
    // kUsageHint follows).
    bool done = false;
    int exitStatus = kExitSuccess;
    std::string output;
    std::string error;
    SumOptions options;
};

ParsedArguments ParseSumArguments(int argc, const char* const* argv);

// The algorithm and the others -a names, in its order.
std::vector<const AlgorithmInfo*> AlgorithmsGiven(const SumOptions& options);

}  // namespace tessik
