#include "lists/list_signature.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/list_finder.h"
#include "lists/signed_list.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "support/known_digests.h"
#include "support/scoped_environment.h"
#include "support/temporary_folder.h"
#include "support/throwaway_keyrings.h"

#ifdef TESSIK_HAVE_GPGME
#include <gpgme.h>
#endif

namespace tessik {
namespace {

using test::GpgInstalled;
using test::kMd5OfAbc;
using test::ThrowawayKeyrings;

std::vector<std::string> NamesRead(SignedList& list) {
    ChecksumListReader reader(list.Bytes(), "|");
    std::vector<std::string> names;
    for (ListLine line; reader.Next(line);) names.push_back(line.line.name);
    return names;
}

std::string Lines(std::initializer_list<const char*> names) {
    std::string text;
    for (const char* name : names) text += kMd5OfAbc + "  " + name + "\n";
    return text;
}

// One key for every case: making it is most of the test's time.
TEST(ListSignature, ChecksEachStateAgainstTheUsersKeyring) {
    if (!GpgInstalled()) GTEST_SKIP() << "gpg is not installed";
#ifndef TESSIK_HAVE_GPGME
    GTEST_SKIP() << "built without GPGME";
#endif
    const ThrowawayKeyrings keys;
    ASSERT_TRUE(keys.made());
    test::TemporaryFolder temp;
    const auto signedFile = [&](const char* name, const std::string& bytes,
                                const std::string& sign) {
        test::WriteBytes(temp.Native(name), bytes);
        EXPECT_TRUE(keys.Gpg(sign + " '" + temp.Native(name) + "'")) << name;
    };
    signedFile("good.sha256", Lines({"a", "b"}), "--detach-sign");
    signedFile("changed.md5", Lines({"a"}),
               "--armor --detach-sign -o '" + temp.Native("changed.md5.asc") + "'");
    test::WriteBytes(temp.Native("changed.md5"), Lines({"a", "x"}));
    signedFile(
        "expired.md5", Lines({"a"}),
        ("--faked-system-time " + ThrowawayKeyrings::DaysAgo(2) +
         " --default-sig-expire 1d --detach-sign -o '" + temp.Native("expired.md5.sign") + "'"));
    test::WriteBytes(temp.Native("clear.txt"), Lines({"a", "-dash"}));
    signedFile("clear.txt", Lines({"a", "-dash"}), "--clearsign");
    const std::string clearSigned = test::ReadBytes(temp.Native("clear.txt.asc"));
    test::WriteBytes(temp.Native("CHECKSUM"), Lines({"in front"}) + clearSigned + Lines({"after"}));
    std::string altered = clearSigned;
    altered.replace(altered.find("  a\n"), 4, "  z\n");
    test::WriteBytes(temp.Native("altered.sha256"), altered);
    test::WriteBytes(temp.Native("plain.md5"), Lines({"a"}));
    test::WriteBytes(temp.Native("other.md5"), Lines({"a"}));
    test::WriteBytes(temp.Native("other.md5.sig"), "untrusted comment: not OpenPGP\n");

    const struct {
        const char* list;
        const char* home;
        SignatureState state;
        bool named;  // the key is in the keyring, so its user id is known
        std::vector<std::string> names;
        SignatureProblem problem = SignatureProblem::kNone;
    } cases[] = {
        {"good.sha256", "signer", SignatureState::kGood, true, {"a", "b"}},
        {"changed.md5", "signer", SignatureState::kBad, true, {"a", "x"}},
        {"expired.md5", "signer", SignatureState::kExpired, true, {"a"}},
        {"good.sha256", "stranger", SignatureState::kUnknownKey, false, {"a", "b"}},
        {"CHECKSUM", "signer", SignatureState::kGood, true, {"a", "-dash"}},
        {"CHECKSUM", "stranger", SignatureState::kUnknownKey, false, {"a", "-dash"}},
        {"altered.sha256", "signer", SignatureState::kBad, true, {"z", "-dash"}},
        {"plain.md5", "signer", SignatureState::kUnsigned, false, {"a"}},
        {"other.md5",
         "signer",
         SignatureState::kNotChecked,
         false,
         {"a"},
         SignatureProblem::kNotASignature},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.list) + " in " + c.home);
        const test::ScopedEnvironment home("GNUPGHOME", keys.Home(c.home));
        SignedList list;
        ASSERT_EQ(list.Open(temp.U16(c.list)), ReadFailure::kNone);
        const SignatureCheck& check = list.Signature();
        EXPECT_EQ(check.state, c.state);
        EXPECT_EQ(check.problem, c.problem);
        EXPECT_EQ(FailsVerification(check), c.state == SignatureState::kBad);
        EXPECT_EQ(check.signer, c.named ? "List Signer <signer@example.org>" : "");
        EXPECT_EQ(check.keyCertified, c.named && c.state != SignatureState::kBad);
        const bool signedByKey =
            c.state != SignatureState::kUnsigned && c.problem == SignatureProblem::kNone;
        EXPECT_EQ(check.fingerprint, signedByKey ? keys.fingerprint() : "");
        EXPECT_EQ(NamesRead(list), c.names);
    }
    // A list found for a file tells its signature's state when asked to.
    test::WriteBytes(temp.Native("a"), "abc");
    FindOptions find;
    find.checkSignatures = true;
    const test::ScopedEnvironment home("GNUPGHOME", keys.Home("signer"));
    const FoundEntry found = FindListEntry(temp.U16("a"), find);
    EXPECT_EQ(found.listPath, temp.U16("changed.md5"));
    EXPECT_EQ(found.signature.state, SignatureState::kBad);
    // Asked to fetch unknown keys, GnuPG did not even start its network helper.
    EXPECT_FALSE(FileExists(FromNativePath(keys.Home("stranger") + "/S.dirmngr")));
}

