# Copies the program folder of the source tree next to the executable;
# file(COPY) skips files that are already up to date.
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}/" DESTINATION "${DESTINATION}")
endif()
