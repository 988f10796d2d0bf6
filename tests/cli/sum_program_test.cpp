#include "cli/sum_program.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/hash_command.h"
#include "cli/progress_meter.h"
#include "cli/string_console.h"
#include "support/known_digests.h"
#include "support/scoped_environment.h"
#include "support/system_call_faults.h"
#include "support/temporary_folder.h"
#include "support/throwaway_keyrings.h"
#include "support/windows_skips.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
using test::kMd5OfNothing;
using test::kSha1OfAbc;
// FIPS 180's SHA-256 of "abc".
const std::string kSha256OfAbc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";

struct Outcome {
    int status;
    std::string output;
    std::string errors;
};

// The current folder for one scope.
class InFolder {
  public:
    explicit InFolder(const std::string& folder) { std::filesystem::current_path(folder); }
    ~InFolder() { std::filesystem::current_path(previous_); }

  private:
    const std::filesystem::path previous_ = std::filesystem::current_path();
};

// Runs the command line in-process, in the folder, with the input as standard input; with
// `terminals`, all three streams are terminals.
Outcome Sum(const std::string& folder, std::vector<const char*> arguments, std::string input = {},
            bool terminals = false) {
    arguments.insert(arguments.begin(), "tessik-sum");
    const ParsedArguments parsed =
        ParseSumArguments(static_cast<int>(arguments.size()), arguments.data());
    if (parsed.done) return {parsed.exitStatus, parsed.output, parsed.error};
    test::StringConsole console;
    console.input = std::move(input);
    console.terminal = console.outputTerminal = console.inputTerminal = terminals;
    const InFolder in(folder);
    return {RunSum(parsed.options, console), console.output, console.errors};
}

// A command line and all it should come to.
struct Expected {
    const char* what;
    std::vector<const char*> arguments;
    int status;
    std::string output;
    std::string errors;
};

class SumProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteBytes(temp_.Native("abc"), "abc");
        test::WriteBytes(temp_.Native("empty"), "");
        test::MakeFolder(temp_.Native("sub"));
        test::WriteBytes(temp_.Native("sub/.hidden"), "abc");
        test::WriteBytes(temp_.Native("sub/z"), "");
    }
    Outcome In(std::vector<const char*> arguments, std::string input = {}, bool terminals = false) {
        return Sum(temp_.path(), std::move(arguments), std::move(input), terminals);
    }
    void List(const std::string& name, const std::string& text) {
        test::WriteBytes(temp_.Native(name), text);
    }
    // Each case with the same standard input.
    void Check(const std::vector<Expected>& cases, const std::string& input) {
        for (const Expected& c : cases) {
            SCOPED_TRACE(c.what);
            const Outcome run = In(c.arguments, input);
            EXPECT_EQ(run.status, c.status);
            EXPECT_EQ(run.output, c.output);
            EXPECT_EQ(run.errors, c.errors);
        }
    }
    test::TemporaryFolder temp_;
};

