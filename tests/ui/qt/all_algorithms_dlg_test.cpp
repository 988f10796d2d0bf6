#include "ui/qt/all_algorithms_dlg.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "main_window_fixture.h"
#include "support/known_digests.h"
#include "ui/qt/widget_font_host.h"

namespace tessik {
namespace {

using namespace all_algorithms_window;
using test::FileDigest;
using test::Q;

const AlgorithmInfo& Id(const char* id) {
    return *AlgorithmWithId(id);
}
int Row(const char* id) {
    return static_cast<int>(&Id(id) - AlgorithmCatalogue().data());
}

QAbstractItemModel& Model(const Dialog& window) {
    return *window.control<QTableView>(kTable)->model();
}
QString Digest(const Dialog& window, const char* id) {
    return Model(window).index(Row(id), 1).data().toString();
}
bool Marked(const Dialog& window, const char* id) {
    return Model(window).index(Row(id), 0).data(Qt::FontRole).value<QFont>().bold();
}
QString Said(const Dialog& window) {
    return window.control<QLabel>(kMatchLabel)->text();
}
bool WaitUntilIdle(const Dialog& window) {
    return QTest::qWaitFor([&] { return window.control(kCancelButton)->isHidden(); }, 20000);
}
void Tick(const Dialog& window, const char* id, bool ticked) {
    Model(window).setData(Model(window).index(Row(id), 0), ticked ? Qt::Checked : Qt::Unchecked,
                          Qt::CheckStateRole);
}

class AllAlgorithmsWindowTest : public ::testing::Test {
  protected:
    AllAlgorithmsWindowTest() : host(owner), fonts(host) {
        test::WriteBytes(folder.Native("abc"), "abc");
    }

    void Run(const std::u16string& file, const std::u16string& expected,
             std::function<void(CAllAlgorithmsDlg&)> script) {
        CAllAlgorithmsDlg window(desktop);
        test::WhenModal([&](Dialog&) { script(window); });
        window.RunAllAlgorithmsDialog(fonts, file, expected, ticked, true, u"|");
    }

    test::TemporaryFolder folder;
    test::FakeDesktopServices desktop;
    QWidget owner;
    WidgetFontHost host;
    FontSettings fonts;
    AlgorithmSet ticked = {&Id("md5"), &Id("sha1"), &Id("crc32")};
};

// One read gives every ticked algorithm its digest; the expected value marks its algorithm.
TEST_F(AllAlgorithmsWindowTest, HashesTheFileWithEveryTickedAlgorithmAndNamesTheOneExpected) {
    const std::u16string file = folder.U16("abc");
    Run(file, FromUtf8(test::kSha1OfAbc), [&](CAllAlgorithmsDlg& window) {
        EXPECT_EQ(window.windowTitle(), "All algorithms");
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Model(window).rowCount(), AlgorithmCount());
        EXPECT_EQ(Digest(window, "md5"), Q(FromUtf8(test::kMd5OfAbc)));
        EXPECT_EQ(Digest(window, "sha1"), Q(FromUtf8(test::kSha1OfAbc)));
        EXPECT_EQ(Digest(window, "crc32"), "352441c2");
        EXPECT_EQ(Digest(window, "sha2-256"), "");
        EXPECT_TRUE(Marked(window, "sha1"));
        EXPECT_FALSE(Marked(window, "md5"));
        EXPECT_EQ(Said(window), "The expected value is the HASH of: SHA-1");

        window.control<QLineEdit>(kExpectedField)->setText(QString(40, u'0'));
        EXPECT_FALSE(Marked(window, "sha1"));
        EXPECT_EQ(Said(window), "None of the ticked algorithms gives the expected value.");

        // Another tick takes effect with the next hash; a row, or all, can be copied.
        Tick(window, "crc32", false);
        Tick(window, "blake3", true);
        window.control<QPushButton>(kHashButton)->click();
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Digest(window, "crc32"), "");
        EXPECT_EQ(Digest(window, "blake3"), FileDigest(Row("blake3"), file, true));
        window.control<QTableView>(kTable)->selectRow(Row("md5"));
        window.control<QPushButton>(kCopyButton)->click();
        window.control<QPushButton>(kCopyAllButton)->click();
        window.close();
    });
    ASSERT_EQ(desktop.clipboard.size(), 2u);
    EXPECT_EQ(desktop.clipboard[0], "MD5\t" + Q(FromUtf8(test::kMd5OfAbc)));
    EXPECT_EQ(desktop.clipboard[1], "MD5\t" + Q(FromUtf8(test::kMd5OfAbc)) + "\nSHA-1\t" +
                                        Q(FromUtf8(test::kSha1OfAbc)) + "\nBLAKE3\t" +
                                        FileDigest(Row("blake3"), file, true));
    // The ticks are kept for the next time.
    EXPECT_EQ(ticked, (AlgorithmSet{&Id("md5"), &Id("sha1"), &Id("blake3")}));
}

