# Editor control input and message interface. Included by this folder's CMakeLists.txt before
# the Windows-only part: builds the portable logic and its tests (both configurations) and lists
# the Win32 files of the input and request parts for the window library.

# Decisions and arithmetic that need no document.
add_library(ulo_control_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/QuorvaleInputLogic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuorvaleListing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuorvaleScrollMath.cpp
)
target_include_directories(ulo_control_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(ulo_control_logic PUBLIC ulo_codes)

ulo_add_test(control_logic_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/QuorvaleInputLogic_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/QuorvaleListing_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/QuorvaleScrollMath_test.cpp
  LIBS ulo_control_logic)

# The document requests (find, list, replace, clipboard text, line iteration) work on the text
# store's caret, selection and editing primitives; they join once the store declares them.
file(STRINGS ${CMAKE_SOURCE_DIR}/editor/textstore/TextStore.h ULO_STORE_EDITING REGEX "bool deleteSelection\\(")
if(NOT ULO_STORE_EDITING)
  message(STATUS "editor/control: text store editing not declared yet; control requests and input wait")
  return()
endif()

target_sources(ulo_control_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/QuorvaleDocumentOps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuorvaleFind.cpp
)
target_link_libraries(ulo_control_logic PUBLIC ulo_textstore ulo_search)

ulo_add_test(control_document_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/QuorvaleDocumentOps_test.cpp
  LIBS ulo_control_logic)

set(ULO_CONTROL_INPUT_SOURCES
  QuorvaleClipboard.cpp
  QuorvaleInputEdit.cpp
  QuorvaleInputFocus.cpp
  QuorvaleInputIme.cpp
  QuorvaleInputKeys.cpp
  QuorvaleInputMouse.cpp
  QuorvaleInputPointer.cpp
  QuorvaleInputScroll.cpp
)
set(ULO_CONTROL_REQUEST_SOURCES
  QuorvaleRequests.cpp
  QuorvaleRequestsDocument.cpp
  QuorvaleRequestsText.cpp
  QuorvaleRequestsView.cpp
  QuorvaleMarkup.cpp
)
