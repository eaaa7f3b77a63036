cmake_minimum_required(VERSION 3.25)
# Checks the layers of the source tree:
#   cmake -DSOURCE_DIR=<root> -DLAYERS="<folder>:<used>,<used>|..." -P CheckLayers.cmake
# LAYERS lists each folder library bottom up with the folders it builds on directly. A folder
# may build only on folders listed before it, so the layers form a line with no cycle; and every
# file includes only headers of its own folder and of the folders below it that it builds on,
# directly or further down.
string(REPLACE "|" ";" layers "${LAYERS}")
set(folders)
foreach(layer IN LISTS layers)
  string(REGEX MATCH "^[^:]+" folder "${layer}")
  list(APPEND folders ${folder})
endforeach()

set(declared)
set(violations)
foreach(layer IN LISTS layers)
  string(REGEX MATCH "^([^:]+):(.*)$" _ "${layer}")
  set(folder ${CMAKE_MATCH_1})
  string(REPLACE "," ";" uses "${CMAKE_MATCH_2}")
  set(allowed)
  foreach(used IN LISTS uses)
    if(NOT used IN_LIST declared)
      message(FATAL_ERROR "Layer ${folder} builds on ${used}, which is not declared below it "
                          "(a layer above it, or a cycle).")
    endif()
    list(APPEND allowed ${used} ${allowed_${used}})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set(allowed_${folder} ${allowed})
  list(APPEND declared ${folder})
  list(JOIN allowed ", " below)

  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "\"(.+)/[^/]+\"" _ "${line}")
      set(included ${CMAKE_MATCH_1})
      # Only the folders that are libraries count; anything else is not ours to judge.
      if(NOT included STREQUAL folder AND included IN_LIST folders
         AND NOT included IN_LIST allowed)
        file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
        list(APPEND violations "  ${name}: ${line} (${folder} builds on: ${below})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(violations)
  list(JOIN violations "\n" text)
  message(FATAL_ERROR "Includes from a layer the folder does not build on:\n${text}")
endif()