TEST_F(SumProgram, HashesFilesFoldersAndInputInTheOrderGiven) {
    const std::string tree = "sub/.hidden  " + kMd5OfAbc + "\n";
    std::string known;
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        known.append(known.empty() ? "; the known ones are " : ", ").append(algorithm.id);
    }
    known += " (--list names them)";
    const struct {
        std::vector<const char*> arguments;
        int status;
        std::string output;
        std::string errors = {};
    } cases[] = {
        {{"abc"}, 0, kSha256OfAbc + "  abc\n"},
        {{"-a", "md5", "abc", "-", "empty"},
         0,
         kMd5OfAbc + "  abc\n" + kMd5OfAbc + "  -\n" + kMd5OfNothing + "  empty\n"},
        {{"-a", "MD5", "--tag", "--upper", "abc"},
         0,
         "MD5 (abc) = 900150983CD24FB0D6963F7D28E17F72\n"},
        {{"-a", "md5", "-r", "-j", "2", "sub", "abc"},
         0,
         kMd5OfAbc + "  sub/.hidden\n" + kMd5OfNothing + "  sub/z\n" + kMd5OfAbc + "  abc\n"},
        {{"-a", "md5", "missing", "abc", "sub"},
         1,
         kMd5OfAbc + "  abc\n",
         "tessik-sum: missing: No such file or directory\ntessik-sum: sub: Is a directory\n"},
        {{"-s", "abc", "-a", "md5"}, 0, kMd5OfAbc + "\n"},
        {{"-a", "nonesuch"}, 2, "", "unknown algorithm 'nonesuch'" + known},
        {{"-a", "md5,sha1", "abc", "-"},
         0,
         "MD5 (abc) = " + kMd5OfAbc + "\nSHA1 (abc) = " + kSha1OfAbc + "\nMD5 (-) = " + kMd5OfAbc +
             "\nSHA1 (-) = " + kSha1OfAbc + "\n"},
        {{"-a", "sha1,md5", "-j", "1", "missing", "abc"},
         1,
         "SHA1 (abc) = " + kSha1OfAbc + "\nMD5 (abc) = " + kMd5OfAbc + "\n",
         "tessik-sum: missing: No such file or directory\n"},
        {{"-s", "abc", "-a", "md5,sha-1"}, 0, kMd5OfAbc + "\n" + kSha1OfAbc + "\n"},
        {{"-a", "md5,", "abc"}, 2, "", "unknown algorithm ''" + known},
        {{"-a", "md5,bogus,sha1", "abc"}, 2, "", "unknown algorithm 'bogus'" + known},
        {{"-c", "-a", "md5,sha1"}, 2, "", "--check takes one algorithm"},
        {{"--sfv", "-a", "crc32,crc32c"}, 2, "", "--sfv takes one algorithm"},
        {{"--quiet", "abc"}, 2, "", "--quiet requires --check"},
        {{"-c", "--tag"}, 2, "", "--check excludes --tag"},
        {{"-s", "x", "abc"}, 2, "", "--string takes no FILE"},
        {{"-j", "0", "abc"}, 2, "", "--jobs: Value 0 not in range 1 to 256"},
        {{"-j", "abc", "abc"}, 2, "", "--jobs: 'abc' is not a number"},
        {{"-a", "SHA-256", "abc"}, 0, kSha256OfAbc + "  abc\n"},
        {{"--algorithm=sha-1", "--tag", "abc"},
         0,
         "SHA1 (abc) = a9993e364706816aba3e25717850c26c9cd0d89d\n"},
        {{"--version"}, 0, "tessik-sum (Tessik) " TESSIK_VERSION "\n"},
        {{"--algorithm=", "abc"}, 2, "", "unknown algorithm ''" + known},
        {{"--sfv", "abc", "-"}, 0, "abc 352441C2\n- 352441C2\n"},
        {{"--sfv", "-a", "md5", "abc"},
         2,
         "",
         "--sfv takes an algorithm of 8 hexadecimal digits, such as crc32"},
        {{"-a", "xxh3", "abc"}, 0, "XXH3 (abc) = 78af5f94892f3950\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        const Outcome run = In(c.arguments, "abc");
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.output, c.output);
        EXPECT_EQ(run.errors, c.errors);
    }
}

// Many files on four workers come out in the order given, the same as on one.
TEST_F(SumProgram, KeepsTheOrderGivenOnSeveralWorkers) {
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i) {
        names.push_back("n" + std::to_string(i));
        test::WriteBytes(temp_.Native(names.back()),
                         std::string(static_cast<std::size_t>(i * 997 % 50000), 'q'));
    }
    std::vector<const char*> one = {"-j", "1"}, four = {"-j", "4"};
    for (const std::string& name : names) {
        one.push_back(name.c_str());
        four.push_back(name.c_str());
    }
    const Outcome sequential = In(one);
    const Outcome parallel = In(four);
    EXPECT_EQ(parallel.output, sequential.output);
    EXPECT_EQ(std::count(parallel.output.begin(), parallel.output.end(), '\n'), 200);
    EXPECT_EQ(parallel.output.find("n0\n"), 66U);
}

