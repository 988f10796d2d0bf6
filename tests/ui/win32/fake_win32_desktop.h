#pragma once
// Scripted desktop services for the Win32 windows: file and folder dialogs answer from queues,
// Yes/No questions from another, and every message box and clipboard text is recorded.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/win32/win32_desktop_services.h"

namespace tessik::test {

class FakeWin32Desktop final : public Win32DesktopServices {
  public:
    struct Message {
        std::u16string text;
        MessageIcon icon;
    };

    std::optional<std::u16string> chooseFileToOpen(HWND, const std::u16string& filter) override {
        filters.push_back(filter);
        if (filesToOpen.empty()) return std::nullopt;
        std::optional<std::u16string> file = filesToOpen.front();
        filesToOpen.pop_front();
        return file;
    }
    std::optional<SaveChoice> chooseFileToSave(HWND, const std::u16string& suggestedPath,
                                               const std::u16string& filter) override {
        saveStarts.push_back({suggestedPath, filter});
        if (filesToSave.empty()) return std::nullopt;
        std::optional<SaveChoice> file = filesToSave.front();
        filesToSave.pop_front();
        return file;
    }
    std::optional<std::u16string> chooseFolder(HWND, const std::u16string& initial) override {
        folderChooserStarts.push_back(initial);
        if (folders.empty()) return std::nullopt;
        std::optional<std::u16string> folder = folders.front();
        folders.pop_front();
        return folder;
    }
    std::optional<FontDescription> chooseFont(HWND, const FontDescription& initial) override {
        fontDialogStarts.push_back(initial);
        if (fonts.empty()) return std::nullopt;
        std::optional<FontDescription> font = fonts.front();
        fonts.pop_front();
        return font;
    }
    void showMessage(HWND, const std::u16string& text, MessageIcon icon) override {
        messages.push_back({text, icon});
    }
    bool askYesNo(HWND, const std::u16string& question) override {
        questions.push_back(question);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    void setClipboardText(HWND, const std::u16string& text) override { clipboard = text; }
    std::u16string clipboardText(HWND) override { return clipboard; }
    bool openDocument(const std::u16string& pathOrAddress) override {
        opened.push_back(pathOrAddress);
        return true;
    }

    std::deque<std::optional<std::u16string>> filesToOpen;
    std::deque<bool> answers;
    std::deque<std::optional<SaveChoice>> filesToSave;
    std::deque<std::optional<std::u16string>> folders;
    struct SaveStart {
        std::u16string suggestedPath;
        std::u16string filter;
    };
    std::vector<SaveStart> saveStarts;
    std::vector<std::u16string> folderChooserStarts;
    std::deque<std::optional<FontDescription>> fonts;
    std::vector<FontDescription> fontDialogStarts;
    std::vector<std::u16string> filters;
    std::vector<Message> messages;
    std::vector<std::u16string> questions;
    std::u16string clipboard;
    std::vector<std::u16string> opened;
};

}  // namespace tessik::test
