# The Debian package: `cpack -G DEB` in the build folder writes rennor_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME rennor)
set(CPACK_PACKAGE_VENDOR "Veltrane Inc.")
set(CPACK_PACKAGE_CONTACT "Veltrane Inc. <support@veltrane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "five-in-a-row game against the computer or a friend")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Two sides, black and white, take turns placing stones on a 19 by 19 board;"
    "five or more in a row wins. Play against the built-in computer player or a"
    "friend, with hints, undo and redo, replay of a finished game, saved games,"
    "a game clock, music and game-over sounds.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY rennor)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays in the build folder; users get a lean program.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program links come from dpkg-shlibdeps; the Qt plugins it loads at run time
# (windowing, audio) ship in those same library packages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Music needs a General MIDI soundfont; without one the game plays on in silence. The texts fit
# their fixed places in fonts of the classic widths; without them a wider system font may cut them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "timgm6mb-soundfont | sf2-soundfont-gm, fonts-liberation2 | fonts-croscore")

include(CPack)
