# Makes the setup program and the portable zip of a Windows build (the setup target of
# CMakeLists.txt beside this file):
#
#   1. installs the build, stripped, into STAGE: the folder as a player gets it;
#   2. writes FILES_NSH, the installer's list of that folder's files: the macros that install
#      and remove them (the uninstaller removes exactly these) and their size;
#   3. makes the installer with makensis from NSI;
#   4. zips the folder, with SAMPLE as its tallix.ini, as ZIP (in a folder of the zip's name).
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis was not found: install Debian's nsis, and configure again")
endif()

file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${STAGE} --strip
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# windows_path(VAR PATH): $INSTDIR\PATH, with the separators of Windows, in VAR.
function(windows_path var path)
  if(path)
    string(REPLACE "/" "\\" path "\\${path}")
  endif()
  set(${var} "$INSTDIR${path}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(install "!macro TALLIX_INSTALL_FILES\n")
set(remove "!macro TALLIX_REMOVE_FILES\n")
set(dirs "")
set(bytes 0)
foreach(file IN LISTS files)
  get_filename_component(dir ${file} DIRECTORY)
  if(NOT DEFINED outdir OR NOT dir STREQUAL outdir)
    windows_path(target "${dir}")
    string(APPEND install "  SetOutPath \"${target}\"\n")
    set(outdir "${dir}")
  endif()
  string(APPEND install "  File \"${STAGE}/${file}\"\n")
  windows_path(target ${file})
  string(APPEND remove "  Delete \"${target}\"\n")
  if(dir)
    list(APPEND dirs ${dir})
  endif()
  file(SIZE ${STAGE}/${file} size)
  math(EXPR bytes "${bytes} + ${size}")
endforeach()
# The folders after their files, each after the folders in it.
list(REMOVE_DUPLICATES dirs)
list(SORT dirs ORDER DESCENDING)
foreach(dir IN LISTS dirs)
  windows_path(target ${dir})
  string(APPEND remove "  RMDir \"${target}\"\n")
endforeach()
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
file(WRITE ${FILES_NSH} "!define TALLIX_SIZE_KB ${kilobytes}\n${install}!macroend\n${remove}!macroend\n")

# Warnings stop the build where compilers' warnings do.
if(WERROR)
  set(strict -WX)
endif()
# The script is UTF-8 (the Japanese name of a shortcut).
execute_process(COMMAND ${MAKENSIS} -V2 -INPUTCHARSET UTF8 ${strict} ${NSI} COMMAND_ERROR_IS_FATAL ANY)

get_filename_component(work ${STAGE} DIRECTORY)
get_filename_component(name ${ZIP} NAME_WLE)
file(REMOVE_RECURSE ${work}/portable)
file(COPY ${STAGE}/ DESTINATION ${work}/portable/${name})
file(COPY_FILE ${SAMPLE} ${work}/portable/${name}/tallix.ini)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${name}
  WORKING_DIRECTORY ${work}/portable COMMAND_ERROR_IS_FATAL ANY)
