# The Debian package, written by cpack in a build folder ("make package" builds it with the
# package preset, whose install prefix is /usr like the package's).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelk55)
set(CPACK_PACKAGE_VENDOR "The Zelk team")
set(CPACK_PACKAGE_CONTACT "The Zelk team <zelk55@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shogi on a 5x5 board, against the computer or a friend")
set(CPACK_PACKAGE_DESCRIPTION [=[Zelk ５五将棋 is a desktop game of ５五将棋 (minishogi): shogi on a board
of five by five squares, with a king, a gold, a silver, a bishop, a rook
and a pawn on each side, where captured pieces come back into play as
drops.

Play the computer at one of six strengths, from a quick rule-based
player to a searching one, moving first or second, or share the board
with a friend; step moves back and forward, turn the board round, save
games to record files and replay them, open and save KIF records, copy
and paste positions and games, set handicaps and keep clocks.

The rules and the computer player are also a USI engine, zelk55-usi.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The libraries come from the programs themselves; the board's text needs a Japanese font, and
# Qt's dialogs and buttons its Japanese translations (named qttranslations6-l10n after Debian 12).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-mincho | fonts-japanese-mincho, qt6-translations-l10n | qttranslations6-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