// Without a GnuPG engine a signed list is read all the same, clear-signed or not, and its
// signature is not checked rather than good.
TEST(ListSignature, IsNotCheckedWithoutAnEngine) {
#ifdef TESSIK_HAVE_GPGME
    gpgme_check_version(nullptr);
    gpgme_engine_info_t engine = nullptr;
    ASSERT_EQ(gpgme_get_engine_info(&engine), GPG_ERR_NO_ERROR);
    while (engine != nullptr && engine->protocol != GPGME_PROTOCOL_OpenPGP) engine = engine->next;
    ASSERT_NE(engine, nullptr);
    const std::string program = engine->file_name;
    ASSERT_EQ(gpgme_set_engine_info(GPGME_PROTOCOL_OpenPGP, "/nonexistent/gpg", nullptr),
              GPG_ERR_NO_ERROR);
#endif
    test::TemporaryFolder temp;
    test::WriteBytes(temp.Native("SUMS"), Lines({"a"}));
    test::WriteBytes(temp.Native("SUMS.gpg"), "\x88\x75");
    test::WriteBytes(temp.Native("CHECKSUM"),
                     "-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\n" + Lines({"a"}) +
                         "-----BEGIN PGP SIGNATURE-----\n\n");
    for (const char* name : {"SUMS", "CHECKSUM"}) {
        SCOPED_TRACE(name);
        SignedList list;
        ASSERT_EQ(list.Open(temp.U16(name)), ReadFailure::kNone);
        EXPECT_EQ(list.Signature().state, SignatureState::kNotChecked);
        EXPECT_EQ(list.Signature().problem, SignatureProblem::kNoEngine);
        EXPECT_EQ(NamesRead(list), std::vector<std::string>{"a"});
    }
#ifdef TESSIK_HAVE_GPGME
    gpgme_set_engine_info(GPGME_PROTOCOL_OpenPGP, program.c_str(), nullptr);
#endif
}

}  // namespace
}  // namespace tessik
