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

# Files that hold windows or other widgets: frm_*.cpp and *_ui/_qt/_window/
# _widget.cpp. They go to the folder's *_ui library so that logic never links
# widgets.
set(RARAV_UI_FILE_REGEX "/(frm_[^/]*|[^/]*_(ui|qt|window|widget))\\.cpp$")

# rarav_folder(folder LINKS ... UI_LINKS ...): the folder's logic library
# rarav_<folder> from every other *.cpp, and rarav_<folder>_ui from its window
# files. Sources are globbed so that new files need no edit here.
function(rarav_folder folder)
  cmake_parse_arguments(ARG "" "EXCLUDE" "LINKS;UI_LINKS" ${ARGN})
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER all EXCLUDE REGEX "/main\\.cpp$")
  if(ARG_EXCLUDE)
    list(FILTER all EXCLUDE REGEX "${ARG_EXCLUDE}")
  endif()
  set(ui ${all})
  list(FILTER ui INCLUDE REGEX "${RARAV_UI_FILE_REGEX}")
  set(core ${all})
  list(FILTER core EXCLUDE REGEX "${RARAV_UI_FILE_REGEX}")
  set(uiLinks ${ARG_LINKS})
  if(core)
    rarav_library(rarav_${folder} SOURCES ${core} LINKS ${ARG_LINKS})
    set(uiLinks rarav_${folder})
  endif()
  if(ui)
    rarav_library(rarav_${folder}_ui SOURCES ${ui} LINKS ${uiLinks} ${ARG_UI_LINKS} Qt6::Widgets)
  endif()
endfunction()

# rarav_folder_tests(folder LINKS ...): every *_test.cpp of a tests folder in
# one program, tests_<folder>.
function(rarav_folder_tests folder)
  cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  rarav_test(tests_${folder} SOURCES ${sources} LINKS ${ARG_LINKS})
endfunction()
