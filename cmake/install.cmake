# The installed program: <prefix>/lib/tessaloom holds the program with its Help folder beside
# it, as the program looks for its help there; <prefix>/games/tessaloom is a link to it, so the
# command is on the PATH where Debian keeps games (the program finds its own folder through the
# link); the menu entry, icons, software-centre entry, manual page and package documents go
# where desktops and Debian look for them.
include(GNUInstallDirs)

set(TESSALOOM_INSTALL_DIR "lib/tessaloom" CACHE STRING
  "Folder below the prefix that holds the program and its Help folder")

install(TARGETS tessaloom RUNTIME DESTINATION ${TESSALOOM_INSTALL_DIR})
# The help file goes in the Help folder beside it; building the program builds its help, also
# when the program is built on its own.
if(TARGET tessaloom_help_file)
  add_dependencies(tessaloom tessaloom_help_file)
  install(FILES "$<TARGET_PROPERTY:tessaloom_help_file,TESSALOOM_HELP_FILE>" DESTINATION ${TESSALOOM_INSTALL_DIR}/Help)
endif()

if(NOT WIN32)
  set(TESSALOOM_COMMAND_DIR "games" CACHE STRING
    "Folder below the prefix that holds the tessaloom command")
  # A relative link made in the build tree and installed as it is: it moves with the installed
  # tree (DESTDIR, packages) and, unlike a link made by install code, is in the install manifest.
  file(RELATIVE_PATH link_target /${TESSALOOM_COMMAND_DIR} /${TESSALOOM_INSTALL_DIR}/tessaloom)
  set(command_link ${PROJECT_BINARY_DIR}/command/tessaloom)
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/command)
  file(CREATE_LINK ${link_target} ${command_link} SYMBOLIC)
  install(FILES ${command_link} DESTINATION ${TESSALOOM_COMMAND_DIR})

  install(FILES ${PROJECT_SOURCE_DIR}/src/app/tessaloom.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/example.marrowquill.tessaloom.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The icon, drawn at build time at every size of the freedesktop icon theme it is made for.
  if(TARGET tessaloom_artwork_files)
    get_target_property(icon_dir tessaloom_artwork_files TESSALOOM_ICON_DIR)
    get_target_property(icon_sizes tessaloom_artwork_files TESSALOOM_ICON_SIZES)
    foreach(size IN LISTS icon_sizes)
      install(FILES ${icon_dir}/icon_${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tessaloom.png)
    endforeach()
  endif()

  # The manual page and the changelog go compressed, as Debian keeps them (gzip -9n: no name or
  # time stamp inside, so the same sources give the same bytes).
  find_program(TESSALOOM_GZIP gzip REQUIRED)
  set(compressed_dir ${PROJECT_BINARY_DIR}/compressed)
  set(compressed_files ${compressed_dir}/tessaloom.6.gz ${compressed_dir}/changelog.gz)
  add_custom_command(
    OUTPUT ${compressed_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${compressed_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/src/app/tessaloom.6 ${compressed_dir}/tessaloom.6
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/deb/changelog ${compressed_dir}/changelog
    COMMAND ${TESSALOOM_GZIP} -9nf ${compressed_dir}/tessaloom.6 ${compressed_dir}/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/src/app/tessaloom.6 ${PROJECT_SOURCE_DIR}/packaging/deb/changelog
    COMMENT "Compressing the manual page and the changelog"
    VERBATIM
  )
  add_custom_target(tessaloom_compressed_docs ALL DEPENDS ${compressed_files})
  install(FILES ${compressed_dir}/tessaloom.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${compressed_dir}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/deb/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaloom)
endif()
