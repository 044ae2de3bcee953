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

# qorv_test(NAME SOURCES... LINK libs...)
# One GoogleTest program; each test runs in its own process so global state starts fresh.
function(qorv_test name)
  cmake_parse_arguments(Q "" "" "SOURCES;LINK" ${ARGN})
  add_executable(${name} ${Q_SOURCES})
  target_link_libraries(${name} PRIVATE ${Q_LINK} qorv_fixtures GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE QORV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QORV_BACKEND=headless")
endfunction()
