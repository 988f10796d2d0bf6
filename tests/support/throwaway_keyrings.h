#pragma once
// GnuPG homes in a temporary folder for the tests of signed lists: one with a throwaway signing
// key, made three days in the past so that a signature can be made as of yesterday and have
// expired, and one with an empty keyring whose configuration asks for unknown keys to be
// fetched. The tests point GNUPGHOME at either.

#include <string>

#include "support/temporary_folder.h"

namespace tessik::test {

class ThrowawayKeyrings {
  public:
    ThrowawayKeyrings();
    ~ThrowawayKeyrings();
    ThrowawayKeyrings(const ThrowawayKeyrings&) = delete;
    ThrowawayKeyrings& operator=(const ThrowawayKeyrings&) = delete;

    bool made() const { return made_ && fingerprint_.size() == 40; }
    // Upper-case hexadecimal, as GnuPG shows it.
    const std::string& fingerprint() const { return fingerprint_; }
    // "signer" or "stranger".
    std::string Home(const char* which) const { return temp_.Native(which); }
    // Runs gpg with the signing key's home.
    bool Gpg(const std::string& arguments) const;
    // GnuPG's --faked-system-time for that many days ago.
    static std::string DaysAgo(int days);

  private:
    std::string Env(const char* which) const;

    TemporaryFolder temp_;
    bool made_ = false;
    std::string fingerprint_;
};

// Whether a gpg program is there to make keys with.
bool GpgInstalled();

}  // namespace tessik::test
