#include "ui/qt/dropped_paths.h"

#include <QMimeData>
#include <QUrl>

#include "platform/path_encoding.h"
#include "ui/rules/main_commands.h"

namespace tessik {

std::vector<std::u16string> DroppedLocalPaths(const QMimeData& data) {
    std::vector<std::u16string> paths;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        // The bytes of the URL's path, not its decoded text, which would lose them.
        paths.push_back(CutDroppedPath(
            FromNativePath(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1())
                               .toStdString())));
    }
    return paths;
}

}  // namespace tessik
