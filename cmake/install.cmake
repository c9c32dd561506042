# The installed program: <prefix>/lib/tessaloom holds the program with its Help folder beside
# it, as the program looks for its help there; <prefix>/bin/tessaloom is a link to it, so the
# command is on the PATH (the program finds its own folder through the link); a menu entry and
# the icon go where desktops look for them.
include(GNUInstallDirs)

if(NOT TARGET tessaloom)
  return()
endif()

set(TESSALOOM_INSTALL_DIR "lib/tessaloom" CACHE STRING
  "Folder below the prefix that holds the program and its Help folder")

# Building the program builds its help, also when the program is built on its own.
if(TARGET tessaloom_help_file)
  add_dependencies(tessaloom tessaloom_help_file)
endif()

install(TARGETS tessaloom RUNTIME DESTINATION ${TESSALOOM_INSTALL_DIR})
if(DEFINED TESSALOOM_HELP_FILE)
  install(FILES ${TESSALOOM_HELP_FILE} DESTINATION ${TESSALOOM_INSTALL_DIR}/Help)
endif()

if(NOT WIN32)
  # A relative link, so the installed tree can be moved or packaged (DESTDIR) as a whole.
  file(RELATIVE_PATH link_target /${CMAKE_INSTALL_BINDIR} /${TESSALOOM_INSTALL_DIR}/tessaloom)
  install(CODE "
    set(bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin_dir}\")
    message(STATUS \"Installing: \${bin_dir}/tessaloom -> ${link_target}\")
    file(CREATE_LINK \"${link_target}\" \"\${bin_dir}/tessaloom\" SYMBOLIC)
  ")
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/tessaloom.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

  # The program's icon, a PNG made at build time by the artwork target. Set TESSALOOM_ICON_PNG
  # to the file it writes (a cache variable, or before this file is included).
  set(TESSALOOM_ICON_PNG "" CACHE FILEPATH "The program's icon as built, installed as tessaloom.png")
  if(TARGET tessaloom_artwork AND TESSALOOM_ICON_PNG)
    install(FILES ${TESSALOOM_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps RENAME tessaloom.png)
  endif()
endif()
