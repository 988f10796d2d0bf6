#include "ui/qt/tessik_app.h"

#include "platform/path_encoding.h"
#include "settings/storage_locations.h"
#include "ui/qt/tessik_dlg.h"

namespace tessik {

std::vector<std::u16string> ArgumentsAfterProgramName(int argc, char** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(FromNativePath(argv[i]));
    return arguments;
}

bool CTessikApp::InitInstance(int argc, char** argv) {
    CTessikDlg window(desktop_, SystemStorageEnvironment(FromNativePath(argc > 0 ? argv[0] : "")),
                      ArgumentsAfterProgramName(argc, argv));
    window.run();
    return false;
}

}  // namespace tessik
