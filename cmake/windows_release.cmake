# Run by cpack -G External (scripts/package windows) once CPack has installed the Windows program
# into its staging folder; makes both release files from that one tree, whatever it holds:
#   <name>.zip  the folder <name> with the program, to unpack and run anywhere
#   <name>.msi  a Windows Installer package: the same files per machine in
#               Program Files\<vendor>\<product>, a Start menu shortcut, an installed-programs
#               entry, all of it removed again on uninstall
# The same tree and SOURCE_DATE_EPOCH give the same bytes: every file carries that time, entries
# go in a fixed order, and each GUID of the installer is derived from a name, not drawn at random.
cmake_policy(VERSION 3.25)

if(NOT "$ENV{SOURCE_DATE_EPOCH}" MATCHES "^[0-9]+$")
  message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set: scripts/package windows sets it")
endif()
foreach(tool zip wixl msibuild faketime)
  find_program(${tool}_program ${tool} REQUIRED)
endforeach()
set(tree ${CPACK_TEMPORARY_DIRECTORY})
set(name ${CPACK_PACKAGE_FILE_NAME})
set(product ${CPACK_PACKAGE_NAME})
set(vendor ${CPACK_PACKAGE_VENDOR})
set(version ${CPACK_PACKAGE_VERSION})
# Times go into both archives as local times: the tools are given UTC, whatever the build's zone.
set(in_utc ${CMAKE_COMMAND} -E env TZ=UTC LC_ALL=C)

