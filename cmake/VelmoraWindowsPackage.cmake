# The Windows downloads, made by `cmake --build BUILD --target windows_packages`:
#   velmora-<version>-windows-x64.zip   velmora-<version>/ with velmora.exe, the
#                                       scene beside it, README.txt, LICENSE.txt and
#                                       the settings' example velmora.conf
#   velmora-<version>-setup.exe         the NSIS installer of the same files, with
#                                       a Start-menu entry and an uninstaller
# The program is stripped; it is linked statically, so it needs no DLL but
# Windows's own.
find_program(MAKENSIS makensis REQUIRED)

set(package velmora-${PROJECT_VERSION})
set(stage ${CMAKE_BINARY_DIR}/windows-package/${package})
set(zip ${CMAKE_BINARY_DIR}/${package}-windows-x64.zip)
set(setup ${CMAKE_BINARY_DIR}/${package}-setup.exe)

# Every file the packages hold, relative to their folder; the installer's
# own file list and its uninstaller's are written from it, so an uninstall
# removes exactly what was installed.
set(documents README.txt velmora.conf)
set(copy_commands
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/README.md ${stage}/README.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/velmora.conf ${stage}/velmora.conf)
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  list(APPEND documents LICENSE.txt)
  list(APPEND copy_commands
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt)
endif()
# icon.png: the picture the program puts on its window.
set(scene ${VELMORA_ASSET_FILES} icon.png)
set(files velmora.exe ${documents} ${scene})

set(install_lines "")
set(remove_lines "")
set(folders "")
foreach(file ${files})
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(folder)
    list(APPEND folders ${windows_folder})
    string(APPEND install_lines "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
  else()
    string(APPEND install_lines "  SetOutPath \"$INSTDIR\"\n")
  endif()
  string(APPEND install_lines "  File \"${stage}/${file}\"\n")
  string(APPEND remove_lines "  Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
list(REMOVE_DUPLICATES folders)
foreach(folder ${folders})
  string(APPEND remove_lines "  RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/windows-package/files.nsh
  "; Written by cmake/VelmoraWindowsPackage.cmake: the packaged files.\n"
  "!macro InstallFiles\n${install_lines}!macroend\n"
  "!macro RemoveFiles\n${remove_lines}!macroend\n")

foreach(file ${scene})
  get_filename_component(folder ${file} DIRECTORY)
  list(APPEND copy_commands
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/${folder}
    COMMAND ${CMAKE_COMMAND} -E copy ${VELMORA_DATA_DIR}/${file} ${stage}/${file})
endforeach()

add_custom_target(windows_packages
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${zip} ${setup}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_STRIP} -o ${stage}/velmora.exe $<TARGET_FILE:velmora>
  ${copy_commands}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/windows-package
          ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${package}
  COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DVERSION4=${VELMORA_WINDOWS_VERSION}
          "-DSUMMARY=${VELMORA_SUMMARY}" "-DCOPYRIGHT=${VELMORA_COPYRIGHT}" -DOUTFILE=${setup}
          -DICON=${VELMORA_WINDOWS_ICON} -DFILES=${CMAKE_BINARY_DIR}/windows-package/files.nsh
          ${PROJECT_SOURCE_DIR}/packaging/windows/velmora.nsi
  DEPENDS velmora velmora_data velmora_icon velmora_windows_icon
  COMMENT "Packaging ${zip} and ${setup}"
  VERBATIM)
