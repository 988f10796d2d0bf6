#pragma once
// What a Win32 window asks of the desktop beyond its own controls: the common file dialogs,
// message boxes, the clipboard and opening documents and addresses. The windows reach them only
// through this interface, so the tests can answer the dialogs and see what was shown and copied.

#include <windows.h>

#include <optional>
#include <string>

#include "settings/font_settings.h"

namespace tessik {

enum class MessageIcon { kInformation, kExclamation };

class Win32DesktopServices {
  public:
    virtual ~Win32DesktopServices() = default;

    // The full path of the chosen file; nothing when cancelled. The filter is in the
    // "description|pattern||" form of the language files.
    virtual std::optional<std::u16string> chooseFileToOpen(HWND owner,
                                                           const std::u16string& filter) = 0;
    struct SaveChoice {
        std::u16string path;
        int filterEntry = 0;  // the position of the filter entry chosen
    };
    // Where to write; nothing when cancelled. The dialog opens on the suggested path and asks
    // before it replaces a file.
    virtual std::optional<SaveChoice> chooseFileToSave(HWND owner,
                                                       const std::u16string& suggestedPath,
                                                       const std::u16string& filter) = 0;
    // The chosen folder; nothing when cancelled. The chooser opens on the initial folder when it
    // is not empty.
    virtual std::optional<std::u16string> chooseFolder(HWND owner,
                                                       const std::u16string& initialFolder) = 0;
    // The picked font; nothing when cancelled.
    virtual std::optional<FontDescription> chooseFont(HWND owner,
                                                      const FontDescription& initial) = 0;
    virtual void showMessage(HWND owner, const std::u16string& text, MessageIcon icon) = 0;
    // True for Yes; Escape and the close box answer No.
    virtual bool askYesNo(HWND owner, const std::u16string& question) = 0;
    virtual void setClipboardText(HWND owner, const std::u16string& text) = 0;
    // The clipboard's text; empty when it holds none.
    virtual std::u16string clipboardText(HWND owner) = 0;
    // False when no program could open it.
    virtual bool openDocument(const std::u16string& pathOrAddress) = 0;
};

// The services of the running system.
class SystemDesktopServices final : public Win32DesktopServices {
  public:
    std::optional<std::u16string> chooseFileToOpen(HWND owner,
                                                   const std::u16string& filter) override;
    std::optional<SaveChoice> chooseFileToSave(HWND owner, const std::u16string& suggestedPath,
                                               const std::u16string& filter) override;
    std::optional<std::u16string> chooseFolder(HWND owner,
                                               const std::u16string& initialFolder) override;
    std::optional<FontDescription> chooseFont(HWND owner, const FontDescription& initial) override;
    void showMessage(HWND owner, const std::u16string& text, MessageIcon icon) override;
    bool askYesNo(HWND owner, const std::u16string& question) override;
    void setClipboardText(HWND owner, const std::u16string& text) override;
    std::u16string clipboardText(HWND owner) override;
    bool openDocument(const std::u16string& pathOrAddress) override;
};

}  // namespace tessik
