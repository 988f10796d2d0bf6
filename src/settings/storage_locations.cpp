#include "settings/storage_locations.h"

#include <cstdio>
#include <optional>

#include "platform/path_encoding.h"
#include "platform/path_utilities.h"
#include "platform/text_conversion.h"
#include "settings/key_value_document.h"

namespace tessik {
namespace {

std::u16string WithTrailingSeparator(std::u16string directory) {
    if (directory.empty() || !IsPathSeparator(directory.back())) directory += kPathSeparator;
    return directory;
}

// base/Korvane/Tessik/ with both levels created (failures are left to the later reads and
// writes). Empty when the base folder is unknown, so nothing is ever made at the root.
std::u16string ProductFolder(const std::u16string& base) {
    if (base.empty()) return {};
    std::u16string folder = WithTrailingSeparator(base) + kCompanyFolderName + kPathSeparator;
    CreateDirectoryLevel(folder);
    folder += kProductFolderName;
    folder += kPathSeparator;
    CreateDirectoryLevel(folder);
    return folder;
}

std::u16string ProgramDirectory(const StorageEnvironment& environment) {
    if (!environment.programPath.empty()) {
        std::u16string directory = DirectoryPart(environment.programPath);
        if (DirectoryExists(directory)) return directory;
    }
    if (environment.argumentZero.empty()) return {};
    return DirectoryPart(FullPath(environment.argumentZero));
}

// The storage directory the selector file names, if any.
std::optional<std::u16string> SelectedStorage(const std::u16string& programDirectory) {
    KeyValueDocument selector(DocumentLayout::Plain);
    if (!selector.load(programDirectory + kSelectorFileName).loaded()) return std::nullopt;
    if (selector.getString("UseExeFilePath", "") == "1") return programDirectory;
    // A path from a file is bytes of the file system, so it is decoded losslessly.
    std::u16string storage = FromNativePath(selector.getString("ApplicationStorage", ""));
    if (storage.empty()) return std::nullopt;
    // A relative folder is the program's, whatever folder the program was started in; the
    // process keeps the folder it was started in, against which the user's own relative names
    // are resolved.
    if (!IsAbsolutePath(storage)) storage = programDirectory + storage;
    if (!DirectoryExists(storage)) return std::nullopt;
    const std::u16string absolute = FullPath(storage);
    if (absolute.empty()) return std::nullopt;
    return WithTrailingSeparator(absolute);
}

std::string FormatInstallDate(const LocalTime& time) {
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    return text;
}

}  // namespace

StorageEnvironment SystemStorageEnvironment(const std::u16string& argumentZero) {
    return {ProgramPath(), argumentZero, UserAppDataFolder, MachineAppDataFolder, LocalTimeNow};
}

StorageLocations resolveStorageLocations(const StorageEnvironment& environment) {
    StorageLocations locations;
    locations.programDirectory = ProgramDirectory(environment);
    if (std::optional<std::u16string> selected = SelectedStorage(locations.programDirectory)) {
        locations.storageDirectory = std::move(*selected);
        locations.storageFromSelector = true;
        return locations;
    }
    locations.storageDirectory = ProductFolder(environment.userAppDataFolder());
    writeInstallationRecord(environment, locations.programDirectory);
    return locations;
}

bool writeInstallationRecord(const StorageEnvironment& environment,
                             const std::u16string& programDirectory) {
    const std::string installDate = FormatInstallDate(environment.now());
    const std::u16string folder = ProductFolder(environment.machineAppDataFolder());
    if (folder.empty()) return false;
    const std::u16string path = folder + kInstallationFileName;
    KeyValueDocument record(DocumentLayout::Plain);
    if (FileExists(path) && record.load(path).loaded() &&
        record.getString("Version", "") == kProgramVersionText) {
        return false;
    }
    record.clear();
    record.setString("InstallationDirectory", ToUtf8(programDirectory));
    record.setString("LanguageFile", ToUtf8(kLanguageCatalogueFileName));
    record.setString("IniFile", ToUtf8(kSettingsFileName));
    record.setString("Version", kProgramVersionText);
    record.setString("InstallDate", installDate);
    return record.save(path) == WriteFailure::kNone;
}

}  // namespace tessik
