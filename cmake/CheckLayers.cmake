# SPDX-License-Identifier: MIT
# Refuses an include that points up the layers. Run as a script:
#   cmake -DSOURCE_DIR=<src> -DLAYERS=<levels> [-DAPART=<groups>] [-DSTAMP=<file>]
#         -P CheckLayers.cmake
# LAYERS lists the levels from the lowest up, separated by ":"; the folders of
# one level are separated by ",". A folder's code may include its own headers
# and those of lower levels, never those of its own level or above: that is
# what keeps every library buildable without the ones above it.
# APART lists groups of folders, written the same way, whose members never
# include a folder of another group even where the levels would allow it, so
# that two front ends share only what lies below both.
cmake_minimum_required(VERSION 3.25)

string(REPLACE ":" ";" levels "${LAYERS}")
set(level 0)
set(known "")
foreach(folders IN LISTS levels)
  string(REPLACE "," ";" folders "${folders}")
  foreach(folder IN LISTS folders)
    set(level_of_${folder} ${level})
    list(APPEND known ${folder})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

string(REPLACE ":" ";" groups "${APART}")
set(group 0)
foreach(folders IN LISTS groups)
  string(REPLACE "," ";" folders "${folders}")
  foreach(folder IN LISTS folders)
    set(group_of_${folder} ${group})
  endforeach()
  math(EXPR group "${group} + 1")
endforeach()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB folders_on_disk LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
if(NOT folders_on_disk)
  message(FATAL_ERROR "No source folders under ${SOURCE_DIR}")
endif()
set(faults "")
foreach(folder IN LISTS folders_on_disk)
  if(NOT IS_DIRECTORY ${SOURCE_DIR}/${folder})
    continue()
  endif()
  if(NOT folder IN_LIST known)
    string(APPEND faults "  src/${folder}/ has no layer: add it to TARVEX_LAYERS\n")
    continue()
  endif()
  file(GLOB sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([A-Za-z0-9_]+)/([^\"]*)\".*$" "\\1;\\2" parts "${line}")
      list(GET parts 0 target)
      list(GET parts 1 header)
      if(target STREQUAL folder)
        continue()
      endif()
      get_filename_component(name ${source} NAME)
      if(NOT DEFINED level_of_${target})
        string(APPEND faults "  src/${folder}/${name} includes ${target}/${header}, a folder with no layer\n")
      elseif(NOT level_of_${target} LESS level_of_${folder})
        string(APPEND faults "  src/${folder}/${name} includes ${target}/${header}, which is not below ${folder}/\n")
      elseif(DEFINED group_of_${folder} AND DEFINED group_of_${target}
             AND NOT group_of_${folder} EQUAL group_of_${target})
        string(APPEND faults "  src/${folder}/${name} includes ${target}/${header}, but ${folder}/ and ${target}/ stay apart\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "Includes that point up the layers or across groups kept apart:\n${faults}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
