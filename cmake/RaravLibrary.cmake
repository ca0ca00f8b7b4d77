# rarav_library(name SOURCES ... LINKS ...): one static library of a top folder,
# with Qt headers precompiled so that a 2-core build stays quick.
function(rarav_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  if("Qt6::Widgets" IN_LIST ARG_LINKS)
    target_precompile_headers(${name} PRIVATE <QtWidgets/QtWidgets>)
  else()
    target_precompile_headers(${name} PRIVATE <QtCore/QtCore>)
  endif()
endfunction()

# rarav_test(name SOURCES ... LINKS ...): one GoogleTest program of a folder.
function(rarav_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE rarav_test_support ${ARG_LINKS} GTest::gtest)
  target_compile_definitions(${name} PRIVATE RARAV_BUILD_BIN="${RARAV_BIN_DIR}"
                                             RARAV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()
