# qorv_library(NAME SOURCES... [LINK libs...])
# A folder's library; while a folder has no sources yet it is an interface library,
# so that callers can already link it.
function(qorv_library name)
  cmake_parse_arguments(Q "" "" "SOURCES;LINK" ${ARGN})
  if(Q_SOURCES)
    add_library(${name} STATIC ${Q_SOURCES})
    target_link_libraries(${name} PUBLIC ${Q_LINK})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${Q_LINK})
  endif()
endfunction()

# qorv_test(NAME [NO_FIXTURES] [SHARDS n] SOURCES... LINK libs...)
# One GoogleTest program. ctest runs each test in its own process, or, with
# QORV_WHOLE_TEST_PROGRAMS (scripts/test), the whole program in QORV_TEST_SHARDS processes whose
# tests run in a new random order each time: that also proves each test's set-up resets what an
# earlier test left, and spares a process start and a test listing per test. NO_FIXTURES leaves the data kit (and with it the game logic) out, for tests of the layers below
# it that a reduced build (the thread sanitizer's) makes alone. SHARDS 1 keeps a program whose
# tests share one costly set-up (a whole play of the sample game) in one process.
function(qorv_test name)
  cmake_parse_arguments(Q "NO_FIXTURES" "SHARDS" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${Q_SOURCES})
  if(NOT Q_NO_FIXTURES)
    target_link_libraries(${name} PRIVATE qorv_fixtures)
  endif()
  target_link_libraries(${name} PRIVATE ${Q_LINK} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${QORV_GENERATED_DIR})
  # The test's own code needs no more than -O1: the libraries it tests keep the build's level.
  target_compile_options(${name} PRIVATE $<$<CONFIG:Release>:-O1>)
  # Definitions the folder adds after this call decide which precompiled header fits, so the
  # choice waits for the end of the folder.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL qorv_test_precompile [[${name}]])")
  if(QORV_WHOLE_TEST_PROGRAMS)
    set(shards ${QORV_TEST_SHARDS})
    if(Q_SHARDS)
      set(shards ${Q_SHARDS})
    endif()
    math(EXPR last "${shards} - 1")
    foreach(shard RANGE ${last})
      add_test(NAME ${name}.shard${shard} COMMAND ${name} --gtest_shuffle --gtest_random_seed=${QORV_TEST_SEED}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
      set_tests_properties(${name}.shard${shard} PROPERTIES ENVIRONMENT
        "QORV_BACKEND=headless;GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}")
    endforeach()
  else()
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      PROPERTIES ENVIRONMENT "QORV_BACKEND=headless")
  endif()
endfunction()

# GoogleTest and the standard headers the tests include are a third of a test file's compile
# time; test programs share one precompiled copy (target qorv_test_headers, tests/). A precompiled
# header only serves files compiled with the same definitions, so a program with definitions of
# its own (the process tests name the program they run) precompiles its own copy when it has
# enough files to gain by it.
set(QORV_TEST_HEADERS <gtest/gtest.h> <gmock/gmock.h> <algorithm> <array> <cstdint> <cstring> <filesystem>
  <fstream> <map> <memory> <string> <vector>)
function(qorv_test_precompile name)
  get_target_property(definitions ${name} COMPILE_DEFINITIONS)
  get_target_property(sources ${name} SOURCES)
  list(LENGTH sources count)
  if(NOT definitions)
    target_precompile_headers(${name} REUSE_FROM qorv_test_headers)
  elseif(count GREATER_EQUAL 3)
    target_precompile_headers(${name} PRIVATE ${QORV_TEST_HEADERS})
  endif()
endfunction()
