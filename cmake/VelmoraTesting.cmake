# velmora_test(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [GL] [E2E] [LABELS l...])
#   One GoogleTest executable registered with ctest under NAME.
#   GL:  needs an X display with OpenGL (the test scripts start Xvfb).
#   E2E: runs the real program; gets the binary's path in VELMORA_BINARY.
function(velmora_test name)
  if(NOT VELMORA_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "GL;E2E" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set(labels ${T_LABELS})
  if(T_GL)
    list(APPEND labels gl)
  endif()
  if(T_E2E)
    list(APPEND labels e2e)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
                 "VELMORA_BINARY=$<TARGET_FILE:velmora>"
                 "VELMORA_DATA_DIR=${VELMORA_DATA_DIR}"
                 "VELMORA_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
    set_property(TEST ${name} PROPERTY RUN_SERIAL TRUE)
  endif()
  if(NOT T_GL AND NOT T_E2E)
    list(APPEND labels unit)
  endif()
  set_property(TEST ${name} PROPERTY LABELS ${labels})
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
               "VELMORA_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}")
endfunction()
