#pragma once
// Operating-system services for files and folders, shaped after the Windows calls the rest of
// the program was designed around (attributes, directory creation, current and full paths,
// program path, application-data folders, local time). All paths are UTF-16.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessik {

enum class PathKind { kMissing, kFile, kFolder };

// Follows links: a link to a folder is a folder. Anything that exists and is not a folder
// (a FIFO or a device too) counts as a file, as an attribute query would report it.
PathKind QueryPathKind(const std::u16string& path);

// The size of a regular file, links followed; 0 for anything else or what cannot be asked. For
// estimates only: the file may change before it is read.
std::uint64_t RegularFileSize(const std::u16string& path);

// Creates one directory level; false when it could not be created (it may already exist).
bool CreateDirectoryLevel(const std::u16string& path);

std::u16string CurrentDirectory();

// The path made absolute against the current directory, with "." and ".." resolved as text
// (links are not followed). Empty when the current directory cannot be read.
std::u16string FullPath(const std::u16string& path);

// Absolute path of the running program; empty when it cannot be determined.
std::u16string ProgramPath();

// Per-user and machine-wide application-data folders, without a trailing separator.
// Per-user: $XDG_CONFIG_HOME, else ~/.config (created when missing).
// Machine-wide: the first entry of $XDG_CONFIG_DIRS, else /etc/xdg.
std::u16string UserAppDataFolder();
std::u16string MachineAppDataFolder();

struct LocalTime {
    int year, month, day, hour, minute, second;  // month 1-12, hour 0-23
};
LocalTime LocalTimeNow();

// Why a file could not be written; kNone when it was.
enum class WriteFailure {
    kNone,
    kPermissionDenied,  // the user may not write there
    kReadOnly,          // the file system is mounted read-only
    kNoSpace,           // the disk or the user's quota is full
    kCannotCreate,      // no file can have that name there: a missing folder, a name not allowed
    kIoError,           // anything else: a failing device
};

// Replaces the file's contents with the bytes, or leaves the old file untouched: the bytes go to
// a temporary file beside it, made exclusively under a name no other run can hold, which is
// renamed over the old one only once it is complete; a failed attempt removes it. A link stays a
// link, and the file keeps its permissions. With `keepOldAs`, an old file is kept there too
// (replacing what was there) once the new one is complete, and the new one starts with default
// permissions: for an old file that could not be read, which must not be lost and whose
// permissions may be why. It is kept as a second link to it, so that the file is there at every
// step; only where the file system has no links is it moved there, and for that moment the
// complete temporary is all there is (see TemporariesNewerThan). Temporaries that killed saves
// of either file left are removed first (see RemoveStaleTemporaries).
WriteFailure ReplaceFileContents(const std::u16string& path, std::string_view bytes,
                                 const std::u16string& keepOldAs = {});

// A temporary younger than this may belong to a save still under way.
inline constexpr int kStaleTemporarySeconds = 60;

// Temporary files that ReplaceFileContents left beside `path` in a run that was killed, older
// than `minimumAgeSeconds`, are removed. Younger ones may belong to a run still saving.
void RemoveStaleTemporaries(const std::u16string& path, int minimumAgeSeconds);

// Temporaries that ReplaceFileContents left beside `path` and wrote after the file last changed
// (all of them when there is no file), newest first. A save killed after its temporary was
// complete, but before that took the file's place, left the newest contents in one of them; the
// caller, who knows what a complete file looks like, may save them in its place.
std::vector<std::u16string> TemporariesNewerThan(const std::u16string& path);

}  // namespace tessik
