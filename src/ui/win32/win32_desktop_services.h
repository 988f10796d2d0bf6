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
    // The full path of the chosen folder, starting at the one given; nothing when cancelled.
    virtual std::optional<std::u16string> chooseFolder(HWND owner, const std::u16string& start) = 0;
    // The picked font; nothing when cancelled.
    virtual std::optional<FontDescription> chooseFont(HWND owner,
                                                      const FontDescription& initial) = 0;
    virtual void showMessage(HWND owner, const std::u16string& text, MessageIcon icon) = 0;
    // True for Yes; Escape and the close box answer No.
    virtual bool askYesNo(HWND owner, const std::u16string& question) = 0;
    virtual void setClipboardText(HWND owner, const std::u16string& text) = 0;
    // False when no program could open it.
    virtual bool openDocument(const std::u16string& pathOrAddress) = 0;
};

// The services of the running system.
class SystemDesktopServices final : public Win32DesktopServices {
  public:
    std::optional<std::u16string> chooseFileToOpen(HWND owner,
                                                   const std::u16string& filter) override;
    std::optional<std::u16string> chooseFolder(HWND owner, const std::u16string& start) override;
    std::optional<FontDescription> chooseFont(HWND owner, const FontDescription& initial) override;
    void showMessage(HWND owner, const std::u16string& text, MessageIcon icon) override;
    bool askYesNo(HWND owner, const std::u16string& question) override;
    void setClipboardText(HWND owner, const std::u16string& text) override;
    bool openDocument(const std::u16string& pathOrAddress) override;
};

}  // namespace tessik
