# hk_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [GUI])
# One test program a call, registered with ctest. GUI tests run on the
# offscreen platform so they need no display. Every test program carries the
# guard that fails a test when an error other than the core's own reaches the
# calculation's error trap (src/common/testing/trap_guard.h).
function(hk_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  hk_warnings(${T_NAME})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} Qt6::Test hk_trap_guard_qtest)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main
                          hk_trap_guard_gtest)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    TIMEOUT 300)
endfunction()

# hk_add_trap_guard(name source framework)
# The guard object that hk_add_test links into every program of one test
# framework: it reports an unexpected error as a failure of that framework.
function(hk_add_trap_guard name source framework)
  add_library(${name} OBJECT ${source})
  target_link_libraries(${name} PUBLIC hk_common ${framework})
  hk_warnings(${name})
endfunction()
