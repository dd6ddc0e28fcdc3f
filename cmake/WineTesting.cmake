# Windows test binaries run through wine-run.sh: one Wine prefix and one
# virtual X display per build folder, set up on first use.
# i686 programs run with the 32-bit loader in a 32-bit prefix, x86_64 ones
# with wine64.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(ORVANTA_WINE_LOADER wine64)
  set(ORVANTA_WINE_ARCH win64)
elseif(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(ORVANTA_WINE_LOADER wine)
  set(ORVANTA_WINE_ARCH win32)
endif()
if(ORVANTA_WINE_LOADER AND CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
  set(ORVANTA_WINE_TESTS ON)
else()
  set(ORVANTA_WINE_TESTS OFF)
endif()

# The Wine tests' time limits, in seconds, times ORVANTA_WINE_TIMEOUT_SCALE:
# where a kernel runs no 32-bit programs, the 32-bit ones run under QEMU's
# emulation, three to six times slower, and scripts/test-all.sh raises it.
set(ORVANTA_WINE_TIMEOUT_SCALE 1 CACHE STRING "Multiplier of the Wine tests' time limits")
function(orvanta_wine_timeout out seconds)
  math(EXPR scaled "${seconds} * ${ORVANTA_WINE_TIMEOUT_SCALE}")
  set(${out} ${scaled} PARENT_SCOPE)
endfunction()

# Adds TARGET's GoogleTest cases to CTest, each run in its own Wine process
# with the Wine tests' time limits: OPTIONS (a list) go to
# gtest_discover_tests, the further arguments are the cases' properties.
function(orvanta_discover_wine_tests target options)
  if(NOT ORVANTA_WINE_TESTS)
    return()
  endif()
  orvanta_wine_timeout(discovery 120)
  orvanta_wine_timeout(timeout 90)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${discovery} ${options}
    PROPERTIES TIMEOUT ${timeout} ${ARGN})
endfunction()

# Every case of TARGET. Each drives windows on the build's one display and
# Wine's one clipboard, which all the prefix's processes share: the lock
# keeps a parallel run (ctest -j) from letting two of them meet there.
function(orvanta_add_wine_tests target)
  orvanta_discover_wine_tests(${target} "" FIXTURES_REQUIRED wine RESOURCE_LOCK clipboard ${ARGN})
endfunction()

# The cases of TARGET that FILTER (a --gtest_filter) names, once more in the
# build folder's second prefix, whose screen has 144 DPI (150 %): named
# "dpi144.<case>" and labelled dpi144.
function(orvanta_add_wine_dpi_tests target filter)
  orvanta_discover_wine_tests(${target} "TEST_PREFIX;dpi144.;TEST_FILTER;${filter};TEST_LIST;${target}_DPI144_TESTS"
    FIXTURES_REQUIRED wine_dpi144 ENVIRONMENT ORVANTA_WINE_DPI=144 LABELS dpi144)
endfunction()

if(ORVANTA_WINE_TESTS AND BUILD_TESTING)
  add_test(NAME wine.setup COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --setup)
  orvanta_wine_timeout(timeout 120)
  set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT ${timeout})
  add_test(NAME wine.shutdown COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --shutdown)
  set_tests_properties(wine.shutdown PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
  add_test(NAME wine_dpi144.setup COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --setup)
  set_tests_properties(wine_dpi144.setup PROPERTIES FIXTURES_SETUP wine_dpi144 TIMEOUT ${timeout}
                       ENVIRONMENT ORVANTA_WINE_DPI=144 LABELS dpi144)
  add_test(NAME wine_dpi144.shutdown COMMAND ${CMAKE_BINARY_DIR}/wine-run.sh --shutdown)
  set_tests_properties(wine_dpi144.shutdown PROPERTIES FIXTURES_CLEANUP wine_dpi144 TIMEOUT 60
                       ENVIRONMENT ORVANTA_WINE_DPI=144 LABELS dpi144)
endif()
