#include "cli/sum_program.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/hash_command.h"
#include "cli/progress_meter.h"
#include "cli/string_console.h"
#include "support/known_digests.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

using test::kMd5OfAbc;
using test::kMd5OfNothing;
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

// Runs the command line in-process, in the folder, with the input as standard input.
Outcome Sum(const std::string& folder, std::vector<const char*> arguments, std::string input = {}) {
    arguments.insert(arguments.begin(), "tessik-sum");
    const ParsedArguments parsed =
        ParseSumArguments(static_cast<int>(arguments.size()), arguments.data());
    if (parsed.done) return {parsed.exitStatus, parsed.output, parsed.error};
    test::StringConsole console;
    console.input = std::move(input);
    const InFolder in(folder);
    return {RunSum(parsed.options, console), console.output, console.errors};
}

class SumProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteBytes(temp_.Native("abc"), "abc");
        test::WriteBytes(temp_.Native("empty"), "");
        test::MakeFolder(temp_.Native("sub"));
        test::WriteBytes(temp_.Native("sub/.hidden"), "abc");
        test::WriteBytes(temp_.Native("sub/z"), "");
    }
    Outcome In(std::vector<const char*> arguments, std::string input = {}) {
        return Sum(temp_.path(), std::move(arguments), std::move(input));
    }
    void List(const std::string& name, const std::string& text) {
        test::WriteBytes(temp_.Native(name), text);
    }
    test::TemporaryFolder temp_;
};

TEST_F(SumProgram, HashesFilesFoldersAndInputInTheOrderGiven) {
    const std::string tree = "sub/.hidden  " + kMd5OfAbc + "\n";
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
        {{"-a", "nonesuch"}, 2, "", "unknown algorithm 'nonesuch' (--list shows them)"},
        {{"--quiet", "abc"}, 2, "", "--quiet requires --check"},
        {{"-c", "--tag"}, 2, "", "--check excludes --tag"},
        {{"-s", "x", "abc"}, 2, "", "--string takes no FILE"},
        {{"-j", "0", "abc"}, 2, "", "--jobs: Value 0 not in range 1 to 256"},
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
    const struct {
        const char* what;
        std::vector<const char*> arguments;
        int status;
        std::string output;
        std::string errors;
    } cases[] = {
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
         "tessik-sum: plain: 1: the digest fits md2, md4, md5; choose one with -a\n"
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Outcome run = In(c.arguments, kMd5OfAbc + "  abc\r\n");
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.output, c.output);
        EXPECT_EQ(run.errors, c.errors);
    }
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
    EXPECT_NE(listing.find("\nsha2-256    SHA-2(256)\n"), std::string::npos);
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
