#include "support/temporary_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <stdexcept>
#ifdef _WIN32
#include <direct.h>
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "platform/path_encoding.h"

namespace tessik::test {
namespace {

// A native path as the standard library takes it: bytes here, UTF-8 read as such on Windows,
// where a narrow name would go through the code page.
std::filesystem::path FileSystemPath(const std::string& nativePath) {
#ifdef _WIN32
    const std::u16string wide = FromNativePath(nativePath);
    return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
    return std::filesystem::path(nativePath);
#endif
}

}  // namespace

#ifdef _WIN32
TemporaryFolder::TemporaryFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 16 && path_.empty(); ++attempt) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                             ("tessik-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) {
            const std::u16string wide = folder.u16string();
            path_ = ToNativePath(wide);
        }
    }
    if (path_.empty()) throw std::runtime_error("no temporary folder");
}
#else
TemporaryFolder::TemporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") +
                          "/tessik-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}
#endif

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    // Sub-folders a test made unreadable must become readable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(
             FileSystemPath(path_), std::filesystem::directory_options::skip_permission_denied,
             ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
    }
    std::filesystem::remove_all(FileSystemPath(path_), ignored);
}

std::string TemporaryFolder::Native(std::string_view relative) const {
    std::string path = path_ + "/" + std::string(relative);
    if (kPathSeparator != u'/') std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::u16string TemporaryFolder::U16(std::string_view relative) const {
    return FromNativePath(relative.empty() ? path_ : Native(relative));
}

#ifdef _WIN32
BoundSocket::BoundSocket(const std::string& nativePath) {
    ADD_FAILURE() << "no Unix-domain sockets in this build: " << nativePath;
}

BoundSocket::~BoundSocket() = default;
#else
BoundSocket::BoundSocket(const std::string& nativePath)
    : descriptor_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (nativePath.size() >= sizeof(address.sun_path)) {
        ADD_FAILURE() << "socket path too long: " << nativePath;
        return;
    }
    nativePath.copy(address.sun_path, nativePath.size());
    EXPECT_EQ(::bind(descriptor_, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0)
        << nativePath;
}

BoundSocket::~BoundSocket() {
    if (descriptor_ >= 0) ::close(descriptor_);
}
#endif

void WriteBytes(const std::string& nativePath, std::string_view bytes) {
    std::ofstream out(FileSystemPath(nativePath), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << nativePath;
}

std::string ReadBytes(const std::string& nativePath) {
    std::ifstream in(FileSystemPath(nativePath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void MakeFolder(const std::string& nativePath) {
    std::error_code error;
    std::filesystem::create_directories(FileSystemPath(nativePath), error);
    ASSERT_FALSE(error) << nativePath;
}

bool ChangeDirectory(const std::u16string& path) {
#ifdef _WIN32
    return ::_wchdir(std::wstring(path.begin(), path.end()).c_str()) == 0;
#else
    return ::chdir(ToNativePath(path).c_str()) == 0;
#endif
}

}  // namespace tessik::test
