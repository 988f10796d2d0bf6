// The file dialog after a mistyped name starts in the nearest folder that exists, with the name.

#include "ui/rules/typed_path.h"

#include <gtest/gtest.h>

#include "platform/utf8_codec.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

TEST(TypedPath, TheDialogStartsInTheNearestFolderThatExistsWithTheTypedName) {
    test::TemporaryFolder folder;
    test::MakeFolder(folder.Native("sub"));
    test::WriteBytes(folder.Native("sub/there.txt"), "x");
    const std::u16string sub = folder.U16("sub");
    const struct {
        std::u16string typed;
        FileDialogStart start;
        TypedPathProblem problem;
    } cases[] = {
        {u"", {}, TypedPathProblem::kNotFound},
        {folder.U16("sub/there.txt"), {sub, u"there.txt"}, TypedPathProblem::kNone},
        {folder.U16("sub/tehre.txt"), {sub, u"tehre.txt"}, TypedPathProblem::kNotFound},
        {folder.U16("sub/gone/deeper/x.bin"), {sub, u"x.bin"}, TypedPathProblem::kNotFound},
        {sub, {sub, u""}, TypedPathProblem::kFolder},
#ifndef _WIN32  // where "/" is the root of every path
        {u"/", {u"/", u""}, TypedPathProblem::kFolder},
        {u"/no-such-top-folder/x.bin", {u"/", u"x.bin"}, TypedPathProblem::kNotFound},
#endif
        {u"relative-name.txt", {u"", u"relative-name.txt"}, TypedPathProblem::kNotFound},
        {u"no-such-folder/x.txt", {u"", u"x.txt"}, TypedPathProblem::kNotFound},
    };
    for (const auto& c : cases) {
        const FileDialogStart start = StartForTypedPath(c.typed);
        const std::string typed = EncodeUtf8(c.typed, LoneSurrogate::kReplace);
        EXPECT_EQ(start.folder, c.start.folder) << typed;
        EXPECT_EQ(start.name, c.start.name) << typed;
        EXPECT_EQ(ProblemOfTypedPath(c.typed), c.problem) << typed;
    }
}

}  // namespace
}  // namespace tessik
