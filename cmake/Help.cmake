# The About window's values and the help file.
#
# - QUORVALE_SUPPORT_ADDRESS (cache) and the project version are compiled into ProgramInfo.cpp: the
#   About window shows both, feedback mails go to the address, the version is written to the
#   settings at program end. A version of three numbers gets a fourth, 0 ("1.0.0" -> "1.0.0.0").
# - Quorvale.chm is compiled by chmcmd (Debian package fp-utils) from the topics in docs/help/ and
#   staged in the program folder, where the help viewer (chmlib, libchm-dev) reads it.
#   cmake/BuildHelp.cmake says how the sources are put together.

set(QUORVALE_SUPPORT_ADDRESS "support@quorvale.example" CACHE STRING
    "The support mailbox: shown in the About window, feedback mails go to it")
if(PROJECT_VERSION)
  set(QUORVALE_FILE_VERSION "${PROJECT_VERSION}")
else()
  set(QUORVALE_FILE_VERSION "")
endif()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/accessories/ProgramInfo.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  "QUORVALE_SUPPORT_ADDRESS=\"${QUORVALE_SUPPORT_ADDRESS}\""
  "QUORVALE_FILE_VERSION=\"${QUORVALE_FILE_VERSION}\"")

# chmlib reads the help file.
find_path(QUORVALE_CHMLIB_INCLUDE chm_lib.h REQUIRED)
find_library(QUORVALE_CHMLIB chm REQUIRED)
target_include_directories(quorvale_lib PRIVATE ${QUORVALE_CHMLIB_INCLUDE})
target_link_libraries(quorvale_lib PUBLIC ${QUORVALE_CHMLIB})

# chmcmd compiles it.
find_program(QUORVALE_CHMCMD chmcmd REQUIRED)
file(GLOB_RECURSE QUORVALE_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/help/*)
set(QUORVALE_HELP_PICTURES ${CMAKE_SOURCE_DIR}/docs/mainwindow.png ${CMAKE_SOURCE_DIR}/resources/icons/quorvale-64.png)
string(REPLACE ";" "|" QUORVALE_HELP_PICTURE_ARG "${QUORVALE_HELP_PICTURES}")
set(QUORVALE_HELP_FILE ${QUORVALE_PROGRAM_DIR}/Quorvale.chm)
add_custom_command(
  OUTPUT ${QUORVALE_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/docs/help -DWORK=${CMAKE_BINARY_DIR}/help
          -DPICTURES=${QUORVALE_HELP_PICTURE_ARG} -DCHMCMD=${QUORVALE_CHMCMD} -DOUT=${QUORVALE_HELP_FILE}
          -P ${CMAKE_SOURCE_DIR}/cmake/BuildHelp.cmake
  DEPENDS ${QUORVALE_HELP_SOURCES} ${QUORVALE_HELP_PICTURES} ${CMAKE_SOURCE_DIR}/cmake/BuildHelp.cmake
  COMMENT "Compiling the help file Quorvale.chm from docs/help/"
  VERBATIM)
add_custom_target(quorvale_help ALL DEPENDS ${QUORVALE_HELP_FILE})
add_dependencies(quorvale quorvale_help)

# The tests of the help read the staged help file.
function(quorvale_help_test_setup)
  foreach(test tst_help tst_about)
    if(TARGET ${test})
      add_dependencies(${test} quorvale_help)
      target_compile_definitions(${test} PRIVATE QUORVALE_HELP_FILE="${QUORVALE_HELP_FILE}")
    endif()
  endforeach()
endfunction()
cmake_language(DEFER CALL quorvale_help_test_setup)
