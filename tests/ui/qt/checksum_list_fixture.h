#pragma once
// The checksum-list windows run on their own on temporary folders, and the drops onto the main
// window that open them: what their tests share.

#include <gtest/gtest.h>
#include <unistd.h>
#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cerrno>

#include "main_window_fixture.h"
#include "support/known_digests.h"
#include "support/system_call_faults.h"
#include "ui/qt/hash_files_dlg.h"
#include "ui/qt/verify_list_dlg.h"
#include "ui/qt/widget_font_host.h"

namespace tessik::test {

inline constexpr int kMd2 = 0;
inline constexpr int kMd5 = 2;
inline constexpr int kSha512 = 7;

inline QTableView& Table(const Dialog& window) {
    return *window.control<QTableView>(list_window::kTable);
}
// Every row as shown, cells apart by " | ".
inline std::vector<QString> Rows(const Dialog& window) {
    const QAbstractItemModel& model = *Table(window).model();
    std::vector<QString> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column) {
            cells.push_back(model.index(row, column).data().toString());
        }
        rows.push_back(cells.join(" | "));
    }
    return rows;
}
inline QString Counts(const Dialog& window) {
    return window.control<QLabel>(list_window::kCountsLabel)->text();
}
inline bool WaitUntilIdle(const Dialog& window) {
    return QTest::qWaitFor([&] { return window.control(list_window::kStopButton)->isHidden(); },
                           20000);
}
inline void Click(const Dialog& window, int id) {
    window.control<QPushButton>(id)->click();
}

class ChecksumListWindowTest : public ::testing::Test {
  protected:
    ChecksumListWindowTest() : host(owner), fonts(host) {}

    // A list beside its files: a.txt matches, b.txt differs, c.txt is missing, one line is none.
    std::u16string MakeList(const char* name = "files.md5") {
        test::WriteBytes(folder.Native("a.txt"), "abc");
        test::WriteBytes(folder.Native("b.txt"), "");
        test::WriteBytes(folder.Native(name), kMd5OfAbc + "  a.txt\n" + kMd5OfAbc + "  b.txt\n" +
                                                  "no line\n" + kMd5OfNothing + "  c.txt\n");
        return folder.U16(name);
    }
    // A file that MD2 takes most of a minute over; it holds nothing but zeros, stored as a hole.
    std::u16string MakeBigFile() {
        test::WriteBytes(folder.Native("big.bin"), "");
        EXPECT_EQ(::truncate(folder.Native("big.bin").c_str(), off_t{512} << 20), 0);
        return folder.U16("big.bin");
    }

    int Verify(const std::u16string& list, std::function<void(CVerifyListDlg&)> script,
               int mainAlgorithm = kSha512) {
        CVerifyListDlg window(desktop);
        window.setLanguageFile(languageFile);
        test::WhenModal([&](Dialog&) { script(window); });
        return window.RunVerifyDialog(fonts, list, mainAlgorithm, u"|");
    }
    int HashFiles(std::vector<std::u16string> paths, std::function<void(CHashFilesDlg&)> script,
                  int algorithm = kMd5, AlgorithmSet* several = nullptr) {
        CHashFilesDlg window(desktop);
        if (several != nullptr) window.offerSeveral(*several);
        test::WhenModal([&](Dialog&) { script(window); });
        return window.RunFilesDialog(fonts, std::move(paths), algorithm, true);
    }

    test::TemporaryFolder folder;
    test::FakeDesktopServices desktop;
    QWidget owner;
    WidgetFontHost host;
    FontSettings fonts;
    std::u16string languageFile;
};

// What drops onto the main window open.
class MainWindowDropTest : public test::MainWindowFixture {
  protected:
    // Drops the files and runs the script in the window the drop opens.
    void DropAndRun(const std::vector<std::u16string>& paths, std::function<void(Dialog&)> script) {
        QList<QUrl> urls;
        for (const std::u16string& path : paths) urls.push_back(QUrl::fromLocalFile(Q(path)));
        test::Drop(*window->control(main_window::kStringField), urls);
        bool ran = false;
        test::WhenModal([&](Dialog& opened) {
            script(opened);
            ran = true;
        });
        EXPECT_TRUE(QTest::qWaitFor([&] { return ran; }, 20000));
    }
};

}  // namespace tessik::test
