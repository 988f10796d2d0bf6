#include "lists/list_names.h"

#include <algorithm>

#include "lists/list_signature.h"
#include "platform/path_utilities.h"

namespace tessik {

std::u16string WithoutExtension(const std::u16string& name) {
    return name.substr(0, name.size() - ExtensionOf(name).size());
}

bool HasSignatureExtension(const std::u16string& name) {
    const std::u16string extension = LowerExtensionOf(name);
    return std::find(kSignatureExtensions.begin(), kSignatureExtensions.end(), extension) !=
           kSignatureExtensions.end();
}

}  // namespace tessik