TEST_F(SumProgram, ChecksListsAsTheStandardToolsDo) {
    List("good.md5", kMd5OfAbc + "  abc\n" + kMd5OfNothing + "  empty\n");
    List("bad.md5", kMd5OfAbc + "  abc\n" + kMd5OfAbc + "  empty\n" + "junk\n" + kMd5OfAbc +
                        "  gone\n" + kMd5OfAbc + "  sub\n");
    List("plain", kMd5OfAbc + "  abc\n");
    List("junk", "junk\n");
    List("missing.md5", kMd5OfAbc + "  gone\n");
    Check(
        {
            {"all match", {"-c", "good.md5"}, 0, "abc: OK\nempty: OK\n", ""},
            {"each outcome",
             {"-c", "bad.md5"},
             1,
             "abc: OK\nempty: FAILED\ngone: FAILED open or read\nsub: FAILED open or read\n",
             "tessik-sum: gone: No such file or directory\n"
             "tessik-sum: sub: Is a directory\n"
             "tessik-sum: WARNING: 1 line is improperly formatted\n"
             "tessik-sum: WARNING: 2 listed files could not be read\n"
             "tessik-sum: WARNING: 1 computed checksum did NOT match\n"},
            {"quiet", {"-c", "--quiet", "good.md5"}, 0, "", ""},
            {"status",
             {"-c", "--status", "bad.md5"},
             1,
             "",
             "tessik-sum: gone: No such file or directory\ntessik-sum: sub: Is a directory\n"},
            {"warn",
             {"-c", "--warn", "--status", "junk"},
             1,
             "",
             "tessik-sum: junk: no properly formatted checksum lines found\n"},
            {"strict",
             {"-c", "--strict", "--quiet", "-a", "md5", "bad.md5", "junk"},
             1,
             "empty: FAILED\ngone: FAILED open or read\nsub: FAILED open or read\n",
             "tessik-sum: gone: No such file or directory\n"
             "tessik-sum: sub: Is a directory\n"
             "tessik-sum: WARNING: 1 line is improperly formatted\n"
             "tessik-sum: WARNING: 2 listed files could not be read\n"
             "tessik-sum: WARNING: 1 computed checksum did NOT match\n"
             "tessik-sum: junk: no properly formatted checksum lines found\n"},
            {"ignore missing",
             {"-c", "--ignore-missing", "missing.md5"},
             1,
             "",
             "tessik-sum: missing.md5: no file was verified\n"},
            {"ambiguous",
             {"-c", "plain"},
             1,
             "",
             "tessik-sum: plain: 1: the digest fits md2, md4, md5, xxh128; choose one with -a\n"
             "tessik-sum: WARNING: 1 line fits several algorithms and was not checked\n"},
            {"named", {"-c", "-a", "md5", "plain"}, 0, "abc: OK\n", ""},
            {"named, other length",
             {"-c", "-a", "sha1", "plain"},
             1,
             "",
             "tessik-sum: plain: no properly formatted checksum lines found\n"},
            {"no such list",
             {"-c", "nolist", "good.md5"},
             1,
             "abc: OK\nempty: OK\n",
             "tessik-sum: nolist: No such file or directory\n"},
            {"standard input", {"-c", "-a", "md5"}, 0, "abc: OK\n", ""},
        },
        kMd5OfAbc + "  abc\r\n");
}

