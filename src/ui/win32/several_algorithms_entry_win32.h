#pragma once
// The last entry of an algorithm list on Win32, "Several algorithms...": chosen, it asks which
// in the algorithms window, ticked as the user last chose; cancelled there, the list goes back to
// the entry chosen before; picked again in the list, it asks again. While it is chosen, the
// list's tool tip names the algorithms. Without algorithms to tick, the list has no such entry
// and every choice in it is settled at once.

#include <windows.h>

#include <functional>
#include <string>

#include "settings/algorithm_set.h"

namespace tessik {

class FontSettings;
class Win32Dialog;
class Win32DesktopServices;

class Win32SeveralAlgorithmsEntry {
  public:
    struct Context {
        FontSettings& fonts;
        std::u16string languageFile;
        AlgorithmSet* ticked;  // what the algorithms window starts from and writes back
    };
    // Adds the entry, with its text, after the algorithms the window's list already holds, the
    // one chosen there being the entry before. `choiceMade` follows each settled choice: an
    // algorithm, or several.
    Win32SeveralAlgorithmsEntry(Win32Dialog& window, Win32DesktopServices& desktop, int listId,
                                const std::u16string& text, Context context,
                                std::function<void()> choiceMade);

    bool isChosen() const;
    // The algorithms while the entry is chosen.
    const AlgorithmSet& algorithms() const { return *context_.ticked; }

    // The window hands on its messages before the framework sees them: the list's notifications
    // and the entry's own. True when the message was one of those.
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void notified(WORD code);
    void chosen();

    Win32Dialog& window_;
    Win32DesktopServices& desktop_;
    const int listId_;
    Context context_;
    std::function<void()> choiceMade_;
    int before_;  // the entry chosen before
    // While the list is dropped down: an entry was picked in it, and the choice asked.
    bool pickedInList_ = false;
    bool askedInList_ = false;
};

}  // namespace tessik
