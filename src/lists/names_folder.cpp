#include "lists/names_folder.h"

#include "lists/list_names.h"
#include "lists/listed_path.h"
#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/path_utilities.h"

namespace tessik {

std::u16string FolderTheNamesBelongTo(const std::u16string& listPath, const std::string& separator,
                                      ListReading reading) {
    const std::u16string list = FullPath(listPath);
    if (list.empty()) return {};
    const std::u16string listFolder = DirectoryPart(list);
    const std::u16string base = WithoutExtension(FileNamePart(list));
    if (base == FileNamePart(list)) return {};
    const std::u16string folder = listFolder + base + kPathSeparator;
    if (!DirectoryExists(folder)) return {};
    std::size_t looked = 0;
    std::size_t missingBeside = 0;
    std::size_t foundInFolder = 0;
    ForEachListedName(listPath, separator, reading, [&](const std::string& name) {
        if (IsFullListName(name)) return true;
        ++looked;
        if (QueryPathKind(ListedPath(name, listFolder, reading)) == PathKind::kMissing)
            ++missingBeside;
        if (QueryPathKind(ListedPath(name, folder, reading)) != PathKind::kMissing) ++foundInFolder;
        return looked < kNamesLookedAt;
    });
    const bool most = 2 * missingBeside > looked && 2 * foundInFolder > looked;
    return most ? folder : std::u16string();
}

}  // namespace tessik
