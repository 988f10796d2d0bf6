#include "ui/tessik_app.h"

#include "folder/path_utilities.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "ui/tessik_dlg.h"

namespace tessik {

std::vector<std::u16string> ArgumentsAfterProgramName(int argc, char** argv) {
    std::vector<std::u16string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(FromNativePath(argv[i]));
    return arguments;
}

bool CTessikApp::InitInstance(int argc, char** argv) {
    CTessikDlg window(desktop_, DirectoryPart(ProgramPath()),
                      ArgumentsAfterProgramName(argc, argv));
    window.run();
    return false;
}

}  // namespace tessik
