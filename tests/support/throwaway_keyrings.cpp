#include "support/throwaway_keyrings.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace tessik::test {
namespace {

bool Shell(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string ShellOutput(const std::string& command) {
    std::string output;
    if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, got);
        ::pclose(pipe);
    }
    return output;
}

}  // namespace

ThrowawayKeyrings::ThrowawayKeyrings() {
    MakeFolder(temp_.Native("signer"));
    MakeFolder(temp_.Native("stranger"));
    WriteBytes(temp_.Native("stranger/gpg.conf"),
               "auto-key-retrieve\nkeyserver hkp://127.0.0.1:9\n");
    made_ = Gpg("--faked-system-time " + DaysAgo(3) +
                " --passphrase '' --quick-gen-key 'List Signer <signer@example.org>' ed25519 "
                "sign never");
    const std::string colons = ShellOutput(Env("signer") + "gpg --with-colons -K 2>/dev/null");
    const std::size_t fpr = colons.find("\nfpr:::::::::");
    if (fpr != std::string::npos) fingerprint_ = colons.substr(fpr + 13, 40);
}

ThrowawayKeyrings::~ThrowawayKeyrings() {
    Shell(Env("signer") + "gpgconf --kill all");
    Shell(Env("stranger") + "gpgconf --kill all");
}

bool ThrowawayKeyrings::Gpg(const std::string& arguments) const {
    return Shell(Env("signer") + "gpg --batch --yes " + arguments);
}

std::string ThrowawayKeyrings::DaysAgo(int days) {
    return std::to_string(std::time(nullptr) - days * 86400) + "!";
}

std::string ThrowawayKeyrings::Env(const char* which) const {
    return "GNUPGHOME='" + Home(which) + "' ";
}

bool GpgInstalled() {
    return Shell("gpg --version");
}

}  // namespace tessik::test
