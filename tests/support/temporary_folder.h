#pragma once
// A fresh folder per test, removed with everything in it when the test ends, plus small file
// helpers that work on native paths.

#include <string>
#include <string_view>

namespace tessik::test {

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // Native path of the folder, without a trailing separator.
    const std::string& path() const { return path_; }
    // The folder, or a name inside it, as the UTF-16 path the program works with.
    std::u16string U16(std::string_view relative = {}) const;
    // `relative` separates its parts with '/'; the path has the system's own separators.
    std::string Native(std::string_view relative) const;

private:
    std::string path_;
};

// A Unix-domain socket bound at a path, which the test then sees as a file-system entry that is
// neither a file nor a folder. The socket closes with the object; the entry stays.
class BoundSocket {
  public:
    explicit BoundSocket(const std::string& nativePath);
    ~BoundSocket();
    BoundSocket(const BoundSocket&) = delete;
    BoundSocket& operator=(const BoundSocket&) = delete;

  private:
    int descriptor_ = -1;
};

void WriteBytes(const std::string& nativePath, std::string_view bytes);
std::string ReadBytes(const std::string& nativePath);
void MakeFolder(const std::string& nativePath);
// The process's current directory; the program itself never changes it.
bool ChangeDirectory(const std::u16string& path);

}  // namespace tessik::test
