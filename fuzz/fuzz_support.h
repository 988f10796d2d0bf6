#pragma once
// What every fuzz target shares: a broken property is a crash, so the fuzzer keeps the input.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/file_system.h"
#include "platform/path_encoding.h"
#include "platform/system_calls.h"

namespace tessik::fuzz {

inline void Require(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// UTF-16 text of any units, lone surrogates and NULs included.
inline std::u16string ConsumeUtf16(FuzzedDataProvider& input, std::size_t maxUnits) {
    const std::string bytes = input.ConsumeRandomLengthString(maxUnits * 2);
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return text;
}

// One scratch folder per fuzzing process, removed when it ends; each input is written to it.
class Scratch {
  public:
    Scratch() {
        // Durability is not what is fuzzed here, and a sync per input would be most of the time.
        systemCalls.fsync = [](int) { return 0; };
        // Memory-backed when the machine has it: each input is written and read several times.
        const char* base = std::getenv("TMPDIR");
        if (base == nullptr || base[0] == '\0')
            base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path_ = std::string(base) + "/tessik-fuzz-XXXXXX";
        Require(::mkdtemp(path_.data()) != nullptr, "a scratch folder can be made");
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

inline const std::string& ScratchFolder() {
    static const Scratch scratch;
    return scratch.path();
}

// The bytes as a scratch file of that name.
inline std::u16string WriteScratchFile(const char* name, const std::string& bytes) {
    const std::u16string path = FromNativePath(ScratchFolder() + "/" + name);
    Require(ReplaceFileContents(path, bytes) == WriteFailure::kNone,
            "the scratch file can be written");
    return path;
}

}  // namespace tessik::fuzz