execute_process(
  COMMAND bash -c "source \"$1\" && release_tree \"$2\"" release
          ${CMAKE_CURRENT_LIST_DIR}/../scripts/packaging/release.sh ${tree}
  COMMAND_ERROR_IS_FATAL ANY)
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${tree} ${tree}/*)
list(SORT files)

# The zip: no owners or extra time stamps (-X), no folder entries (-D), the files in sorted order.
list(TRANSFORM files PREPEND ${name}/ OUTPUT_VARIABLE zip_entries)
list(JOIN zip_entries "\n" zip_entries)
file(WRITE ${CPACK_TOPLEVEL_DIRECTORY}/zip-entries.txt "${zip_entries}\n")
set(zip_file ${CPACK_TOPLEVEL_DIRECTORY}/${name}.zip)
file(REMOVE ${zip_file})
execute_process(COMMAND ${in_utc} ${zip_program} -X -D -q -9 -@ ${zip_file}
  WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY}
  INPUT_FILE ${CPACK_TOPLEVEL_DIRECTORY}/zip-entries.txt
  COMMAND_ERROR_IS_FATAL ANY)

# The installer, written out from the tree. Its identifiers are readable and unique per path;
# each file is a component of its own, whose GUID follows from its path, as Windows Installer
# wants for a file that stays where it is from one version to the next.
function(xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(installer_id kind path out)
  string(SHA1 hash "${path}")
  string(SUBSTRING ${hash} 0 8 hash)
  string(MAKE_C_IDENTIFIER "${path}" readable)
  string(SUBSTRING "${readable}" 0 48 readable)
  set(${out} ${kind}_${readable}_${hash} PARENT_SCOPE)
endfunction()

# Appends to <out> the elements of <folder> (a path below the tree, "" for the tree itself) and
# to the global list installer_components each component it makes.
function(installer_folder folder indent out)
  file(GLOB entries LIST_DIRECTORIES true RELATIVE ${tree}/${folder} ${tree}/${folder}/*)
  list(SORT entries)
  set(xml "")
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE "^/" "" path "${folder}/${entry}")
    xml_text("${entry}" entry_xml)
    if(IS_DIRECTORY ${tree}/${path})
      installer_id(folder "${path}" id)
      installer_folder("${path}" "${indent}  " inner)
      string(APPEND xml "${indent}<Directory Id=\"${id}\" Name=\"${entry_xml}\">\n${inner}${indent}</Directory>\n")
      continue()
    endif()
    installer_id(component "${path}" component)
    installer_id(file "${path}" file)
    string(UUID guid NAMESPACE ${CPACK_TESSALOOM_UPGRADE_CODE} NAME "component ${path}" TYPE SHA1 UPPER)
    xml_text("${name}/${path}" source)
    string(APPEND xml "${indent}<Component Id=\"${component}\" Guid=\"${guid}\" Win64=\"yes\">\n"
                      "${indent}  <File Id=\"${file}\" Source=\"${source}\" KeyPath=\"yes\"/>\n")
    if(path STREQUAL CPACK_TESSALOOM_PROGRAM)
      string(APPEND xml "${indent}  <Shortcut Id=\"StartMenuShortcut\" Directory=\"ProgramMenuFolder\" "
        "Name=\"${product}\" Target=\"[#${file}]\" WorkingDirectory=\"INSTALLDIR\" Icon=\"product.ico\" Advertise=\"no\"/>\n")
      set_property(GLOBAL PROPERTY installer_has_program ON)
    endif()
    string(APPEND xml "${indent}</Component>\n")
    set_property(GLOBAL APPEND PROPERTY installer_components ${component})
  endforeach()
  set(${out} "${xml}" PARENT_SCOPE)
endfunction()

installer_folder("" "            " folders)
get_property(has_program GLOBAL PROPERTY installer_has_program)
if(NOT has_program)
  message(FATAL_ERROR "The tree holds no ${CPACK_TESSALOOM_PROGRAM} for the Start menu shortcut")
endif()
# Uninstalling removes the vendor's folder too, when nothing else of the vendor is in it.
string(UUID vendor_folder_guid NAMESPACE ${CPACK_TESSALOOM_UPGRADE_CODE} NAME "vendor folder" TYPE SHA1 UPPER)
get_property(components GLOBAL PROPERTY installer_components)
list(APPEND components VendorFolder)
list(TRANSFORM components PREPEND "      <ComponentRef Id=\"")
list(TRANSFORM components APPEND "\"/>")
list(JOIN components "\n" component_refs)
# A new version is a new product of the same upgrade code, which replaces the one installed.
# Windows Installer compares the first three fields of versions only.
string(UUID product_code NAMESPACE ${CPACK_TESSALOOM_UPGRADE_CODE} NAME "product ${version}" TYPE SHA1 UPPER)
foreach(text product vendor version)
  xml_text("${${text}}" ${text}_xml)
endforeach()
xml_text("${CPACK_PACKAGE_HOMEPAGE_URL}" homepage_xml)
set(wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Product Id=\"${product_code}\" Name=\"${product_xml}\" Language=\"1033\" Version=\"${version_xml}\"
           Manufacturer=\"${vendor_xml}\" UpgradeCode=\"${CPACK_TESSALOOM_UPGRADE_CODE}\">
    <Package InstallerVersion=\"500\" Compressed=\"yes\" InstallScope=\"perMachine\"
             Description=\"${product_xml} ${version_xml}\" Manufacturer=\"${vendor_xml}\"/>
    <MajorUpgrade DowngradeErrorMessage=\"A later version of ${product_xml} is already installed.\"/>
    <Media Id=\"1\" Cabinet=\"program.cab\" EmbedCab=\"yes\"/>
    <Icon Id=\"product.ico\" SourceFile=\"product.ico\"/>
    <Property Id=\"ARPPRODUCTICON\" Value=\"product.ico\"/>
    <Property Id=\"ARPURLINFOABOUT\" Value=\"${homepage_xml}\"/>
    <Directory Id=\"TARGETDIR\" Name=\"SourceDir\">
      <Directory Id=\"ProgramFiles64Folder\">
        <Directory Id=\"VENDORDIR\" Name=\"${vendor_xml}\">
          <Component Id=\"VendorFolder\" Guid=\"${vendor_folder_guid}\" Win64=\"yes\">
            <RemoveFolder Id=\"RemoveVendorFolder\" On=\"uninstall\"/>
          </Component>
          <Directory Id=\"INSTALLDIR\" Name=\"${product_xml}\">
${folders}          </Directory>
        </Directory>
      </Directory>
      <Directory Id=\"ProgramMenuFolder\"/>
    </Directory>
    <Feature Id=\"Program\" Title=\"${product_xml}\" Level=\"1\">
${component_refs}
    </Feature>
  </Product>
</Wix>
")
set(wxs_file ${CPACK_TOPLEVEL_DIRECTORY}/${name}.wxs)
file(WRITE ${wxs_file} "${wxs}")

# wixl takes the summary's times from the clock and draws the package code at random: it runs on
# a clock stopped at SOURCE_DATE_EPOCH, and the package code is set afterwards to one derived from
# everything the package holds, so it differs exactly when the package does.
# wixl reads its sources below the folder it runs in.
set(msi_file ${CPACK_TOPLEVEL_DIRECTORY}/${name}.msi)
file(COPY_FILE ${CPACK_TESSALOOM_ICON} ${CPACK_TOPLEVEL_DIRECTORY}/product.ico)
# string(TIMESTAMP) reads SOURCE_DATE_EPOCH.
string(TIMESTAMP release_time "%Y-%m-%d %H:%M:%S" UTC)
execute_process(COMMAND ${in_utc} ${faketime_program} "${release_time}"
          ${wixl_program} --arch x64 --output ${msi_file} ${wxs_file}
  WORKING_DIRECTORY ${CPACK_TOPLEVEL_DIRECTORY}
  OUTPUT_VARIABLE wixl_output ERROR_VARIABLE wixl_output RESULT_VARIABLE wixl_status)
if(NOT wixl_status EQUAL 0)
  message(FATAL_ERROR "wixl could not make ${name}.msi:\n${wixl_output}")
endif()
set(contents "${wxs}")
foreach(file IN LISTS files)
  file(SHA256 ${tree}/${file} hash)
  string(APPEND contents "${hash} ${file}\n")
endforeach()
file(SHA256 ${CPACK_TESSALOOM_ICON} hash)
string(APPEND contents "${hash} icon\n")
string(UUID package_code NAMESPACE ${CPACK_TESSALOOM_UPGRADE_CODE} NAME "package ${contents}" TYPE SHA1 UPPER)
execute_process(COMMAND ${msibuild_program} ${msi_file}
          -s "${product} ${version}" "${vendor}" "x64;1033" "{${package_code}}"
  COMMAND_ERROR_IS_FATAL ANY)

set(CPACK_EXTERNAL_BUILT_PACKAGES ${zip_file} ${msi_file})
