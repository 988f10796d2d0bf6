#pragma once
// The desktop services of the running program, on Qt's standard dialogs and services.

#include "ui/qt/desktop_services.h"

namespace tessik {

class QtDesktopServices final : public DesktopServices {
  public:
    std::optional<QString> chooseFileToOpen(QWidget* owner, const QString& filter,
                                            const QString& title, const QString& folder,
                                            const QString& name) override;
    std::optional<SaveChoice> chooseFileToSave(QWidget* owner, const QString& suggestedPath,
                                               const QString& filter) override;
    std::optional<QString> chooseFolder(QWidget* owner, const QString& initialFolder) override;
    std::optional<FontDescription> chooseFont(QWidget* owner,
                                              const FontDescription& initial) override;
    void showMessage(QWidget* owner, const QString& text, const QString& caption,
                     MessageIcon icon) override;
    bool askYesNo(QWidget* owner, const QString& question) override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() const override;
    bool openDocument(const QString& path) override;
    bool openAddress(const QString& address) override;
};

}  // namespace tessik