// Every folder the walk cannot list is named with its cause, in its place among the files, and
// fails the run as an unreadable file does.
TEST_F(SumProgram, NamesEachFolderItCannotListAndFails) {
    test::MakeFolder(temp_.Native("sub/locked"));
    test::WriteBytes(temp_.Native("sub/locked/x"), "abc");
    const test::UnreadableFolder locked(temp_.Native("sub/locked"));
    const Outcome run = In({"-a", "md5", "-r", "sub", "abc"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              kMd5OfAbc + "  sub/.hidden\n" + kMd5OfNothing + "  sub/z\n" + kMd5OfAbc + "  abc\n");
    EXPECT_EQ(run.errors, "tessik-sum: sub/locked: cannot list the folder: Permission denied\n");
}

// What tessik-sum writes, it checks without being told the algorithm; so does a list of the
// standard tool's lines under any name, clear-signed or not, and the warnings name the
// algorithm as the standard tools do.
TEST_F(SumProgram, ReadsBackItsOwnLinesAndNamesTheListsAlgorithm) {
    const Outcome written = In({"abc", "empty"});
    ASSERT_EQ(written.status, 0);
    List("CHECKSUM", "-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\n" + written.output +
                         "-----BEGIN PGP SIGNATURE-----\n\niQEzBAEBCAAdFiEE\n=Ab0c\n"
                         "-----END PGP SIGNATURE-----\n");
    List("bad.md5", "junk\n" + kMd5OfAbc + "  abc\n");
    List("bad.txt", "junk\n" + written.output);
    Check(
        {
            {"piped", {"-c"}, 0, "abc: OK\nempty: OK\n", ""},
            {"clear-signed",
             {"-c", "CHECKSUM"},
             0,
             "abc: OK\nempty: OK\n",
#ifdef TESSIK_HAVE_GPGME
             "tessik-sum: CHECKSUM: signature not checked: GnuPG found no signature it can "
             "check\n"},
#else
             "tessik-sum: CHECKSUM: signature not checked: GnuPG is not available\n"},
#endif
            {"warn, default",
             {"-c", "-w", "--quiet", "bad.txt"},
             0,
             "",
             "tessik-sum: bad.txt: 1: improperly formatted SHA256 checksum line\n"
             "tessik-sum: WARNING: 1 line is improperly formatted\n"},
            {"warn, list name",
             {"-c", "-w", "--quiet", "bad.md5"},
             0,
             "",
             "tessik-sum: bad.md5: 1: improperly formatted MD5 checksum line\n"
             "tessik-sum: WARNING: 1 line is improperly formatted\n"},
            {"warn, named",
             {"-c", "-w", "-a", "sha1", "-"},
             1,
             "",
             "tessik-sum: 'standard input': 1: improperly formatted SHA1 checksum line\n"
             "tessik-sum: 'standard input': 2: improperly formatted SHA1 checksum line\n"
             "tessik-sum: 'standard input': no properly formatted checksum lines found\n"},
        },
        written.output);
    const Outcome several = In({"-a", "md5,sha2-256,blake3", "abc", "empty"});
    ASSERT_EQ(several.status, 0);
    Check({{"several algorithms",
            {"-c"},
            0,
            "abc: OK\nabc: OK\nabc: OK\nempty: OK\nempty: OK\nempty: OK\n",
            ""}},
          several.output);
}

// Lists from elsewhere read as meant unless --strict asks for every byte as written; --new
// lists what the list does not name below the current folder, and fails.
TEST_F(SumProgram, ReadsListsLenientlyAndListsNewFiles) {
    List("win.md5", "\xEF\xBB\xBF" + kMd5OfAbc + " *abc\r\n" + kMd5OfNothing + "  sub\\z\r\n");
    Check(
        {
            {"lenient", {"-c", "win.md5"}, 0, "abc: OK\nsub\\z: OK\n", ""},
#ifdef _WIN32
            // There '\\' separates names however strictly the list is read.
            {"strict",
             {"-c", "--strict", "win.md5"},
             1,
             "sub\\z: OK\n",
             "tessik-sum: WARNING: 1 line is improperly formatted\n"},
#else
            {"strict",
             {"-c", "--strict", "win.md5"},
             1,
             "sub\\z: FAILED open or read\n",
             "tessik-sum: 'sub\\z': No such file or directory\n"
             "tessik-sum: WARNING: 1 line is improperly formatted\n"
             "tessik-sum: WARNING: 1 listed file could not be read\n"},
#endif
            {"new",
             {"-c", "--new", "win.md5"},
             1,
             "abc: OK\nsub\\z: OK\nempty: NEW\n",
             "tessik-sum: WARNING: 1 file is not in the list\n"},
            {"new, listed on standard input",
             {"-c", "--new", "-a", "md5"},
             1,
             "abc: OK\n",
             "tessik-sum: 'standard input': --new needs a list file to find new files\n"},
        },
        kMd5OfAbc + "  abc\n");
}

// A list can come from another command (tessik-sum -c <(...)): a pipe is read as it comes,
// unsigned, and has no folder to search for new files.
TEST_F(SumProgram, ReadsAListFromAPipe) {
    SKIP_ON_WINDOWS("no FIFOs in a Windows file system");
    ASSERT_EQ(::mkfifo(temp_.Native("pipe").c_str(), 0600), 0);
    for (const bool findNew : {false, true}) {
        std::thread writer([&] { std::ofstream(temp_.Native("pipe")) << kMd5OfAbc << "  abc\n"; });
        std::vector<const char*> arguments = {"-c", "-a", "md5", "pipe"};
        if (findNew) arguments.push_back("--new");
        const Outcome run = In(arguments);
        writer.join();
        EXPECT_EQ(run.output, "abc: OK\n");
        EXPECT_EQ(run.status, findNew ? 1 : 0);
        EXPECT_EQ(run.errors,
                  findNew ? "tessik-sum: pipe: --new needs a list file to find new files\n" : "");
    }
}

