#pragma once
// The application: it shows the main window modally, and the process ends when that window
// ends; there is no message loop of its own.

#include <string>
#include <vector>

namespace tessik {

class DesktopServices;

class CTessikApp {
  public:
    explicit CTessikApp(DesktopServices& desktop) : desktop_(desktop) {}

    // The command line as it remains after Qt took its own options. Returns false: nothing is
    // left to run once the main window has ended, whatever its result.
    bool InitInstance(int argc, char** argv);

  private:
    DesktopServices& desktop_;
};

// The arguments after the program name, each decoded from its bytes without loss.
std::vector<std::u16string> ArgumentsAfterProgramName(int argc, char** argv);

}  // namespace tessik
