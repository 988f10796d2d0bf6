#pragma once
// Everything a window asks of the desktop beyond its own controls: the platform's file, folder
// and font dialogs, message boxes, the clipboard and opening documents and web addresses. The
// windows reach them only through this interface, so tests can answer the dialogs and see what
// was shown, copied and opened.

#include <QString>
#include <optional>

#include "settings/font_settings.h"

class QWidget;

namespace tessik {

enum class MessageIcon { kInformation, kExclamation };

class DesktopServices {
  public:
    virtual ~DesktopServices() = default;

    // The full path of the chosen file; nothing when cancelled. The filter is in the
    // "description|pattern||" form of the language files. A title, where given, says why the
    // dialog opened; it starts in the folder given, with the name given filled in.
    virtual std::optional<QString> chooseFileToOpen(QWidget* owner, const QString& filter,
                                                    const QString& title, const QString& folder,
                                                    const QString& name) = 0;
    // The file to write and the entry of the filter chosen with it, counted from 0; nothing
    // when cancelled. The dialog starts on the suggested path and asks before replacing a file.
    struct SaveChoice {
        QString path;
        int filterEntry = 0;
    };
    virtual std::optional<SaveChoice> chooseFileToSave(QWidget* owner, const QString& suggestedPath,
                                                       const QString& filter) = 0;
    // The chosen folder without a trailing separator; nothing when cancelled. The browser opens
    // on the initial folder when it is not empty.
    virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& initialFolder) = 0;
    // The picked font; nothing when cancelled.
    virtual std::optional<FontDescription> chooseFont(QWidget* owner,
                                                      const FontDescription& initial) = 0;
    // A message box with an OK button.
    virtual void showMessage(QWidget* owner, const QString& text, const QString& caption,
                             MessageIcon icon) = 0;
    // A question with Yes and No buttons; true for Yes. Escape and the close box answer No.
    virtual bool askYesNo(QWidget* owner, const QString& question) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // The clipboard's text; empty when it holds none.
    virtual QString clipboardText() const = 0;
    // A file is opened with the program the desktop associates with it; an address (http,
    // https, mailto) in the browser or mail program. False when no program could open it.
    virtual bool openDocument(const QString& path) = 0;
    virtual bool openAddress(const QString& address) = 0;
};

}  // namespace tessik
