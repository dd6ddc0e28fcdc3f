# Import libraries that load a DLL at the program's first call into it,
# instead of before WinMain runs. A DLL that is not one of Windows' known
# DLLs is looked for in the program's own folder first when it is imported
# at start; loaded later, it comes from the system folder that WinMain has
# made the only place to look. One target per DLL: orvanta_delayed_<name>,
# made from platform/win/delay_load/<name>.def.
find_program(ORVANTA_DLLTOOL ${ORVANTA_MINGW_TRIPLE}-dlltool REQUIRED)

function(orvanta_delay_loaded_dll name)
  set(source ${PROJECT_SOURCE_DIR}/platform/win/delay_load/${name}.def)
  set(folder ${CMAKE_BINARY_DIR}/delay_load)
  set(library ${folder}/liborvanta_delayed_${name}.a)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} exports)
  set(kill_at)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(kill_at --kill-at)  # the DLL exports the names without @N
  else()
    string(REGEX REPLACE "@[0-9]+" "" exports "${exports}")
  endif()
  file(WRITE ${folder}/${name}.def "${exports}")
  # Run in its folder: the library's member names are made from the name
  # given, which must not carry the build's path.
  execute_process(COMMAND ${ORVANTA_DLLTOOL} ${kill_at} --input-def ${name}.def
                          --output-delaylib liborvanta_delayed_${name}.a
                  WORKING_DIRECTORY ${folder} RESULT_VARIABLE failed ERROR_VARIABLE errors)
  if(failed)
    message(FATAL_ERROR "dlltool could not make ${library}: ${errors}")
  endif()
  # GNU ld drops the code of an import library's member when only its
  # __imp_ pointer is used, as calls to a DLL's functions do; the delay-load
  # thunk is that code, and the pointer starts out aimed at it. Naming each
  # thunk as undefined keeps it.
  string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_@]*" functions "${exports}")
  set(keep)
  foreach(function ${functions})
    string(STRIP "${function}" function)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(function _${function})  # 32-bit C names begin with an underscore
    endif()
    if(NOT function MATCHES "^_?(LIBRARY|EXPORTS)$")
      list(APPEND keep "LINKER:-u,${function}")
    endif()
  endforeach()
  add_library(orvanta_delayed_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(orvanta_delayed_${name} PROPERTIES IMPORTED_LOCATION ${library}
                        INTERFACE_LINK_OPTIONS "${keep}")
endfunction()

foreach(dll comctl32 comdlg32 shell32)
  orvanta_delay_loaded_dll(${dll})
endforeach()
