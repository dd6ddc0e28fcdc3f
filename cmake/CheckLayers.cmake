# Fails when a source includes a layer above its own. The layers, bottom up:
# the portable engine, database format and platform services; platform/win;
# the engine's and the database's windows; app/. Tools and tests may use the
# portable layers only, or any layer, as listed.
#   cmake -DROOT=<source dir> -P cmake/CheckLayers.cmake
set(portable_forbidden "app/" "engine/win/" "database/win/" "platform/win/" "<windows.h>")
set(rules
  "engine|${portable_forbidden}|database/"
  "database|${portable_forbidden}|engine/"
  "platform|app/;engine/;database/"
  "platform/win|app/;engine/;database/"
  "engine/win|app/;database/"
  "database/win|app/;engine/win/"
  "tools|app/;engine/win/;database/win/;platform/win/")
set(faults "")
foreach(rule IN LISTS rules)
  string(REPLACE "|" ";" parts "${rule}")
  list(POP_FRONT parts folder)
  # The portable folders' own win/ subfolder is a layer of its own.
  if(folder MATCHES "^(engine|database|platform)$")
    file(GLOB sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  else()
    file(GLOB_RECURSE sources ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp)
  endif()
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      foreach(forbidden IN LISTS parts)
        string(FIND "${line}" "${forbidden}" at)
        if(NOT at EQUAL -1)
          file(RELATIVE_PATH name ${ROOT} ${source})
          list(APPEND faults "${name}: ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()
