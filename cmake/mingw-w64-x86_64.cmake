# Cross-building for 64-bit Windows with mingw-w64's posix thread model, which std::thread needs:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config looks among the target's libraries only: the build machine's (GPGME's) would be
# found and linked otherwise.
set(ENV{PKG_CONFIG_LIBDIR} ${CMAKE_FIND_ROOT_PATH}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

# xxHash is used as one portable header, for which Debian has no mingw package: the build
# machine's header alone, in a folder of its own, without the rest of its include folder.
if(NOT DEFINED TESSIK_XXHASH_INCLUDE_DIR AND EXISTS /usr/include/xxhash.h)
    set(xxhash_folder ${CMAKE_BINARY_DIR}/xxhash-header)
    file(MAKE_DIRECTORY ${xxhash_folder})
    file(CREATE_LINK /usr/include/xxhash.h ${xxhash_folder}/xxhash.h SYMBOLIC)
    set(TESSIK_XXHASH_INCLUDE_DIR ${xxhash_folder} CACHE PATH "xxhash.h for the Windows build")
endif()

# The programs run on any Windows machine, and under Wine here, without the compiler's DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Test programs found by CTest run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
