# The Debian package, made by `cpack -G DEB` in the build folder. Only a top-level build makes
# one: a project that adds Tessik as a sub-project packages itself.
if(NOT PROJECT_IS_TOP_LEVEL)
    return()
endif()

# The package's version is its changelog's latest entry, which must be of this release.
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog latest_entry LIMIT_COUNT 1)
if(NOT latest_entry MATCHES "^tessik \\(([^-]+)-([^)]+)\\)")
    message(FATAL_ERROR "debian/changelog must start with a tessik (<version>-<revision>) entry")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR
            "debian/changelog is for ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CMAKE_MATCH_2})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tessik developers <developers@tessik.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tessik.example.org/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TESSIK_BUILD_UI)
    # Qt loads its platform plugins at run time, which dpkg-shlibdeps cannot see.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
    # GNOME's file manager shows "Hash with Tessik" through its Python extensions.
    set(CPACK_DEBIAN_PACKAGE_SUGGESTS python3-nautilus)
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop hash generator with 36 algorithms")
    # Lines as they stand in the control file, each under 80 columns.
    string(CONCAT CPACK_PACKAGE_DESCRIPTION
        "Tessik computes the digest of a typed text or of a file with one of 36\n"
        "algorithms (MD2, MD4, MD5, SHA-1, SHA-2, Keccak, SHA-3, BLAKE2, BLAKE3,\n"
        "CRC-32, CRC-32C, the xxHash family and nine 32-bit string hashes),\n"
        "compares it with an expected value and copies it to the clipboard. A\n"
        "second window hashes every file of a folder. The windows speak English,\n"
        "German, French and Spanish.\n"
        "\n"
        "The package also holds tessik-sum, which writes and checks checksum lists\n"
        "as the standard checksum tools do, with every one of the algorithms.")
else()
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "checksum lists with 36 hash algorithms")
    string(CONCAT CPACK_PACKAGE_DESCRIPTION
        "tessik-sum writes and checks checksum lists as the standard checksum tools\n"
        "do, with any of 36 algorithms (MD2, MD4, MD5, SHA-1, SHA-2, Keccak, SHA-3,\n"
        "BLAKE2, BLAKE3, CRC-32, CRC-32C, the xxHash family and nine 32-bit string\n"
        "hashes).")
endif()

include(CPack)
