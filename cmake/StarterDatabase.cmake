# cmake -DTOOL=pelvanor-tool -DSTATIONS=data/stations.csv -DDATABASE=bin/pelvanor.dat
#       [-DNORMALS=data/wmo-normals-1991-2020/wmo_normals_9120_PRCP.csv]
#       [-DSOURCES=data/stations.SOURCES.md] -P ...
# Makes the starter database beside the program, only where there is no database yet: a
# database the user has worked with is never touched. It holds the starter stations, then every
# complete station of the WMO climate normals (by default those beside the starter stations)
# that is not one of them already: the WMO numbers of the starter stations stand in their
# sources.
if(EXISTS "${DATABASE}")
  return()
endif()
get_filename_component(data "${STATIONS}" DIRECTORY)
if(NOT NORMALS)
  set(NORMALS "${data}/wmo-normals-1991-2020/wmo_normals_9120_PRCP.csv")
endif()
if(NOT SOURCES)
  set(SOURCES "${data}/stations.SOURCES.md")
endif()

file(STRINGS "${SOURCES}" rows ENCODING UTF-8 REGEX "^\\| [^|]+ \\| [0-9]+ \\|$")
set(numbers "")
foreach(row IN LISTS rows)
  string(REGEX REPLACE "^.* ([0-9]+) \\|$" "\\1" number "${row}")
  list(APPEND numbers "${number}")
endforeach()
if(NOT numbers)
  message(FATAL_ERROR "No WMO numbers of the starter stations in ${SOURCES}")
endif()
list(JOIN numbers "," numbers)

set(fresh "${DATABASE}.new.dat")
execute_process(
  COMMAND "${TOOL}" convert "${STATIONS}" "${fresh}"
  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE log)
if(result EQUAL 0)
  execute_process(
    COMMAND "${TOOL}" merge "${fresh}" "${NORMALS}" --similar add --skip-wmo "${numbers}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE log)
endif()
if(NOT result EQUAL 0)
  file(REMOVE "${fresh}")
  message(FATAL_ERROR "The starter database could not be made:\n${log}")
endif()
if(NOT EXISTS "${DATABASE}")
  file(RENAME "${fresh}" "${DATABASE}")
else()
  file(REMOVE "${fresh}")
endif()
