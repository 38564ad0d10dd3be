# The Debian package, made by CPack from the install rules of cmake/install.cmake:
#   ./build.sh package        (or: cmake --build build && cd build && cpack -G DEB)
# gives hvn35-writer_<version>_<arch>.deb in the build folder, installed under /usr.
#
# The libraries it needs are found by dpkg-shlibdeps from the programs themselves (libqt6core6,
# libqt6gui6, libqt6widgets6, libqt6serialport6, libicu72, libstdc++6, ...); where dpkg-shlibdeps is
# missing they are listed by hand as on Debian 12. What no program links but the window needs is added
# either way: a font with Japanese glyphs for the set-mode page and channel names.

set(N35_PACKAGE_MAINTAINER "HV-N35 Writer developers <hvn35writer@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")
set(N35_PACKAGE_HOMEPAGE "https://hvn35writer.github.io/" CACHE STRING "Homepage field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hvn35-writer)
set(CPACK_PACKAGE_VENDOR "HV-N35 Writer developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${N35_PACKAGE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "clone utility for the HV-N35 dual-band handheld transceiver")
# The summary goes on the first line; empty lines become the " ." Debian wants between paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the radio's memory over its programming cable (a USB serial cable),
shows it for editing in one window and writes it back: the 952 memory
channels, banks and bank links, one-touch keys, DTMF memories, the opening
title, custom glyphs and every set-mode option, in English or Japanese.

Also in the package: hvn35, a command-line tool for the same transfers and
for clone image and CSV files; hvn35-emulator, a stand-in radio on a
pseudo-terminal to try the program without a radio; a desktop entry,
AppStream metadata, a udev rule sample for the usual USB serial cables, the
user guide and a sample clone image to try.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # hvn35-writer_1.0.0_amd64.deb
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${N35_PACKAGE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")

set(n35_font_depends "fonts-ipafont-gothic | fonts-noto-cjk")
find_program(N35_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(N35_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Appended to what dpkg-shlibdeps finds.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "${n35_font_depends}")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1, libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), libqt6widgets6 (>= 6.4.0), libqt6printsupport6 (>= 6.4.0), libqt6serialport6 (>= 6.4.0), libicu72, ${n35_font_depends}")
endif()

include(CPack)
