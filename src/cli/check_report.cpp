#include "cli/check_report.h"

#include "cli/quoted_name.h"
#include "lists/checksum_writer.h"
#include "settings/read_failure_words.h"

namespace tessik {
namespace {

std::string_view SignatureProblemWords(const SignatureCheck& signature) {
    switch (signature.problem) {
        case SignatureProblem::kNoEngine:
            return "GnuPG is not available";
        case SignatureProblem::kNotASignature:
            return "GnuPG found no signature it can check";
        case SignatureProblem::kUnreadable:
            return "the list or its signature could not be read";
        case SignatureProblem::kEngineFailed:
            return signature.detail.empty() ? std::string_view("GnuPG failed")
                                            : std::string_view(signature.detail);
        case SignatureProblem::kNone:
        case SignatureProblem::kNotAsked:
            break;
    }
    return "not asked for";
}

std::string Candidates(const std::vector<const AlgorithmInfo*>& candidates) {
    std::string names;
    for (const AlgorithmInfo* algorithm : candidates) {
        if (!names.empty()) names += ", ";
        names += algorithm->id;
    }
    return names;
}

}  // namespace

CheckReport::CheckReport(std::string_view listName, const AlgorithmInfo& listed,
                         const SumOptions& options, Console& console)
    : listName_(QuotedName(listName)), listed_(listed), options_(options), console_(console) {}

bool CheckReport::Add(const VerifyResult& result) {
    const std::string name = NameForReport(result.name);
    const std::string where = listName_ + ": " + std::to_string(result.lineNumber) + ": ";
    switch (result.status) {
        case VerifyStatus::kOk:
            ++matched_;
            return options_.quiet || Print(name, "OK");
        case VerifyStatus::kFailed:
            ++mismatched_;
            return Print(name, "FAILED");
        case VerifyStatus::kMissing:
            if (options_.ignoreMissing) {
                ++missingIgnored_;
                return true;
            }
            [[fallthrough]];
        case VerifyStatus::kUnreadable:
            ++unread_;
            console_.Error(QuotedName(result.name) + ": " +
                           std::string(WordsFor(result.failure).toolWords));
            return Print(name, "FAILED open or read");
        case VerifyStatus::kMalformed:
            ++malformed_;
            if (options_.warn && !options_.status) {
                console_.Error(where + "improperly formatted " + std::string(listed_.listTag) +
                               " checksum line");
            }
            return true;
        case VerifyStatus::kAmbiguous:
            ++ambiguous_;
            if (!options_.status) {
                console_.Error(where + "the digest fits " + Candidates(result.candidates) +
                               "; choose one with -a");
            }
            return true;
        case VerifyStatus::kNew:
            ++new_;
            return Print(name, "NEW");
    }
    return true;
}

bool CheckReport::Signature(const SignatureCheck& signature) {
    const std::string by = " from " +
                           (signature.signer.empty() ? "an unknown signer" : signature.signer) +
                           ", key " + signature.fingerprint;
    std::string said;
    switch (signature.state) {
        case SignatureState::kUnsigned:
            return true;
        case SignatureState::kGood:
            said = "good signature" + by;
            if (!signature.keyCertified) said += " (your keyring does not certify the key)";
            break;
        case SignatureState::kBad:
            said = "BAD signature" + by + ": the list was changed after it was signed";
            break;
        case SignatureState::kUnknownKey:
            said =
                "signature not checked: key " + signature.fingerprint + " is not in your keyring";
            break;
        case SignatureState::kExpired:
            said = "expired signature" + by;
            break;
        case SignatureState::kRevoked:
            said = "signature" + by + ", which was revoked";
            break;
        case SignatureState::kNotChecked:
            said = "signature not checked: " + std::string(SignatureProblemWords(signature));
            break;
    }
    if (!options_.status) console_.Error(listName_ + ": " + said);
    return !FailsVerification(signature);
}

void CheckReport::FoldersNotSearched(std::size_t count) {
    foldersNotSearched_ += count;
}

bool CheckReport::Finish() {
    const std::uint64_t entries = matched_ + mismatched_ + unread_ + missingIgnored_ + ambiguous_;
    if (entries == 0) {
        console_.Error(listName_ + ": no properly formatted checksum lines found");
        return false;
    }
    if (!options_.status) {
        Warn(malformed_, "line is improperly formatted", "lines are improperly formatted");
        Warn(unread_, "listed file could not be read", "listed files could not be read");
        Warn(mismatched_, "computed checksum did NOT match", "computed checksums did NOT match");
        Warn(ambiguous_, "line fits several algorithms and was not checked",
             "lines fit several algorithms and were not checked");
        Warn(new_, "file is not in the list", "files are not in the list");
        Warn(foldersNotSearched_, "folder could not be searched for new files",
             "folders could not be searched for new files");
    }
    const bool verifiedAny = matched_ + mismatched_ + unread_ > 0;
    if (options_.ignoreMissing && !verifiedAny) {
        console_.Error(listName_ + ": no file was verified");
        return false;
    }
    return mismatched_ == 0 && unread_ == 0 && ambiguous_ == 0 && new_ == 0 &&
           foldersNotSearched_ == 0 && !(options_.strict && malformed_ > 0);
}

bool CheckReport::Print(const std::string& name, std::string_view verdict) {
    if (options_.status) return true;
    return console_.Write(NameForOutput(name, console_.OutputIsTerminal()) + ": " +
                          std::string(verdict) + "\n");
}

void CheckReport::Warn(std::uint64_t count, std::string_view one, std::string_view many) {
    if (count == 0) return;
    console_.Error("WARNING: " + std::to_string(count) + " " +
                   std::string(count == 1 ? one : many));
}

}  // namespace tessik