// A list's signature is said on standard error; a bad one fails the list although every entry
// matches.
TEST_F(SumProgram, SaysTheSignatureAndFailsABadOne) {
    if (!test::GpgInstalled()) GTEST_SKIP() << "gpg is not installed";
    const test::ThrowawayKeyrings keys;
    ASSERT_TRUE(keys.made());
    const test::ScopedEnvironment home("GNUPGHOME", keys.Home("signer"));
    List("good.md5", kMd5OfAbc + "  abc\n");
    List("bad.md5", kMd5OfAbc + "  abc\n");
    for (const char* list : {"good.md5", "bad.md5"}) {
        ASSERT_TRUE(keys.Gpg("--detach-sign '" + temp_.Native(list) + "'"));
    }
    List("bad.md5", kMd5OfAbc + "  abc\n\n");
    const std::string by = " from List Signer <signer@example.org>, key " + keys.fingerprint();
    Check(
        {
            {"good",
             {"-c", "good.md5"},
             0,
             "abc: OK\n",
             "tessik-sum: good.md5: good signature" + by + "\n"},
            {"bad",
             {"-c", "bad.md5"},
             1,
             "abc: OK\n",
             "tessik-sum: bad.md5: BAD signature" + by +
                 ": the list was changed after it was signed\n"},
            {"bad, status", {"-c", "--status", "bad.md5"}, 1, "", ""},
        },
        {});
}

