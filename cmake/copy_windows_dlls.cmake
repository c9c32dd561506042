# Run at install time: copies into the folder TESSALOOM_DLL_FOLDER every DLL that its programs,
# its DLLs and its plugins load and that lies in one of the folders TESSALOOM_DLL_SOURCES, then
# what those load, and so on. A DLL found in none of them is one of Windows' own.
# The import tables are read with TESSALOOM_OBJDUMP; names keep their case, as the files do here.
# An install that strips (cmake --install --strip, CPack) strips them with TESSALOOM_STRIP.
cmake_policy(VERSION 3.25)
file(GLOB_RECURSE pending "${TESSALOOM_DLL_FOLDER}/*.exe" "${TESSALOOM_DLL_FOLDER}/*.dll")
set(looked_at)
while(pending)
  list(POP_FRONT pending binary)
  # In the C locale, whose words the pattern below reads.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C ${TESSALOOM_OBJDUMP} -p ${binary}
    OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
  list(TRANSFORM imports REPLACE "^DLL Name: " "")
  foreach(dll IN LISTS imports)
    if(dll IN_LIST looked_at)
      continue()
    endif()
    list(APPEND looked_at ${dll})
    foreach(folder IN LISTS TESSALOOM_DLL_SOURCES)
      if(EXISTS "${folder}/${dll}")
        # With the mode the program and its plugins get, not that of the file it is copied from.
        file(INSTALL "${folder}/${dll}" DESTINATION "${TESSALOOM_DLL_FOLDER}" FILE_PERMISSIONS
          OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        if(CMAKE_INSTALL_DO_STRIP)
          execute_process(COMMAND ${TESSALOOM_STRIP} --strip-unneeded "${TESSALOOM_DLL_FOLDER}/${dll}"
            COMMAND_ERROR_IS_FATAL ANY)
        endif()
        list(APPEND pending "${TESSALOOM_DLL_FOLDER}/${dll}")
        break()
      endif()
    endforeach()
  endforeach()
endwhile()
