# Stages the demo plant twice into a program folder of its own, the way the `station` target
# does at every build, and checks that the second staging keeps what the folder already holds.
# Run as: cmake -DSCRIPT=<stage-demo.cmake> -DDEMO=<demo folder> -DLAVORO=<scratch folder> -P ...

cmake_minimum_required(VERSION 3.25)

foreach(v SCRIPT DEMO LAVORO)
  if(NOT ${v})
    message(FATAL_ERROR "${v} not given")
  endif()
endforeach()

set(sorgente ${LAVORO}/demo)
set(cartella ${LAVORO}/station)
file(REMOVE_RECURSE ${LAVORO})
file(MAKE_DIRECTORY ${sorgente})

# The demo plant, plus the lock a station run right in the demo folder leaves behind.
file(GLOB demo RELATIVE ${DEMO} ${DEMO}/*)
foreach(f IN LISTS demo)
  file(COPY ${DEMO}/${f} DESTINATION ${sorgente})
endforeach()
file(WRITE ${sorgente}/quelvar.lck "4242\n")
if(NOT "Quelvar1.ini" IN_LIST demo OR NOT "Pianta.jpg" IN_LIST demo OR NOT "T1.bmp" IN_LIST demo)
  message(FATAL_ERROR "the demo plant lacks Quelvar1.ini, Pianta.jpg or T1.bmp: ${demo}")
endif()

function(allestisci)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSORGENTE=${sorgente} -DDESTINAZIONE=${cartella} -P ${SCRIPT}
                  RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE uscita)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "staging failed (${esito}): ${uscita}")
  endif()
endfunction()

function(uguale a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE diverso)
  if(NOT diverso EQUAL 0)
    message(FATAL_ERROR "${b} differs from ${a}")
  endif()
endfunction()

# An empty program folder gets the whole demo plant, identical, and not the lock.
allestisci()
foreach(f IN LISTS demo)
  uguale(${sorgente}/${f} ${cartella}/${f})
endforeach()
if(EXISTS ${cartella}/quelvar.lck)
  message(FATAL_ERROR "the demo folder's quelvar.lck was staged")
endif()

# The operator moves the plant to COM4 from the settings window; the saved file happens to be
# older than the demo's. They also keep a file of their own there, have a zone icon replaced by
# a link that leads nowhere yet, and lose the plant picture.
file(READ ${cartella}/Quelvar1.ini ini)
string(REPLACE "Porta=1" "Porta=4" ini "${ini}")
if(ini STREQUAL "")
  message(FATAL_ERROR "Quelvar1.ini read empty")
endif()
file(WRITE ${cartella}/Quelvar1.ini "${ini}")
file(READ ${cartella}/Quelvar1.ini salvato HEX)
file(READ ${sorgente}/Quelvar1.ini originale HEX)
if(salvato STREQUAL originale)
  message(FATAL_ERROR "the demo Quelvar1.ini has no [COM] Porta=1 to change")
endif()
execute_process(COMMAND touch -t 200001010000 ${cartella}/Quelvar1.ini RESULT_VARIABLE esito)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "cannot age Quelvar1.ini")
endif()
file(WRITE ${cartella}/Mio.txt "appunti del turno\n")
file(REMOVE ${cartella}/T1.bmp)
file(CREATE_LINK ${LAVORO}/nessuno.bmp ${cartella}/T1.bmp SYMBOLIC)
file(REMOVE ${cartella}/Pianta.jpg)

# Staging again keeps all of that and brings back only what is missing.
allestisci()
file(READ ${cartella}/Quelvar1.ini dopo HEX)
if(NOT dopo STREQUAL salvato)
  message(FATAL_ERROR "the operator's Quelvar1.ini was overwritten by the demo's")
endif()
file(READ ${cartella}/Mio.txt mio)
if(NOT mio STREQUAL "appunti del turno\n")
  message(FATAL_ERROR "the user's own Mio.txt was changed or removed")
endif()
if(NOT IS_SYMLINK ${cartella}/T1.bmp)
  message(FATAL_ERROR "the dangling T1.bmp link was replaced")
endif()
file(READ_SYMLINK ${cartella}/T1.bmp meta)
if(NOT meta STREQUAL "${LAVORO}/nessuno.bmp")
  message(FATAL_ERROR "the dangling T1.bmp link was redirected to ${meta}")
endif()
if(EXISTS ${LAVORO}/nessuno.bmp)
  message(FATAL_ERROR "staging wrote through the dangling T1.bmp link")
endif()
uguale(${sorgente}/Pianta.jpg ${cartella}/Pianta.jpg)
if(EXISTS ${cartella}/quelvar.lck)
  message(FATAL_ERROR "the demo folder's quelvar.lck was staged")
endif()