TEST_F(AllAlgorithmsWindowTest, AFileThatCannotBeReadIsSaidAndCancelEndsTheRead) {
    Run(folder.U16("gone"), u"", [&](CAllAlgorithmsDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Digest(window, "md5"), "");
        EXPECT_EQ(Said(window), "");
    });
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "This file does not exist:\n\n" + Q(folder.U16("gone")));

    // A large file of zeros that MD2 takes a long while over, stored as a hole.
    test::WriteBytes(folder.Native("big.bin"), "");
    ASSERT_EQ(::truncate(folder.Native("big.bin").c_str(), off_t{512} << 20), 0);
    ticked = {&Id("md2"), &Id("md5")};
    Run(folder.U16("big.bin"), u"", [&](CAllAlgorithmsDlg& window) {
        EXPECT_TRUE(window.control(kCancelButton)->isVisible());
        window.control<QPushButton>(kCancelButton)->click();
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(Digest(window, "md5"), "");
    });
    EXPECT_EQ(desktop.messages.size(), 1u);
}

class AllAlgorithmsCommandTest : public test::MainWindowFixture {};

// The file field's file, else one chosen; the expected field's digest, else the clipboard's.
TEST_F(AllAlgorithmsCommandTest, TakesTheFileFieldAndTheExpectedDigest) {
    test::WriteBytes(folder.Native("abc"), "abc");
    StartShown();
    const struct {
        QString fileField;
        std::optional<QString> chosen;
        QString expectedField;
        QString clipboard;
        QString file;
        QString expected;
    } cases[] = {
        {Q(folder.U16("abc")),
         {},
         "x",
         Q(FromUtf8(test::kMd5OfAbc)),
         Q(folder.U16("abc")),
         Q(FromUtf8(test::kMd5OfAbc))},
        {"", Q(folder.U16("abc")), Q(FromUtf8(test::kSha1OfAbc)), "", Q(folder.U16("abc")),
         Q(FromUtf8(test::kSha1OfAbc))},
        {"gone", std::nullopt, "", "", "", ""},
    };
    for (const auto& c : cases) {
        desktop.fileAnswers = {c.chosen};
        desktop.clipboard = {c.clipboard};
        Field(main_window::kFileNameField).setText(c.fileField);
        Field(main_window::kExpectedField).setText(c.expectedField);
        const std::size_t dialogsBefore = desktop.fileFilters.size();
        bool opened = false;
        if (!c.file.isEmpty()) {
            test::WhenModal([&](Dialog& shown) {
                opened = true;
                EXPECT_EQ(shown.controlText(kFileField), c.file);
                EXPECT_EQ(shown.controlText(kExpectedField), c.expected);
            });
        }
        window->runCommand(main_window::kAllAlgorithmsCommand);
        EXPECT_EQ(opened, !c.file.isEmpty()) << c.fileField.toStdString();
        // A file dialog only where the field names no file.
        EXPECT_EQ(desktop.fileFilters.size() - dialogsBefore,
                  c.fileField == Q(folder.U16("abc")) ? 0u : 1u);
    }
}

}  // namespace
}  // namespace tessik
