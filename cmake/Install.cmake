# Installation and the Debian package.
#
#   cmake --install build --prefix <prefix>      # for example ~/.local or /opt/quorvale
#   cd build && cpack -G DEB                     # quorvale_<version>_<arch>.deb
#
# The program folder goes to <prefix>/lib/quorvale/ as the build stages it: the executable, the
# shipped settings Quorvale.ini, the language file, the help file and the sample company (the
# pristine one from build/sample/, not the copy in build/Quorvale/ that the developer's runs
# converted). <prefix>/bin/quorvale links to the executable; the desktop finds the program through
# <prefix>/share/applications/quorvale.desktop and its icon in <prefix>/share/icons/hicolor/. A user
# who may not write into the program folder (a system-wide install) gets a program folder of their
# own on the first start (see src/shell/UserProgramFolder.h).
#
# Further programs of the same folder are installed with quorvale_install_program(<target>).

set(QUORVALE_INSTALL_DIR "lib/quorvale" CACHE STRING "The program folder under the installation prefix")

# A program of the program folder, linked into <prefix>/bin under its own name.
function(quorvale_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${QUORVALE_INSTALL_DIR})
  install(CODE "
    set(_bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${_bin}\")
    file(REMOVE \"\${_bin}/${target}\")
    file(CREATE_LINK \"../${QUORVALE_INSTALL_DIR}/${target}\" \"\${_bin}/${target}\" SYMBOLIC)
    message(STATUS \"Linking: \${_bin}/${target}\")")
endfunction()

quorvale_install_program(quorvale)
quorvale_install_program(quorvale-data)
install(FILES ${QUORVALE_SAMPLE_DIR}/Quorvale.ini ${CMAKE_SOURCE_DIR}/data/Quorvale.LNG ${QUORVALE_HELP_FILE}
        DESTINATION ${QUORVALE_INSTALL_DIR})
install(DIRECTORY ${QUORVALE_SAMPLE_DIR}/Test_database DESTINATION ${QUORVALE_INSTALL_DIR})

# The desktop entry names the installed executable by its full path, so it also starts a program
# installed under a prefix whose bin folder is not on the PATH.
install(CODE "
  set(_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications\")
  file(MAKE_DIRECTORY \"\${_dir}\")
  file(READ \"${CMAKE_SOURCE_DIR}/data/quorvale.desktop.in\" _entry)
  string(REPLACE \"@QUORVALE_EXECUTABLE@\" \"\${CMAKE_INSTALL_PREFIX}/bin/quorvale\" _entry \"\${_entry}\")
  file(WRITE \"\${_dir}/quorvale.desktop\" \"\${_entry}\")
  message(STATUS \"Installing: \${_dir}/quorvale.desktop\")")
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/quorvale-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME quorvale.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/quorvale.svg DESTINATION share/icons/hicolor/scalable/apps)

# The Debian package: installed under /usr; its dependencies are those of the executables
# (dpkg-shlibdeps) and the fonts the reports ask for.
set(CPACK_PACKAGE_NAME "quorvale")
set(CPACK_PACKAGE_VENDOR "Quorvale Software")
set(CPACK_PACKAGE_CONTACT "${QUORVALE_SUPPORT_ADDRESS}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Production, stock and orders of a small manufacturing company")
set(CPACK_PACKAGE_DESCRIPTION "Quorvale keeps the raw materials, products and their composition, suppliers, clients, equipment, stock with its movements, client and purchase orders and production entries of a small factory, and computes delivery dates, raw-material reservations and run-out dates, a production plan, utilisation indices and product costs.")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "office")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_STRIP_FILES ON)
include(CPack)

# The test of the installation installs the build tree under a temporary prefix.
function(quorvale_install_test_setup)
  if(TARGET tst_install)
    add_dependencies(tst_install quorvale quorvale-data quorvale_help quorvale_stage)
    target_compile_definitions(tst_install PRIVATE
      QUORVALE_BINARY_DIR="${CMAKE_BINARY_DIR}" QUORVALE_CMAKE_COMMAND="${CMAKE_COMMAND}")
  endif()
endfunction()
cmake_language(DEFER CALL quorvale_install_test_setup)
