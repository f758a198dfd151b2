# What a Windows release ships beside Marrowvale.exe: its licence, a README
# for Windows users and the notices of what the linker took from the
# toolchain, all with CRLF line ends so that Notepad shows them, and the
# source of the installer package with its icon. scripts/release builds the target
# marrowvale_release_files and packs them into the zip and the MSI. Included
# from the top-level CMakeLists.txt for MinGW builds, after win32/.
set(releaseDir ${PROJECT_BINARY_DIR}/release)

# The map records which members of which libraries the linker put into the
# program; the notices follow from it. Release builds ship without symbols.
set(linkMap ${releaseDir}/Marrowvale.map)
target_link_options(marrowvale PRIVATE LINKER:-Map=${linkMap} $<$<CONFIG:Release,MinSizeRel>:-s>)

configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${releaseDir}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${releaseDir}/README.txt @ONLY NEWLINE_STYLE CRLF)

# Windows Installer tells versions apart by their first three fields; the
# package also replaces the versions that differ from this one in the
# fourth alone (see the .wxs).
math(EXPR nextPatch "${PROJECT_VERSION_PATCH} + 1")
set(MARROWVALE_MSI_SAME_VERSION_END "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${nextPatch}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/Marrowvale.wxs.in ${releaseDir}/Marrowvale.wxs @ONLY)
file(CONFIGURE OUTPUT ${releaseDir}/version CONTENT "@PROJECT_VERSION@\n" @ONLY)

# Debian's copyright files of the toolchain hold the texts; a new version of
# either rewrites the notices.
set(toolchainCopyrights)
foreach(file /usr/share/doc/mingw-w64-x86-64-dev/copyright /usr/share/doc/gcc-mingw-w64-base/copyright)
  if(EXISTS ${file})
    list(APPEND toolchainCopyrights ${file})
  endif()
endforeach()
find_program(BASH_EXECUTABLE bash REQUIRED)
set(notices ${releaseDir}/THIRD-PARTY-NOTICES.txt)
add_custom_command(
  OUTPUT ${notices}
  COMMAND ${BASH_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/third-party-notices.sh ${linkMap} ${PROJECT_BINARY_DIR} ${notices}
  DEPENDS marrowvale ${CMAKE_CURRENT_LIST_DIR}/third-party-notices.sh ${toolchainCopyrights}
  COMMENT "Writing the notices of what the linker put into Marrowvale.exe"
  VERBATIM)
# The installer's icon is the program's.
add_custom_command(
  OUTPUT ${releaseDir}/marrowvale.ico
  COMMAND ${CMAKE_COMMAND} -E copy ${MARROWVALE_ICO} ${releaseDir}/marrowvale.ico
  DEPENDS ${MARROWVALE_ICO}
  VERBATIM)
add_custom_target(marrowvale_release_files DEPENDS ${notices} ${releaseDir}/marrowvale.ico)
# The icon is rendered in another folder's target.
add_dependencies(marrowvale_release_files marrowvale_icons)
