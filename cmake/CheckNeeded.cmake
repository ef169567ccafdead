# cmake -DFILE=<ELF file> -DFORBIDDEN=<a;b> -P CheckNeeded.cmake
# Fails when the file names a shared library containing any of FORBIDDEN
# among the libraries it needs at start (its NEEDED entries).
execute_process(COMMAND readelf -d ${FILE} OUTPUT_VARIABLE dynamic RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf -d ${FILE} failed")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
if(NOT needed)
  message(FATAL_ERROR "${FILE}: no NEEDED entries found")
endif()
foreach(line IN LISTS needed)
  foreach(name IN LISTS FORBIDDEN)
    if(line MATCHES "${name}")
      message(FATAL_ERROR "${FILE} needs ${line}")
    endif()
  endforeach()
endforeach()
message(STATUS "${FILE}: none of ${FORBIDDEN} among ${needed}")
