#pragma once
// The folder window as the folder hashing job sees it: its controls, nothing else. The job calls
// these only on the window's own thread (see FolderHashJob), so an implementation reads and
// writes its widgets directly and needs no locking of its own.

#include <cstdint>
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

// Where a run has got; read by the window while the run goes on.
struct FolderRunProgress {
    std::uint64_t filesDone = 0;  // hashed or found unreadable
    std::uint64_t bytesDone = 0;  // digested so far, the current file's part included
    std::u16string currentFile;   // empty between files
    std::uint64_t currentDone = 0;
    std::uint64_t currentTotal = 0;
};

// What a run came to.
struct FolderRunSummary {
    std::uint64_t filesHashed = 0;
    std::uint64_t filesUnreadable = 0;  // listed with the unreadable result
    std::uint64_t foldersNotOpened = 0;
    std::uint64_t bytes = 0;
    double seconds = 0;
    bool stopped = false;  // ended by the stop flag before the walk was complete
    bool operator==(const FolderRunSummary&) const = default;
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
    // The run has ended; its last lines are in the output field.
    virtual void ShowSummary(const FolderRunSummary& summary) = 0;

  protected:
    ~FolderJobWindow() = default;
};

}  // namespace tessik
