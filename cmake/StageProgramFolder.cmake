# Stages the program folder: the settings file, the sample company and the language file.
#
#   cmake -DSRC=<folder holding Test_database/ and Quorvale.ini> -DDST=<program folder>
#         [-DLNG=<language file>] -P StageProgramFolder.cmake
#
# The settings file and the sample company in the program folder belong to the user once they are
# there (the program converts the sample to the local number and date formats at its first start and
# the user edits both), so they are copied only where they are absent:
#   - both absent: both are copied;
#   - only Test_database/ absent: it is copied and NeutralFormat is removed from [Options] of the
#     existing Quorvale.ini, so that the fresh sample is converted once at the next start;
#   - only Quorvale.ini absent: it is copied with NeutralFormat=1 added to [Options], because the
#     Test_database/ already there was most likely converted by an earlier run;
#   - both present: nothing is touched.
# The language file is program text, not user data: it is copied whenever it differs.

cmake_minimum_required(VERSION 3.21)

if(NOT SRC OR NOT DST)
  message(FATAL_ERROR "StageProgramFolder: SRC and DST must be given (-DSRC=... -DDST=...)")
endif()
set(_sample_src "${SRC}/Test_database")
set(_ini_src "${SRC}/Quorvale.ini")
set(_sample_dst "${DST}/Test_database")
set(_ini_dst "${DST}/Quorvale.ini")
if(NOT IS_DIRECTORY "${_sample_src}")
  message(FATAL_ERROR "StageProgramFolder: no sample company at ${_sample_src}")
endif()
if(NOT EXISTS "${_ini_src}")
  message(FATAL_ERROR "StageProgramFolder: no settings file at ${_ini_src}")
endif()

# Rewrites the NeutralFormat key of section [Options] of an INI file: mode REMOVE drops it, mode SET
# makes it NeutralFormat=1 (right after the [Options] line, or in a new [Options] section at the end).
# Section and key names match in any letter case; every other line is kept byte for byte, and the
# file keeps its line endings. The file is replaced through a temporary file and a rename.
function(_quorvale_edit_neutral_format path mode)
  file(READ "${path}" content)
  # Lines are handled as list items, so the characters that lists treat specially are masked.
  string(ASCII 1 semi)
  string(ASCII 2 open)
  string(ASCII 3 close)
  string(REPLACE ";" "${semi}" content "${content}")
  string(REPLACE "[" "${open}" content "${content}")
  string(REPLACE "]" "${close}" content "${content}")
  # file(READ) drops the CR of CR LF; the line ending is taken from the bytes themselves.
  file(READ "${path}" hex HEX)
  set(eol "\n")
  if(hex MATCHES "^([0-9a-f][0-9a-f])*0d0a")
    set(eol "\r\n")
  endif()
  string(REPLACE "\r" "" content "${content}")
  set(final_newline FALSE)
  if(content MATCHES "\n$")
    set(final_newline TRUE)
    string(REGEX REPLACE "\n$" "" content "${content}")
  endif()
  string(REPLACE "\n" ";" lines "${content}")

  set(out "")
  set(first TRUE)
  set(section "")
  set(done FALSE)
  foreach(line IN LISTS lines)
    string(TOLOWER "${line}" lower)
    set(keep TRUE)
    set(extra "")
    if(lower MATCHES "^[ \t]*${open}([^${close}]*)${close}")
      string(STRIP "${CMAKE_MATCH_1}" section)
      if(section STREQUAL "options" AND mode STREQUAL "SET" AND NOT done)
        set(extra "NeutralFormat=1")
        set(done TRUE)
      endif()
    elseif(section STREQUAL "options" AND lower MATCHES "^[ \t]*neutralformat[ \t]*=")
      set(keep FALSE)
    endif()
    if(keep)
      if(first)
        set(out "${line}")
        set(first FALSE)
      else()
        string(APPEND out "${eol}${line}")
      endif()
    endif()
    if(NOT extra STREQUAL "")
      string(APPEND out "${eol}${extra}")
    endif()
  endforeach()
  if(mode STREQUAL "SET" AND NOT done)
    if(NOT first AND NOT out STREQUAL "")
      string(APPEND out "${eol}")
    endif()
    string(APPEND out "${open}Options${close}${eol}NeutralFormat=1")
    set(final_newline TRUE)
  endif()
  if(final_newline)
    string(APPEND out "${eol}")
  endif()
  string(REPLACE "${semi}" ";" out "${out}")
  string(REPLACE "${open}" "[" out "${out}")
  string(REPLACE "${close}" "]" out "${out}")
  file(WRITE "${path}.staging" "${out}")
  file(RENAME "${path}.staging" "${path}")
endfunction()

# The company is copied into a temporary folder first and renamed into place, so an interrupted
# copy never leaves a half sample that later runs would take for the user's.
function(_quorvale_copy_sample)
  set(tmp "${DST}/Test_database.staging")
  file(REMOVE_RECURSE "${tmp}")
  file(MAKE_DIRECTORY "${tmp}")
  file(GLOB files LIST_DIRECTORIES false "${_sample_src}/*")
  foreach(f IN LISTS files)
    get_filename_component(name "${f}" NAME)
    file(COPY_FILE "${f}" "${tmp}/${name}")
  endforeach()
  file(RENAME "${tmp}" "${_sample_dst}")
endfunction()

file(MAKE_DIRECTORY "${DST}")
set(_had_ini FALSE)
set(_had_sample FALSE)
if(EXISTS "${_ini_dst}")
  set(_had_ini TRUE)
endif()
if(IS_DIRECTORY "${_sample_dst}")
  set(_had_sample TRUE)
endif()

if(NOT _had_sample)
  _quorvale_copy_sample()
  message(STATUS "Staged the sample company into ${_sample_dst}")
  if(_had_ini)
    _quorvale_edit_neutral_format("${_ini_dst}" REMOVE)
    message(STATUS "Removed NeutralFormat from ${_ini_dst}: the fresh sample is converted at the next start")
  endif()
endif()

if(NOT _had_ini)
  file(COPY_FILE "${_ini_src}" "${_ini_dst}.staging")
  if(_had_sample)
    _quorvale_edit_neutral_format("${_ini_dst}.staging" SET)
    message(NOTICE "Quorvale.ini was missing from ${DST} but Test_database/ was there: staged a new "
                   "Quorvale.ini with NeutralFormat=1, taking that company as already converted. Delete "
                   "${_sample_dst} and build again to get a fresh sample.")
  else()
    message(STATUS "Staged ${_ini_dst}")
  endif()
  file(RENAME "${_ini_dst}.staging" "${_ini_dst}")
endif()

if(LNG AND EXISTS "${LNG}")
  file(COPY_FILE "${LNG}" "${DST}/Quorvale.LNG" ONLY_IF_DIFFERENT)
endif()
