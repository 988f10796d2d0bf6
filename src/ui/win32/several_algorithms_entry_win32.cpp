#include "ui/win32/several_algorithms_entry_win32.h"

#include "digest/algorithm_catalogue.h"
#include "ui/rules/algorithm_match.h"
#include "ui/win32/algorithms_window_win32.h"
#include "ui/win32/win32_dialog.h"
#include "ui/win32/win32_text.h"

namespace tessik {
namespace {

// Posted when the list closes on an entry picked in it.
constexpr UINT kPickedInListMessage = WM_APP + 1;

}  // namespace

Win32SeveralAlgorithmsEntry::Win32SeveralAlgorithmsEntry(Win32Dialog& window,
                                                         Win32DesktopServices& desktop, int listId,
                                                         const std::u16string& text,
                                                         Context context,
                                                         std::function<void()> choiceMade)
    : window_(window),
      desktop_(desktop),
      listId_(listId),
      context_(std::move(context)),
      choiceMade_(std::move(choiceMade)),
      before_(window.selectedEntry(listId)) {
    if (context_.ticked == nullptr) return;
    SendMessageW(window_.control(listId_), CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(ToWide(text).c_str()));
}

bool Win32SeveralAlgorithmsEntry::isChosen() const {
    return context_.ticked != nullptr && window_.selectedEntry(listId_) == AlgorithmCount();
}

// The entry picked again changes no selection, so the list's closing on a pick asks again. It is
// posted, so that it comes after the list's other notifications, whatever their order.
void Win32SeveralAlgorithmsEntry::notified(WORD code) {
    switch (code) {
        case CBN_SELCHANGE:
            chosen();
            break;
        case CBN_DROPDOWN:
            pickedInList_ = askedInList_ = false;
            break;
        case CBN_SELENDOK:
            pickedInList_ = true;
            break;
        case CBN_CLOSEUP:
            if (pickedInList_) PostMessageW(window_.handle(), kPickedInListMessage, 0, 0);
            break;
        default:
            break;
    }
}

bool Win32SeveralAlgorithmsEntry::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == listId_ && lParam != 0) {
        notified(HIWORD(wParam));
        return true;
    }
    if (message != kPickedInListMessage) return false;
    if (!askedInList_ && isChosen()) chosen();
    return true;
}

void Win32SeveralAlgorithmsEntry::chosen() {
    askedInList_ = true;
    if (isChosen()) {
        Win32AlgorithmsWindow window(desktop_, context_.fonts, context_.languageFile,
                                     *context_.ticked);
        if (window.run(window_.handle()) != kOkResult) {
            window_.selectEntry(listId_, before_);
            return;
        }
        window_.setToolTip(listId_, AlgorithmNamesText(*context_.ticked));
    } else {
        window_.setToolTip(listId_, {});
    }
    before_ = window_.selectedEntry(listId_);
    choiceMade_();
}

}  // namespace tessik
