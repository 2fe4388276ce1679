# Syntax colouring lexer: the per-line lexer of the five modes, the URL/e-mail recognisers, the
# control-level state walk, their tests over lexer_examples/ and the benchmark.
add_library(ulo_lexer STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LexTokenBuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexUrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexMail.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexLinkScanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexTextRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexPlain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexHtml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexPerl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexCLike.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexCss.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LexLine.cpp
)
target_include_directories(ulo_lexer PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(ulo_lexer PUBLIC ulo_keywords ulo_codes)

# Test helpers: token marks, small keyword tables, an in-memory document.
add_library(ulo_lexer_testsupport STATIC EXCLUDE_FROM_ALL
  ${CMAKE_CURRENT_LIST_DIR}/LexerTestSupport.cpp
)
target_link_libraries(ulo_lexer_testsupport PUBLIC ulo_lexer)

ulo_add_test(lexer_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Lexer_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/LexLinks_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/LexerExamples_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/LexerRobustness_test.cpp
  LIBS ulo_lexer_testsupport)
# The example folder by its source path (under Wine a Unix path is reached through Z:).
target_compile_definitions(lexer_test PRIVATE
  ULO_LEXER_EXAMPLES="${CMAKE_CURRENT_LIST_DIR}/lexer_examples")

