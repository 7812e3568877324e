# Stages the demo plant in the program folder: only the files the folder lacks are copied. A file
# already there (saved from the settings window, moved synoptic items, a run's history, or put
# there by hand; a link too, even one that leads nowhere) is the plant's own and stays as it is,
# whatever its time stamp. The lock of a station run in the demo folder itself is not the
# plant's: copied, it would refuse the staged station's start.
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${DESTINAZIONE})
file(GLOB_RECURSE voci LIST_DIRECTORIES false RELATIVE ${SORGENTE} ${SORGENTE}/*)
list(FILTER voci EXCLUDE REGEX "(^|/)quelvar\\.lck[^/]*$")
foreach(voce IN LISTS voci)
  set(meta ${DESTINAZIONE}/${voce})
  if(NOT EXISTS ${meta} AND NOT IS_SYMLINK ${meta})
    get_filename_component(cartella ${meta} DIRECTORY)
    file(COPY ${SORGENTE}/${voce} DESTINATION ${cartella})
  endif()
endforeach()
