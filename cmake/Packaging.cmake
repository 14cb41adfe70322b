# The Debian package: `cpack` in a build configured with the "package" preset (scripts/package does both).
# Shared-library dependencies come from dpkg-shlibdeps; what the program loads at run time without linking it
# is named here: GStreamer's plugins (the music player decodes MP3 through them), a font with Chinese glyphs
# and Qt's own translations for the Chinese user interface.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "schedules for a zone broadcast (public-address) controller")
# Lines of at most 80 columns, as Debian's policy asks of a long description.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvan prepares the timed programmes of a zone broadcast controller: four\n\
weekly schedules and twelve remote-key presets, written at once to the\n\
controller's data files and copied to and from its SD card after showing what\n\
would change. Entries go to and from spreadsheets as CSV. The user interface is\n\
English or simplified Chinese. quorvan-dat reads, writes, compares and checks\n\
the data files from the command line.")
set(CPACK_PACKAGE_CONTACT "Quorvan developers <quorvan@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Packaged apart from the source, so a Debian revision (1.0.0-1) and changelog.Debian.gz, not a native package.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-wqy-microhei | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-pulseaudio | gstreamer1.0-pipewire, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://example.org/quorvan")

include(CPack)
