#include "support/temporary_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/path_encoding.h"

namespace tessik::test {

TemporaryFolder::TemporaryFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") +
                          "/tessik-test-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    // Sub-folders a test made unreadable must become readable again to be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(
             path_, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
    }
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TemporaryFolder::U16(std::string_view relative) const {
    return FromNativePath(relative.empty() ? path_ : Native(relative));
}

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

void WriteBytes(const std::string& nativePath, std::string_view bytes) {
    std::ofstream out(nativePath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << nativePath;
}

std::string ReadBytes(const std::string& nativePath) {
    std::ifstream in(nativePath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void MakeFolder(const std::string& nativePath) {
    std::error_code error;
    std::filesystem::create_directories(nativePath, error);
    ASSERT_FALSE(error) << nativePath;
}

bool ChangeDirectory(const std::u16string& path) {
    return ::chdir(ToNativePath(path).c_str()) == 0;
}

}  // namespace tessik::test
