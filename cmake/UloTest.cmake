if(ULO_WINDOWS)
  set(ULO_TEST_PREFIX "wine.")
elseif(ULO_SANITIZE)
  set(ULO_TEST_PREFIX "asan.")
else()
  set(ULO_TEST_PREFIX "host.")
endif()

# ulo_add_test(NAME SOURCES... LIBS libs... [DISPLAY] [TIMEOUT seconds])
# One GoogleTest program, one ctest entry (named host.NAME or wine.NAME); in the Windows build ctest runs it under Wine.
# TIMEOUT is sized to the test: a unit-test program that runs in a second keeps the default of
# 60 s, so a hang costs a minute and names itself; end-to-end suites give their own, larger one.
# DISPLAY marks a test that creates windows and needs an X display. Such tests run one at a time:
# they share one display, one pointer and keyboard, one clipboard and Wine's one foreground window,
# and a window shown by one test would take the focus from another.
# Further locks are added with set_property(TEST ... APPEND PROPERTY RESOURCE_LOCK ...).
function(ulo_add_test name)
  cmake_parse_arguments(T "DISPLAY" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${ULO_TEST_PREFIX}${name} COMMAND ${name})
  set_tests_properties(${ULO_TEST_PREFIX}${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_DISPLAY)
    ulo_display_test(${ULO_TEST_PREFIX}${name})
  endif()
endfunction()

# Marks an existing ctest entry as a window test (see DISPLAY above).
function(ulo_display_test test)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "ULO_NEEDS_DISPLAY=1")
  set_property(TEST ${test} APPEND PROPERTY RESOURCE_LOCK ulo_display)
endfunction()

# Moves a window test group to a Wine prefix and a display of its own (see cmake/wine-run): its
# tests share nothing with the others (registry, Wine server, focus), so they run beside them and
# only wait for each other.
function(ulo_own_prefix_test test group)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "ULO_OWN_PREFIX=${group}")
  set_tests_properties(${test} PROPERTIES RESOURCE_LOCK ulo_prefix_${group})
endfunction()
