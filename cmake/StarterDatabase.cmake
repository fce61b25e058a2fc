# cmake -DTOOL=pelvanor-tool -DSTATIONS=data/stations.csv -DDATABASE=bin/pelvanor.dat -P ...
# Makes the starter database beside the program, only where there is no database yet: a
# database the user has worked with is never touched.
if(EXISTS "${DATABASE}")
  return()
endif()
set(fresh "${DATABASE}.new.dat")
execute_process(
  COMMAND "${TOOL}" convert "${STATIONS}" "${fresh}"
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE log)
if(NOT result EQUAL 0)
  file(REMOVE "${fresh}")
  message(FATAL_ERROR "The starter database could not be made:\n${log}")
endif()
if(NOT EXISTS "${DATABASE}")
  file(RENAME "${fresh}" "${DATABASE}")
else()
  file(REMOVE "${fresh}")
endif()
