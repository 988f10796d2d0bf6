#include "ui/win32/algorithm_list_win32.h"

#include "digest/algorithm_catalogue.h"
#include "platform/text_conversion.h"
#include "ui/win32/win32_text.h"

namespace tessik {

void FillAlgorithmList(HWND list) {
    for (const AlgorithmInfo& algorithm : AlgorithmCatalogue()) {
        SendMessageW(list, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(ToWide(FromUtf8(algorithm.name)).c_str()));
    }
}

}  // namespace tessik
