# The Debian packages: `cpack -G DEB` in the build folder makes
# quillora_<version>_<arch>.deb from the install rules, installed under /usr,
# and, where the Impress plugin is built, quillora-impress_<version>_<arch>.deb
# holding the plugin alone, so the program's package needs no part of
# LibreOffice. Library dependencies are computed from the binaries by
# dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillora)
set(CPACK_PACKAGE_VENDOR Tarnvale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QUILLORA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn a marketing-plan outline into a presentation deck")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillora holds the outline of a marketing plan in one window: the product
name, the plan title and sixteen fixed sections, each starting with a hint
of what belongs in it. One button fills a presentation deck with the plan,
a slide for each section, and opens it in the desktop's presentation
program. Quillora brings its own presentation engine.

The command quillora-deck makes the same deck without a window, from the
stored plan or a JSON plan file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# A stripped install (the package's, or `cmake --install --strip`) also drops
# the compiler's .comment section, as Debian's own packages do. Runs after
# the programs' install rules, which come from the folders added before.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program quillora quillora-deck)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")

set(CPACK_DEB_COMPONENT_INSTALL ON)
if(QUILLORA_HAVE_IMPRESS)
  set(CPACK_COMPONENTS_ALL program impress)
else()
  set(CPACK_COMPONENTS_ALL program)
endif()
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME quillora)
set(CPACK_DEBIAN_PROGRAM_FILE_NAME DEB-DEFAULT)
# The synopsis is CPACK_PACKAGE_DESCRIPTION_SUMMARY for both packages.
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_IMPRESS_PACKAGE_NAME quillora-impress)
set(CPACK_DEBIAN_IMPRESS_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_IMPRESS_PACKAGE_DEPENDS "quillora (= ${PROJECT_VERSION}), libreoffice-impress")
set(CPACK_DEBIAN_IMPRESS_DESCRIPTION "This is Quillora's LibreOffice Impress plugin. With it installed,
Quillora fills its presentation deck inside a running LibreOffice Impress,
slide by slide in front of the user, and leaves the deck open and unsaved
there for editing. Without it, Quillora fills the deck with its own engine
and hands the file to the desktop.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLORA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUILLORA_HOME_PAGE}")
# Where Debian files office programs such as LibreOffice Impress.
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A presentation program opens the finished deck (the deck itself is made
# without it); xdg-utils finds it and the web browser; Qt's translations
# put the standard buttons and the command's help in the desktop's language.
# The statement boxes are spell-checked with the desktop's dictionaries,
# English at the least, through Enchant, which the window opens at run
# time. The text of a deck is fitted to its shapes in the
# fonts LibreOffice draws in place of Arial, Times New Roman, Calibri and
# Cambria, which have the same widths.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "libreoffice-impress, xdg-utils, qt6-translations-l10n, libenchant-2-2, hunspell-en-us, \
fonts-liberation2, fonts-crosextra-carlito, fonts-crosextra-caladea")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SUGGESTS "quillora-impress")
# Directories in the package belong to root, as dpkg expects.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
