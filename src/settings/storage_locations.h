#pragma once
// Where the program's data files are: the program directory (language files, documents, the
// storage selector) and the storage directory (the settings file). A selector file beside the
// program can make an installation portable; otherwise the settings live in a per-user folder
// and a machine-wide installation record notes which version was installed where.

#include <functional>
#include <string>

#include "platform/file_system.h"

namespace tessik {

inline constexpr char16_t kSelectorFileName[] = u"SavePath.ini";
inline constexpr char16_t kSettingsFileName[] = u"Tessik.ini";
inline constexpr char16_t kLanguageCatalogueFileName[] = u"Languages.ini";
inline constexpr char16_t kInstallationFileName[] = u"Installation.ini";
inline constexpr char16_t kCompanyFolderName[] = u"Korvane";
inline constexpr char16_t kProductFolderName[] = u"Tessik";
inline constexpr char kProgramVersionText[] = "Version 1.690 (15.10.2019)";

struct StorageLocations {
    std::u16string programDirectory;  // ends with a separator; empty when unknown
    std::u16string storageDirectory;  // ends with a separator
    bool storageFromSelector = false;
};

// What the decisions depend on, so tests can point every folder at a temporary one. The
// folder queries are called only when their folder is needed, since the per-user one is
// created by the query itself.
struct StorageEnvironment {
    std::u16string programPath;   // of the running program; empty when unknown
    std::u16string argumentZero;  // fallback for the program path
    std::function<std::u16string()> userAppDataFolder;
    std::function<std::u16string()> machineAppDataFolder;
    std::function<LocalTime()> now;
};

// The running program's environment.
StorageEnvironment SystemStorageEnvironment(const std::u16string& argumentZero);

// A relative storage folder named by the selector is taken relative to the program directory;
// the process's current directory never changes. May write the installation record.
StorageLocations resolveStorageLocations(const StorageEnvironment& environment);

// Writes the record unless it already names this version. False when nothing was written,
// whether it was up to date or could not be written.
bool writeInstallationRecord(const StorageEnvironment& environment,
                             const std::u16string& programDirectory);

}  // namespace tessik
