#pragma once
// The folder window as the folder hashing job sees it: its controls, nothing else. The job calls
// these only on the window's own thread (see FolderHashJob), so an implementation reads and
// writes its widgets directly and needs no locking of its own.

#include <string>

namespace tessik {

// Read once when a run starts.
struct FolderJobSettings {
    std::u16string folder;           // the folder field as typed
    std::u16string nameFilter;       // the file-name filter field
    std::u16string extensionFilter;  // the extension filter field
    bool subfolders = false;         // the Subfolders box
};

// Read when a run starts and again at every change the window reports, so a change made during
// a run applies from the next file on.
struct DigestChoice {
    int algorithmIndex = -1;  // the algorithm list's selection, -1 for none
    bool lowerCase = true;    // the Lowercase letters box
};

class FolderJobWindow {
  public:
    virtual FolderJobSettings ReadJobSettings() = 0;
    virtual DigestChoice ReadDigestChoice() = 0;
    // Running: Stop shown, OK and Process disabled. Idle: the reverse.
    virtual void ShowRunning(bool running) = 0;
    // Replaces the output field's text and scrolls it to the end.
    virtual void SetOutput(const std::u16string& text) = 0;
    // Adds lines at the end of the output field and scrolls to them. Returns false, changing
    // nothing, when the field no longer holds exactly what the job last set or added there
    // (the user edited it); the job then sets its whole output again.
    virtual bool AppendOutput(const std::u16string& lines) = 0;

  protected:
    ~FolderJobWindow() = default;
};

}  // namespace tessik
