# Undo journal: its own library over one block of memory, knowing nothing of lines; the text store
# links it. Included by this folder's CMakeLists.txt.
add_library(ulo_undo STATIC ${CMAKE_CURRENT_LIST_DIR}/UndoJournal.cpp)
target_include_directories(ulo_undo PUBLIC ${CMAKE_CURRENT_LIST_DIR})

ulo_add_test(undo_journal_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/UndoJournal_test.cpp LIBS ulo_undo)

