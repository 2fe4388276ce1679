# Window tests of the control's input and message interface (Windows configuration, under Wine
# with a display). Included by this folder's CMakeLists.txt after the window library.
if(NOT ULO_CONTROL_REQUEST_SOURCES OR NOT TARGET ulo_control_testhost)
  return()
endif()
add_library(ulo_control_inputhost STATIC InputTestHost.cpp)
target_link_libraries(ulo_control_inputhost PUBLIC ulo_control_testhost ulo_search)

ulo_add_test(control_input_test SOURCES QuorvaleInput_test.cpp LIBS ulo_control_inputhost DISPLAY)
ulo_add_test(control_requests_test SOURCES QuorvaleRequests_test.cpp LIBS ulo_control_inputhost DISPLAY)
ulo_add_test(control_messages_test SOURCES QuorvaleWindowMessages_test.cpp LIBS ulo_control_inputhost DISPLAY)
set_tests_properties(${ULO_TEST_PREFIX}control_input_test ${ULO_TEST_PREFIX}control_requests_test
  ${ULO_TEST_PREFIX}control_messages_test PROPERTIES TIMEOUT 120)

# The markup requests (HTML mode, the shipped maps, lint.dll beside the test).
ulo_add_test(control_markup_test SOURCES QuorvaleMarkup_test.cpp LIBS ulo_control_inputhost ulo_html DISPLAY)
target_compile_definitions(control_markup_test PRIVATE ULO_MAP_DIR="${CMAKE_BINARY_DIR}/bin/dtd")
add_dependencies(control_markup_test lint)
set_tests_properties(${ULO_TEST_PREFIX}control_markup_test PROPERTIES TIMEOUT 120)
set_property(TEST ${ULO_TEST_PREFIX}control_markup_test APPEND PROPERTY RESOURCE_LOCK lint_dll)
