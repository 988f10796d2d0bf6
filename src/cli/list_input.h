#pragma once
// A checksum list to read: a file by its name, or standard input for "-". Pipes are read too, so
// that a list can come from another command (tessik-sum -c <(...)).

#include <cstdio>
#include <string>

#include "cli/console.h"
#include "lists/checksum_list_reader.h"

namespace tessik {

class ListInput {
  public:
    ListInput(const std::string& name, Console& console);
    ~ListInput();
    ListInput(const ListInput&) = delete;
    ListInput& operator=(const ListInput&) = delete;

    // False, with Problem() saying why, when the list cannot be opened.
    bool IsOpen() const { return isInput_ || file_ != nullptr; }
    ListBytes Bytes();
    // The cause of the last failure to open or read, as the system words it.
    std::string Problem() const;
    // How messages name the list.
    const std::string& DisplayName() const { return displayName_; }

  private:
    Console& console_;
    const bool isInput_;
    const std::string displayName_;
    std::FILE* file_ = nullptr;
    int error_ = 0;
};

}  // namespace tessik
