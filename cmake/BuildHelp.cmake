# Compiles the help file.
#
#   cmake -DSRC=<docs/help> -DWORK=<work folder> -DCHMCMD=<chmcmd> -DOUT=<.../Quorvale.chm>
#         [-DPICTURES=<picture|picture...>] -P BuildHelp.cmake
#
# The sources are the project file Quorvale.hhp (options, and the help context numbers of the
# program's windows in [ALIAS] and [MAP]), the contents tree Quorvale.hhc, the keyword index
# Quorvale.hhk, one HTML page per topic, the style sheet and the pictures (images/; PICTURES adds
# pictures kept elsewhere in the repository). Everything is copied into WORK/src, where
#   - the [FILES] section is written: every file of the copy but the project, contents and index;
#   - context.map is written from [ALIAS] and [MAP], lines "number=topic", and put into the file as
#     well: the program's viewer looks context numbers up there, because chmcmd stores the topics
#     of its own map with the build machine's folder names;
#   - every context number, contents entry and index entry is checked to name a page that exists;
# then chmcmd compiles it and the result replaces OUT.

cmake_minimum_required(VERSION 3.21)
foreach(v SRC WORK CHMCMD OUT)
  if(NOT ${v})
    message(FATAL_ERROR "BuildHelp: ${v} must be given")
  endif()
endforeach()

set(dir "${WORK}/src")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}/images")
file(COPY "${SRC}/" DESTINATION "${dir}")
if(PICTURES)
  string(REPLACE "|" ";" PICTURES "${PICTURES}")
  foreach(p IN LISTS PICTURES)
    file(COPY "${p}" DESTINATION "${dir}/images")
  endforeach()
endif()

# The project file: its sections as they are, [FILES] made from the copy.
file(STRINGS "${dir}/Quorvale.hhp" hhp)
set(section "")
set(kept "")
set(aliases "")
set(numbers "")
foreach(line IN LISTS hhp)
  string(STRIP "${line}" line)
  if(line MATCHES "^\\[(.*)\\]$")
    string(TOUPPER "${CMAKE_MATCH_1}" section)
  elseif(section STREQUAL "ALIAS" AND line MATCHES "^([A-Za-z0-9_]+)[ \t]*=[ \t]*(.+)$")
    list(APPEND aliases "${CMAKE_MATCH_1}")
    set("alias_${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
  elseif(section STREQUAL "MAP" AND line MATCHES "^#define[ \t]+([A-Za-z0-9_]+)[ \t]+([0-9]+)")
    list(APPEND numbers "${CMAKE_MATCH_1}")
    set("number_${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}")
  endif()
  if(NOT section STREQUAL "FILES" AND NOT (line STREQUAL "[FILES]"))
    string(APPEND kept "${line}\n")
  endif()
endforeach()

file(GLOB_RECURSE files RELATIVE "${dir}" "${dir}/*")
list(SORT files)
set(listed "")
foreach(f IN LISTS files)
  if(NOT f MATCHES "\\.(hhp|hhc|hhk)$")
    string(APPEND listed "${f}\n")
  endif()
endforeach()

set(map "")
foreach(id IN LISTS numbers)
  if(NOT DEFINED "alias_${id}")
    message(FATAL_ERROR "BuildHelp: help context ${id} (${number_${id}}) has no topic in [ALIAS]")
  endif()
  set(topic "${alias_${id}}")
  if(NOT EXISTS "${dir}/${topic}")
    message(FATAL_ERROR "BuildHelp: help context ${id} names ${topic}, which is not in ${SRC}")
  endif()
  string(APPEND map "${number_${id}}=${topic}\n")
endforeach()
file(WRITE "${dir}/context.map" "${map}")
string(APPEND listed "context.map\n")
file(WRITE "${dir}/Quorvale.hhp" "${kept}\n[FILES]\n${listed}")

# Every page the contents and the index name must exist.
foreach(sitemap Quorvale.hhc Quorvale.hhk)
  file(READ "${dir}/${sitemap}" text)
  string(REGEX MATCHALL "name=\"Local\"[ \t]+value=\"[^\"#]*" locals "${text}")
  foreach(l IN LISTS locals)
    string(REGEX REPLACE ".*value=\"" "" page "${l}")
    if(NOT EXISTS "${dir}/${page}")
      message(FATAL_ERROR "BuildHelp: ${sitemap} names ${page}, which is not in ${SRC}")
    endif()
  endforeach()
endforeach()

# Every link between pages and every picture must exist.
file(GLOB pages RELATIVE "${dir}" "${dir}/*.html")
foreach(page IN LISTS pages)
  file(READ "${dir}/${page}" text)
  string(REGEX MATCHALL "(href|src)=\"[^\"#:]+" links "${text}")
  foreach(l IN LISTS links)
    string(REGEX REPLACE "^(href|src)=\"" "" target "${l}")
    if(NOT EXISTS "${dir}/${target}")
      message(FATAL_ERROR "BuildHelp: ${page} links to ${target}, which is not in ${SRC}")
    endif()
  endforeach()
endforeach()

execute_process(COMMAND "${CHMCMD}" --verbosity 1 Quorvale.hhp
                WORKING_DIRECTORY "${dir}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT EXISTS "${dir}/Quorvale.chm")
  message(FATAL_ERROR "BuildHelp: chmcmd failed (${rc}):\n${out}")
endif()
get_filename_component(outdir "${OUT}" DIRECTORY)
file(MAKE_DIRECTORY "${outdir}")
file(COPY_FILE "${dir}/Quorvale.chm" "${OUT}.new")
file(RENAME "${OUT}.new" "${OUT}")
