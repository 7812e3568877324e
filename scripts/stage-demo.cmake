# Copies the demo plant into the program folder. file(COPY) skips files whose time stamp is
# unchanged, so a run's own files (history, chrono) are left alone.
file(MAKE_DIRECTORY ${DESTINAZIONE})
file(GLOB voci ${SORGENTE}/*)
file(COPY ${voci} DESTINATION ${DESTINAZIONE})
