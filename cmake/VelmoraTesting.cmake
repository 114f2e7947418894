# velmora_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [GL] [E2E] [LABELS l...])
#   One GoogleTest executable; each of its test cases is registered with ctest
#   under its own name, so the summary shows what ran.
#   GL:  needs an X display with OpenGL (scripts/test starts Xvfb); its main()
#        destroys the test window before the process exits.
#   E2E: runs the real program, compiled in as VELMORA_BINARY; runs alone.
#   Every test gets VELMORA_TEST_DATA, the folder of its sources.
#   A Windows build has the unit tests only: they run under Wine, whose
#   OpenGL and windows the GL and end-to-end tests are not written against.
include(GoogleTest)

function(velmora_test name)
  if(NOT VELMORA_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "GL;E2E" "" "SOURCES;LIBS;LABELS" ${ARGN})
  if(WIN32 AND (T_GL OR T_E2E))
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  if(T_GL)
    target_link_libraries(${name} PRIVATE ${T_LIBS} gl_test_main)
  else()
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    VELMORA_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}"
    VELMORA_DATA_DIR="${VELMORA_DATA_DIR}")
  set(labels ${T_LABELS})
  set(serial FALSE)
  if(T_GL)
    list(APPEND labels gl)
  endif()
  if(T_E2E)
    list(APPEND labels e2e)
    set(serial TRUE)
    target_compile_definitions(${name} PRIVATE VELMORA_BINARY="$<TARGET_FILE:velmora>")
    add_dependencies(${name} velmora)
  endif()
  if(NOT T_GL AND NOT T_E2E)
    list(APPEND labels unit)
  endif()
  gtest_discover_tests(${name}
    TEST_PREFIX "${name}."
    DISCOVERY_TIMEOUT 30
    DISCOVERY_MODE ${VELMORA_TEST_DISCOVERY}
    PROPERTIES LABELS "${labels}" RUN_SERIAL ${serial} TIMEOUT 300
               ENVIRONMENT "VELMORA_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()
