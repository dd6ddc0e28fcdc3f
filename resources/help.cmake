# The help file bin/orv.hlp and the help page bin/orv.html, built from orv_help.txt by hlpbuild
# (tools/hlpbuild).
# Included once by the top-level CMakeLists.txt, after tools/. A cross build cannot run its own
# programs, so there hlpbuild is compiled with the host compiler; a host build uses its own target.
set(ORVANTA_HELP_SOURCE ${PROJECT_SOURCE_DIR}/resources/orv_help.txt)
set(ORVANTA_HELP_FILE ${CMAKE_BINARY_DIR}/bin/orv.hlp)
set(ORVANTA_HELP_PAGE ${CMAKE_BINARY_DIR}/bin/orv.html)
set(ORVANTA_HLPBUILD_DIR ${PROJECT_SOURCE_DIR}/tools/hlpbuild)
set(ORVANTA_HLPBUILD_SOURCES
  ${ORVANTA_HLPBUILD_DIR}/main.cpp ${ORVANTA_HLPBUILD_DIR}/help_source.cpp ${ORVANTA_HLPBUILD_DIR}/hlp_container.cpp
  ${ORVANTA_HLPBUILD_DIR}/hlp_writer.cpp
  ${ORVANTA_HLPBUILD_DIR}/html_writer.cpp)

if(CMAKE_CROSSCOMPILING)
  find_program(ORVANTA_HOST_CXX NAMES c++ g++ clang++ REQUIRED DOC "host C++ compiler for build-time tools")
  set(ORVANTA_HLPBUILD ${CMAKE_BINARY_DIR}/host/hlpbuild)
  add_custom_command(OUTPUT ${ORVANTA_HLPBUILD}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${ORVANTA_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -I${PROJECT_SOURCE_DIR}
            ${ORVANTA_HLPBUILD_SOURCES} -o ${ORVANTA_HLPBUILD}
    DEPENDS ${ORVANTA_HLPBUILD_SOURCES} ${ORVANTA_HLPBUILD_DIR}/help_source.h ${ORVANTA_HLPBUILD_DIR}/hlp_container.h ${ORVANTA_HLPBUILD_DIR}/hlp_writer.h
            ${ORVANTA_HLPBUILD_DIR}/html_writer.h
    COMMENT "Building hlpbuild for the host"
    VERBATIM)
else()
  set(ORVANTA_HLPBUILD hlpbuild)
endif()

add_custom_command(OUTPUT ${ORVANTA_HELP_FILE} ${ORVANTA_HELP_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin
  COMMAND ${ORVANTA_HLPBUILD} ${ORVANTA_HELP_SOURCE} ${ORVANTA_HELP_FILE} ${ORVANTA_HELP_PAGE}
  DEPENDS ${ORVANTA_HLPBUILD} ${ORVANTA_HELP_SOURCE}
  COMMENT "Building orv.hlp and orv.html"
  VERBATIM)
add_custom_target(orvanta_help ALL DEPENDS ${ORVANTA_HELP_FILE} ${ORVANTA_HELP_PAGE})