// Only a file that does not exist is missing: a loop of links, a path through a file and a name
// too long fail as the standard tools fail them, --ignore-missing or not.
TEST_F(SumProgram, IgnoresOnlyFilesThatDoNotExist) {
    const std::string longName(300, 'n');
    std::string list = kMd5OfAbc + "  abc\n" + kMd5OfAbc + "  gone\n" + kMd5OfAbc + "  abc/x\n" +
                       kMd5OfAbc + "  " + longName + "\n";
    std::string output =
        "abc: OK\nabc/x: FAILED open or read\n" + longName + ": FAILED open or read\n";
    std::string errors =
        "tessik-sum: abc/x: Not a directory\ntessik-sum: " + longName + ": File name too long\n";
    int unreadable = 2;
#ifndef _WIN32  // links need a privilege on Windows
    std::filesystem::create_symlink("loop", temp_.Native("loop"));
    list += kMd5OfAbc + "  loop\n";
    output += "loop: FAILED open or read\n";
    errors += "tessik-sum: loop: Too many levels of symbolic links\n";
    ++unreadable;
#endif
    List("list.md5", list);
    const Outcome run = In({"-c", "--ignore-missing", "list.md5"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, output);
    EXPECT_EQ(run.errors, errors + "tessik-sum: WARNING: " + std::to_string(unreadable) +
                              " listed files could not be read\n");
}

// Names holding control characters cannot reach a terminal as they are: on standard error they
// are always quoted, on standard output when it is a terminal; piped output stays as the
// standard tools write it.
TEST_F(SumProgram, QuotesNamesThatWouldDriveTheTerminal) {
    SKIP_ON_WINDOWS("file names there cannot hold control characters");
    const std::string name = "a\x1b[2Jb";
    test::WriteBytes(temp_.Native(name), "abc");
    List("list.md5", kMd5OfAbc + "  " + name + "\n" + kMd5OfAbc + "  gone\x1b]0;x\a\n");
    const std::string quoted = "'a'$'\\033''[2Jb'";
    for (const bool terminals : {false, true}) {
        SCOPED_TRACE(terminals);
        const Outcome run = In({"-c", "list.md5"}, {}, terminals);
        EXPECT_EQ(run.output, (terminals ? quoted : name) + ": OK\n" +
                                  (terminals ? "'gone'$'\\033'']0;x'$'\\a'" : "gone\x1b]0;x\a") +
                                  ": FAILED open or read\n");
        EXPECT_EQ(run.errors.find('\x1b'), std::string::npos);
    }
    EXPECT_EQ(In({name.c_str(), "gone\x1b"}).errors,
              "tessik-sum: 'gone'$'\\033': No such file or directory\n");
}

// -r alone at a terminal hashes what is typed, and says so.
TEST_F(SumProgram, SaysWhatItWaitsForWhenRecursingWithoutAFolder) {
    const std::string notice =
        "tessik-sum: no folder given: hashing standard input until it ends (Ctrl+D)\n";
    EXPECT_EQ(In({"-r", "-a", "md5"}, "abc", true).errors, notice);
    EXPECT_EQ(In({"-r", "-a", "md5"}, "abc", false).errors, "");
    EXPECT_EQ(In({"-r", "-a", "md5", "-"}, "abc", true).errors, "");
}

// "--separator=" is an empty separator, not a request for the next argument.
TEST(SumOptions, AnEmptyValueAfterAnEqualsSignIsAValue) {
    const char* arguments[] = {"tessik-sum", "-c", "--separator=", "list", "--", "--quiet="};
    const ParsedArguments parsed = ParseSumArguments(6, arguments);
    ASSERT_FALSE(parsed.done) << parsed.error;
    EXPECT_EQ(parsed.options.separator, "");
    EXPECT_EQ(parsed.options.operands, (std::vector<std::string>{"list", "--quiet="}));
}

// A closed standard output ends the work at once, without a message.
TEST_F(SumProgram, EndsQuietlyWhenOutputCloses) {
    const char* arguments[] = {"tessik-sum", "abc", "empty", "abc"};
    const ParsedArguments parsed = ParseSumArguments(4, arguments);
    test::StringConsole console;
    console.writesAccepted = 1;
    {
        const InFolder in(temp_.path());
        EXPECT_EQ(RunSum(parsed.options, console), kExitFailure);
    }
    EXPECT_EQ(console.output, kSha256OfAbc + "  abc\n");
    EXPECT_EQ(console.errors, "");
}

TEST(SumText, HashesLineBreaksAsAskedAndListsTheAlgorithms) {
    EXPECT_EQ(WithLineEnds("a\nb\r\nc\rd\n", true), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(WithLineEnds("a\nb\r\nc\rd", false), "a\nb\nc\nd");
    EXPECT_EQ(Sum(".", {"-a", "md5", "-s", "a\nb"}).output,
              Sum(".", {"-a", "md5", "-s", "a\r\nb"}).output);
    EXPECT_NE(Sum(".", {"-a", "md5", "-s", "a\nb"}).output,
              Sum(".", {"-a", "md5", "-s", "a\nb", "--line-ends", "lf"}).output);
    const std::string listing = AlgorithmListing();
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), AlgorithmCount());
    EXPECT_NE(listing.find("\nsha2-256      SHA-2(256)\n"), std::string::npos);
}

// The line shows while a file of some size is at hand and goes once it is done; a small file at
// hand leaves it as it is.
TEST(SumProgress, ShowsTheLineWhileALargeFileIsAtHand) {
    test::StringConsole console;
    ProgressMeter meter(console, 100);
    const auto at = [](std::u16string file, std::uint64_t done, std::uint64_t total) {
        return RunProgress{0, done, std::move(file), done, total};
    };
    meter.Show(at(u"small", 10, 99));
    EXPECT_EQ(console.progress, "");
    meter.Show(at(u"a", 10, 1000));
    EXPECT_EQ(console.progress, "a: 10 B of 1000 B, 1%");
    meter.Show(at(u"small", 50, 99));
    EXPECT_EQ(console.progress, "a: 10 B of 1000 B, 1%");
    meter.Show(at(u"a", 1000, 1000));
    EXPECT_EQ(console.progress, "");
    meter.Show(at(u"b", 500, 1000));
    EXPECT_EQ(console.progress, "b: 500 B of 1000 B, 50%");
    meter.Clear();
    EXPECT_EQ(console.progress, "");
}

TEST(SumProgress, ShowsBytesPercentAndSpeed) {
    EXPECT_EQ(FormatProgress("f", 512 << 20, std::uint64_t{1} << 30, 1234.5e6),
              "f: 512.0 MiB of 1.0 GiB, 50%, 1234.5 MB/s");
    EXPECT_EQ(FormatProgress("f", 100, 1000, -1), "f: 100 B of 1000 B, 10%");
}

}  // namespace
}  // namespace tessik
