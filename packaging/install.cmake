# What `cmake --install` puts under the prefix, and the Debian package CPack makes of it
# (`cpack -G DEB` in the build directory). The program finds its data folder as
# ../share/mossforge from its own folder (files/installed_data.h), so the folders are fixed.

install(TARGETS mossforge RUNTIME DESTINATION bin)
install(FILES data/alphanum.png data/cursor.png data/bselect.png DESTINATION share/mossforge)
# The sample game, which init-workspace copies into a new working directory.
install(DIRECTORY ${SAMPLE_MASTER}/ DESTINATION share/mossforge/master)
install(FILES README.md DESTINATION share/doc/mossforge)

# The desktop entry and its icon, drawn by tools/uiimages.
set(ICON_DIR ${CMAKE_BINARY_DIR}/icon)
add_custom_command(OUTPUT ${ICON_DIR}/mossforge.png
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ICON_DIR}
  COMMAND uiimages --icon ${ICON_DIR} DEPENDS uiimages VERBATIM)
add_custom_target(icon ALL DEPENDS ${ICON_DIR}/mossforge.png)
install(FILES packaging/mossforge.desktop DESTINATION share/applications)
install(FILES ${ICON_DIR}/mossforge.png DESTINATION share/icons/hicolor/48x48/apps)

# The manual page, made from the program's own --help and --version.
find_program(HELP2MAN help2man)
if(HELP2MAN)
  set(MANPAGE ${CMAKE_BINARY_DIR}/mossforge.1)
  add_custom_command(OUTPUT ${MANPAGE}
    COMMAND ${HELP2MAN} --no-info --section=1 "--name=level editor for the GLUBBERT platform game"
      --output=${MANPAGE} $<TARGET_FILE:mossforge>
    DEPENDS mossforge VERBATIM)
  add_custom_target(manpage ALL DEPENDS ${MANPAGE})
  install(FILES ${MANPAGE} DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: no manual page in this build (apt-get install help2man)")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mossforge)
# Debian orders a version with ~ before the release of the same number.
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}~${MOSSFORGE_STAGE}")
set(CPACK_PACKAGE_CONTACT "MOSSFORGE developers <mossforge@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for the GLUBBERT platform game")
set(CPACK_PACKAGE_DESCRIPTION
  "Opens a level of the Sega Genesis ROM image of GLUBBERT, edits its objects and\n\
chunks, saves layouts and chunk sets in the game's packed formats, takes the game\n\
apart into a project and builds a playable Genesis or Amiga AGA game from it.\n\
Comes with a sample game: mossforge init-workspace DIR makes a working directory\n\
holding it.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The library shows its error messages with xmessage.
set(CPACK_DEBIAN_PACKAGE_DEPENDS x11-utils)
set(CPACK_STRIP_FILES ON)
include(CPack)
