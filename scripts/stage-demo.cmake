# Copies the demo plant into the program folder. file(COPY) skips files whose time stamp is
# unchanged, so a run's own files (history, chrono) are left alone. The lock of a station run in
# the demo folder itself is not the plant's: copied, it would refuse the staged station's start.
file(MAKE_DIRECTORY ${DESTINAZIONE})
file(GLOB voci ${SORGENTE}/*)
list(FILTER voci EXCLUDE REGEX "/quelvar\\.lck[^/]*$")
file(COPY ${voci} DESTINATION ${DESTINAZIONE})
