#pragma once
// What a check of one list prints, as the standard tools print it: "name: OK", "name: FAILED",
// "name: FAILED open or read" on standard output, and "name: NEW" for a file the list does not
// name; causes, the list's signature and the closing warnings on standard error, each as
// --quiet, --status and --warn ask. Names on standard error are quoted (see QuotedName).

#include <cstdint>
#include <string>

#include "cli/console.h"
#include "cli/sum_options.h"
#include "lists/list_signature.h"
#include "lists/verify_job.h"

namespace tessik {

class CheckReport {
  public:
    // `listName` names the list in messages, and `listed` the algorithm of its lines in the
    // warning about a line that is none.
    CheckReport(std::string_view listName, const AlgorithmInfo& listed, const SumOptions& options,
                Console& console);

    // False once standard output is gone.
    bool Add(const VerifyResult& result);
    // The list's signature, unless it has none. False when it fails the list.
    bool Signature(const SignatureCheck& signature);
    // The search for new files could not list that many folders, which fails the list.
    void FoldersNotSearched(std::size_t count);
    // The closing warnings. True when the list passed: every entry checked and matched (files
    // missing aside with --ignore-missing), at least one entry, no new file and, with
    // --strict, no malformed line.
    bool Finish();

  private:
    bool Print(const std::string& name, std::string_view verdict);
    void Warn(std::uint64_t count, std::string_view one, std::string_view many);

    const std::string listName_;  // quoted
    const AlgorithmInfo& listed_;
    const SumOptions& options_;
    Console& console_;
    std::uint64_t matched_ = 0;
    std::uint64_t mismatched_ = 0;
    std::uint64_t unread_ = 0;
    std::uint64_t missingIgnored_ = 0;
    std::uint64_t malformed_ = 0;
    std::uint64_t ambiguous_ = 0;
    std::uint64_t new_ = 0;
    std::uint64_t foldersNotSearched_ = 0;
};

}  // namespace tessik
