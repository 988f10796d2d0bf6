#include "lists/names_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/path_encoding.h"
#include "support/known_digests.h"
#include "support/temporary_folder.h"

namespace tessik {
namespace {

TEST(NamesFolder, OffersTheFolderNamedAfterTheListWhereMostNamesAre) {
    const struct {
        const char* what;
        const char* list;
        std::vector<const char*> names;
        std::vector<const char*> files;  // below the temporary folder; "tree/" is made always
        ListReading reading = ListReading::kLenient;
        bool offered;
    } cases[] = {
        {"made inside the folder",
         "tree.sha256",
         {"./a", "./b", "c"},
         {"tree/a", "tree/b", "tree/c"},
         ListReading::kLenient,
         true},
        {"found beside the list too",
         "tree.sha256",
         {"a", "b", "c"},
         {"a", "b", "c", "tree/a", "tree/b", "tree/c"},
         ListReading::kLenient,
         false},
        {"most missing in the folder too",
         "tree.sha256",
         {"a", "b", "c"},
         {"tree/a"},
         ListReading::kLenient,
         false},
        {"Windows-style names",
         "tree.md5",
         {"sub\\a", "sub\\b"},
         {"tree/sub/a", "tree/sub/b"},
         ListReading::kLenient,
         true},
        {"Windows-style names read strictly, found only where '\\' separates",
         "tree.md5",
         {"sub\\a", "sub\\b"},
         {"tree/sub/a", "tree/sub/b"},
         ListReading::kStrict,
         kPathSeparator == u'\\'},
        {"no folder of the list's name",
         "other.sha256",
         {"a", "b"},
         {"tree/a", "tree/b"},
         ListReading::kLenient,
         false},
        {"a list name without extension",
         "SHA256SUMS",
         {"a", "b"},
         {"tree/a", "tree/b"},
         ListReading::kLenient,
         false},
        {"full paths only", "tree.sha256", {"/nonexistent/a"}, {}, ListReading::kLenient, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TemporaryFolder temp;
        test::MakeFolder(temp.Native("tree"));
        test::MakeFolder(temp.Native("tree/sub"));
        for (const char* file : c.files) test::WriteBytes(temp.Native(file), "abc");
        std::string list;
        for (const char* name : c.names) list += test::kMd5OfAbc + "  " + name + "\n";
        test::WriteBytes(temp.Native(c.list), list);
        EXPECT_EQ(FolderTheNamesBelongTo(temp.U16(c.list), "", c.reading),
                  c.offered ? temp.U16("tree/") : u"");
    }
}

}  // namespace
}  // namespace tessik
