# The Debian package: `cpack` in the build directory makes
# marrowvale_<version>-<release>_<arch>.deb of the program, its desktop entry,
# icons and metainfo, the man page, the copyright, the Debian changelog and
# lintian's overrides; its dependencies come from dpkg-shlibdeps. Included
# from the top-level CMakeLists.txt, because CPack takes its settings from
# that scope.

# The upstream version is project()'s; the Debian revision counts packagings
# of it. Debian names the changelog of a package with a revision
# changelog.Debian.gz; one without would be a native package.
set(MARROWVALE_DEB_RELEASE 1)
set(MARROWVALE_DEB_VERSION "${PROJECT_VERSION}-${MARROWVALE_DEB_RELEASE}")

if(MARROWVALE_QT)
  set(debianDir ${CMAKE_CURRENT_LIST_DIR})
  set(generated ${PROJECT_BINARY_DIR}/debian)
  configure_file(${debianDir}/marrowvale.1.in ${generated}/marrowvale.1 @ONLY)
  configure_file(${debianDir}/changelog.in ${generated}/changelog.Debian @ONLY)

  # -n leaves the name and time out of the gzip header, so that the same
  # sources give the same package.
  find_program(GZIP_EXECUTABLE gzip REQUIRED)
  set(compressed)
  foreach(file marrowvale.1 changelog.Debian)
    add_custom_command(OUTPUT ${generated}/${file}.gz
                       COMMAND ${GZIP_EXECUTABLE} -9nkf ${generated}/${file}
                       DEPENDS ${generated}/${file}
                       COMMENT "Compressing ${file}"
                       VERBATIM)
    list(APPEND compressed ${generated}/${file}.gz)
  endforeach()
  add_custom_target(marrowvale_debian_docs ALL DEPENDS ${compressed})

  install(FILES ${generated}/marrowvale.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${generated}/changelog.Debian.gz ${debianDir}/copyright
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/marrowvale)
  install(FILES ${debianDir}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME marrowvale)
endif()

# CPack dates every file in the package SOURCE_DATE_EPOCH when it is set, as
# scripts/release sets it to the last commit's time: the same commit then
# gives the same .deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME marrowvale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${MARROWVALE_DEB_RELEASE})
set(CPACK_PACKAGE_VENDOR "${MARROWVALE_PUBLISHER}")
set(CPACK_PACKAGE_CONTACT "Marrowvale developers <dev@marrowvale.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Debian shows the extended description as it is written: lines of at most
# 80 columns.
set(CPACK_PACKAGE_DESCRIPTION [[
One small window that converts an amount of bitcoin into money, or back, at
the price of one bitcoin you type in. Money is shown with two decimals and
bitcoin with eight. It reads and writes no files, keeps no settings and never
uses the network.]])
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time where the window system has no bell (Wayland), so
# dpkg-shlibdeps cannot see it: the bell of the sound theme.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libcanberra0, sound-theme-freedesktop")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
