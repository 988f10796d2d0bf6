#include "ui/rules/verify_window_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/rules/list_window.h"

namespace tessik {
namespace {

// A list that could not be opened outweighs everything else a check may leave to say; a folder
// is only offered when nothing went wrong and the user has not settled one.
TEST(VerifyWindowRulesTest, ACheckLeavesItsWeightiestNote) {
    ListCounts oneEntry;
    oneEntry.ok = 1;
    struct Case {
        ReadFailure openFailure;
        bool readFailed;
        bool stopped;
        ListCounts counts;
        bool settled;
        CheckNote note;
    };
    for (const Case& c : {
             Case{ReadFailure::kMissing, true, false, {}, false, CheckNote::kOpenFailure},
             Case{ReadFailure::kNone, true, false, oneEntry, false, CheckNote::kReadFailure},
             Case{ReadFailure::kNone, false, false, {}, false, CheckNote::kNoEntries},
             Case{ReadFailure::kNone, false, true, {}, false, CheckNote::kOfferFolder},
             Case{ReadFailure::kNone, false, false, oneEntry, false, CheckNote::kOfferFolder},
             Case{ReadFailure::kNone, false, false, oneEntry, true, CheckNote::kNone},
         }) {
        ListRunEnding ending;
        ending.openFailure = c.openFailure;
        ending.listReadFailed = c.readFailed;
        ending.stopped = c.stopped;
        ending.namesFolder = u"elsewhere/";
        EXPECT_EQ(NoteOfCheck(ending, c.counts, c.settled), c.note);
    }
}

TEST(VerifyWindowRulesTest, AddsTheNewRowsFilesBelowTheFolderOnly) {
    const VerifySubject subject{u"list.md5", u"base/", "  ", false};
    const AlgorithmInfo& md5 = AlgorithmCatalogue()[2];
    ListTable table;
    table.Append({{1, "a.txt", {}, RowStatus::kOk}, {0, "sub/new.txt", {}, RowStatus::kNew}});
    EXPECT_FALSE(AddingOf(subject, ListTable(), md5).has_value());
    const std::optional<FilesToAdd> add = AddingOf(subject, table, md5);
    ASSERT_TRUE(add.has_value());
    EXPECT_EQ(add->files, std::vector<std::u16string>{u"base/sub/new.txt"});
    EXPECT_EQ(add->listPath, u"list.md5");
    EXPECT_EQ(add->algorithm, &md5);
}

}  // namespace
}  // namespace tessik
