# The Debian package, built by CPack from the install rules: cpack -G DEB in the build tree, or
# scripts/package deb, which also runs lintian on it. Included where the program is built, off
# Windows.

# The changelog and the software-centre entry name every release: one of them forgotten would
# ship a package whose version they do not know.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/deb/changelog changelog_top LIMIT_COUNT 1)
file(READ ${PROJECT_SOURCE_DIR}/src/app/example.marrowquill.tessaloom.metainfo.xml metainfo)
if(NOT changelog_top MATCHES "^tessaloom \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/deb/changelog does not begin with version ${PROJECT_VERSION}")
endif()
if(NOT metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "The metainfo file has no release ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaloom)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Marrowquill Software")
set(CPACK_PACKAGE_CONTACT "Marrowquill Software <tessaloom@marrowquill.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "memory game: find the pairs and uncover the picture")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from the program itself. The font is only a look-alike for the cards, and
# Qt loads its WebP reader as a plugin at run time, where dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-comic-neue, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The long description under the summary; CPack indents it and marks the empty line between the
# paragraphs as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tessaloom is a memory game for one player. A picture lies under a grid of
face-down cards, four to a row and two to six rows. Turn two cards at a time:
a matching pair vanishes and uncovers its part of the picture, two different
cards turn back after the flip delay.

Every pair turned counts a try, and the fewest tries for each number of rows
is kept as a record. Play on the built-in picture or on up to ten pictures of
your own, and set the flip delay from half a second to five seconds.")

include(CPack)
