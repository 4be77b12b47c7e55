# SPDX-License-Identifier: MIT
# The Debian package: cpack -G DEB in the build folder (tools/package.sh).
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR "Tarvex developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "firmware patch builder for the Samsung X120 handset")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvex writes patch files in Motorola S-record text (S3 records) that
replace the built-in melodies, Java game files and pictures of the Samsung
X120 handset's firmware with files you choose, and rewrite the firmware's
resource tables to point at them; any file can also be turned into a patch
at a typed address. It never talks to the handset itself.

The package holds the window (tarvex), the command-line program for scripts
(tarvex-cli) and a demonstration firmware data set.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarvex developers <tarvex@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# shlibdeps finds the libraries linked in (Qt, libjpeg, libzip); the window's
# platform plugin is loaded at run time, so it cannot see that one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# Only the window's melody preview plays through it, and it brings a large
# sound font: suggested, not recommended.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "timidity")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
