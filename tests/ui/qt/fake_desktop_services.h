#pragma once
// Desktop services for tests: dialogs answer from scripts (an empty script answers "cancel"),
// and everything shown, copied and opened is recorded.

#include <deque>
#include <vector>

#include "ui/qt/desktop_services.h"

namespace tessik::test {

class FakeDesktopServices final : public DesktopServices {
  public:
    struct Message {
        QString text;
        QString caption;
        MessageIcon icon;
    };

    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<SaveChoice>> saveAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<FontDescription>> fontAnswers;
    std::deque<bool> yesNoAnswers;  // none left: No

    std::vector<QString> fileFilters;  // one per file dialog shown
    struct SaveDialog {
        QString suggestedPath;
        QString filter;
    };
    std::vector<SaveDialog> saveDialogs;  // one per save dialog shown
    struct FileDialogStart {
        QString title, folder, name;
        bool operator==(const FileDialogStart&) const = default;
    };
    std::vector<FileDialogStart> fileDialogStarts;  // one per file dialog shown
    std::vector<QString> folderInitials;            // one per folder browser shown
    std::vector<FontDescription> fontInitials;      // one per font dialog shown
    std::vector<Message> messages;
    std::vector<QString> questions;
    std::vector<QString> clipboard;  // every text put on it, in order
    std::vector<QString> documents;
    std::vector<QString> addresses;
    bool opens = true;  // whether a program opens documents and addresses

    std::optional<QString> chooseFileToOpen(QWidget*, const QString& filter, const QString& title,
                                            const QString& folder, const QString& name) override {
        fileFilters.push_back(filter);
        fileDialogStarts.push_back({title, folder, name});
        return Next(fileAnswers);
    }
    std::optional<SaveChoice> chooseFileToSave(QWidget*, const QString& suggestedPath,
                                               const QString& filter) override {
        saveDialogs.push_back({suggestedPath, filter});
        return Next(saveAnswers);
    }
    std::optional<QString> chooseFolder(QWidget*, const QString& initialFolder) override {
        folderInitials.push_back(initialFolder);
        return Next(folderAnswers);
    }
    std::optional<FontDescription> chooseFont(QWidget*, const FontDescription& initial) override {
        fontInitials.push_back(initial);
        return Next(fontAnswers);
    }
    void showMessage(QWidget*, const QString& text, const QString& caption,
                     MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    bool askYesNo(QWidget*, const QString& question) override {
        questions.push_back(question);
        if (yesNoAnswers.empty()) return false;
        const bool yes = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return yes;
    }
    void setClipboardText(const QString& text) override { clipboard.push_back(text); }
    QString clipboardText() const override {
        return clipboard.empty() ? QString() : clipboard.back();
    }
    bool openDocument(const QString& path) override {
        documents.push_back(path);
        return opens;
    }
    bool openAddress(const QString& address) override {
        addresses.push_back(address);
        return opens;
    }

  private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
        std::optional<T> answer;
        if (!answers.empty()) {
            answer.swap(answers.front());
            answers.pop_front();
        }
        return answer;
    }
};

}  // namespace tessik::test
