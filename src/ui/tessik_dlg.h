#pragma once
// The main window: pick an algorithm, hash the typed text or a file, compare the result with an
// expected value and copy it. The window reads its controls, hands the decisions to Qt-free
// code and writes the results back; hashing runs on a worker thread while the window waits.

#include <QString>
#include <string>
#include <vector>

#include "ui/dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tessik {

class CTessikDlg : public Dialog {
    Q_OBJECT
  public:
    // The arguments follow the program name; only the first one is used.
    CTessikDlg(DesktopServices& desktop, std::u16string programDirectory,
               std::vector<std::u16string> arguments);
    ~CTessikDlg() override;

  protected:
    void onInitDialog() override;
    void onCloseRequest() override;
    void onClientResized(QSize size) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void bindControls();
    void bindCommands();
    void removeMissingDocumentItems();
    void takeFirstArgument();

    void hashText();
    void hashFile();
    void chooseFile();
    void compare();
    void copyResult();

    int algorithmIndex() const;
    bool lowerCase() const;
    void showResult(const std::string& digest);

    QLabel* m_LBLAlgorithm = nullptr;
    QComboBox* algorithmList_ = nullptr;
    QCheckBox* m_CHKSmallLetters = nullptr;
    QLabel* m_LBLPassword = nullptr;
    QLabel* m_LBLFileName = nullptr;
    QLineEdit* fileNameField_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QPushButton* m_BTNHashFile = nullptr;
    QPlainTextEdit* stringField_ = nullptr;
    QPushButton* m_BTNHashPassword = nullptr;
    QLabel* m_LBLHash = nullptr;
    QLineEdit* resultField_ = nullptr;
    QLabel* m_LBLExpected = nullptr;
    QLineEdit* expectedField_ = nullptr;
    QCheckBox* m_CHKCaseSensitive = nullptr;
    QPushButton* m_BTNCopy = nullptr;
    QPushButton* m_BTNCompare = nullptr;

    std::vector<std::u16string> arguments_;
    std::u16string readMePath_;
    std::u16string licensePath_;
    std::u16string programDirectory_;
    QString m_acMCompareFailed;
    QString m_acMCompareDone;
    QString m_acMAllFiles;
    QString m_acMBtnOk;
};

}  // namespace tessik
