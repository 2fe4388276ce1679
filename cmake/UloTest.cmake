if(ULO_WINDOWS)
  set(ULO_TEST_PREFIX "wine.")
else()
  set(ULO_TEST_PREFIX "host.")
endif()

# ulo_add_test(NAME SOURCES... LIBS libs... [DISPLAY])
# One GoogleTest program, one ctest entry (named host.NAME or wine.NAME); in the Windows build ctest runs it under Wine.
# DISPLAY marks a test that creates windows and needs an X display.
function(ulo_add_test name)
  cmake_parse_arguments(T "DISPLAY" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${ULO_TEST_PREFIX}${name} COMMAND ${name})
  set_tests_properties(${ULO_TEST_PREFIX}${name} PROPERTIES TIMEOUT 600)
  if(T_DISPLAY)
    set_tests_properties(${ULO_TEST_PREFIX}${name} PROPERTIES ENVIRONMENT "ULO_NEEDS_DISPLAY=1")
  endif()
endfunction()
