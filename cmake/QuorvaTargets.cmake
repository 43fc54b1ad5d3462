# Helper functions, one per kind of target: program libraries, run-time plugins and tests.
include_guard(GLOBAL)

set(QV_WARNING_FLAGS -Wall -Wextra -Wpedantic)
if(QV_WERROR)
  list(APPEND QV_WARNING_FLAGS -Werror)
endif()

if(QV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

function(qv_warnings target)
  target_compile_options(${target} PRIVATE ${QV_WARNING_FLAGS})
endfunction()

# qv_add_library(NAME SHARED|STATIC SOURCES ... [LIBS ...])
# Shared libraries land in the program directory and find their peers through $ORIGIN.
function(qv_add_library name kind)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;PUBLIC_LIBS" ${ARGN})
  add_library(${name} ${kind} ${A_SOURCES})
  qv_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${A_LIBS} PUBLIC ${A_PUBLIC_LIBS})
  if(kind STREQUAL "SHARED")
    set_target_properties(${name} PROPERTIES
      LIBRARY_OUTPUT_DIRECTORY ${QV_PROG_DIR}
      CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
      BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# qv_add_plugin(NAME OUTPUT FILE SOURCES ... [LIBS ...])
# A library the program loads at run time by file name (FEDCALC.so, TAXPDF.so, ...).
function(qv_add_plugin name)
  cmake_parse_arguments(A "" "OUTPUT" "SOURCES;LIBS" ${ARGN})
  add_library(${name} MODULE ${A_SOURCES})
  qv_warnings(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/include)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_target_properties(${name} PROPERTIES
    PREFIX "" SUFFIX ".so" OUTPUT_NAME ${A_OUTPUT}
    LIBRARY_OUTPUT_DIRECTORY ${QV_PROG_DIR}
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    BUILD_RPATH "$ORIGIN" INSTALL_RPATH "$ORIGIN")
  target_link_options(${name} PRIVATE -Wl,--no-undefined)
  add_dependencies(qv_prog ${name})
endfunction()

# qv_add_tool(NAME SOURCES ... [LIBS ...]): a command-line tool in build/bin.
function(qv_add_tool name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  qv_warnings(${name})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${QV_BIN_DIR}
    BUILD_RPATH "${QV_PROG_DIR}")
endfunction()

# qv_add_test(NAME SOURCES ... [LIBS ...])
# One GoogleTest executable per subsystem; every case is registered with CTest. The test
# main (tests/support) gives each case a fresh program directory, settings and Windows folder.
function(qv_add_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  add_executable(${name} ${A_SOURCES})
  qv_warnings(${name})
  target_link_libraries(${name} PRIVATE qvtestsupport ${A_LIBS} GTest::gmock)
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    BUILD_RPATH "${QV_PROG_DIR}")
  add_dependencies(${name} qv_prog)
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT ${A_TIMEOUT})
  # The environment goes on in a script of its own that runs after the discovered tests are
  # added: through PROPERTIES (CMake 3.25) a list value is split up and only its first
  # variable would reach the tests.
  set(test_env
    "QT_QPA_PLATFORM=offscreen" "QUORVA_BUILD_PROG=${QV_PROG_DIR}"
    "QUORVA_SOURCE_DIR=${PROJECT_SOURCE_DIR}" "QUORVA_ARTIFACTS=${QV_ARTIFACT_DIR}"
    "QUORVA_BIN_DIR=${QV_BIN_DIR}" "ASAN_OPTIONS=detect_leaks=1:detect_odr_violation=0"
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  set(env_script ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_script}
    "foreach(test IN LISTS ${name}_TESTS)\n"
    "  set_tests_properties(\"\${test}\" PROPERTIES ENVIRONMENT \"${test_env}\")\n"
    "endforeach()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_script})
endfunction()

# qv_add_fuzz(NAME SOURCES ... [LIBS ...] CORPUS DIR)
# With the fuzz preset (clang) a libFuzzer executable in build/fuzz/bin; in every other build
# a replay of the seed corpus through the same entry point, registered as a test, so that
# every input that once broke the reader stays fixed.
function(qv_add_fuzz name)
  cmake_parse_arguments(A "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  if(QV_FUZZ_ONLY)
    add_executable(${name} ${A_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined -g)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  else()
    add_executable(${name} ${A_SOURCES} ${PROJECT_SOURCE_DIR}/tests/fuzz/replay_main.cpp)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
      BUILD_RPATH "${QV_PROG_DIR}")
    add_test(NAME ${name}.corpus COMMAND ${name} ${A_CORPUS})
    set_tests_properties(${name}.corpus PROPERTIES TIMEOUT 120)
  endif()
  qv_warnings(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${A_LIBS})
endfunction()

# Adds every direct sub-folder of the current source folder that has a CMakeLists.txt.
function(qv_add_subfolders)
  cmake_parse_arguments(A "" "" "EXCEPT" ${ARGN})
  file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT entries)
  foreach(entry ${entries})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${entry}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt
       AND NOT entry IN_LIST A_EXCEPT)
      add_subdirectory(${entry})
    endif()
  endforeach()
endfunction()
