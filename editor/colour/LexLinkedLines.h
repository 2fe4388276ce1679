// LexLinkedLines: lets the Lexer walk any doubly linked line record with the fields next, text,
// length, LineStartState and urlFlags (the line store's LineRecord).
#pragma once
#include <cstdint>

template <class Record>
class LexLinkedLines {
public:
    using Line = Record*;

    explicit LexLinkedLines(Record* head) : head_(head) {}

    Line first() const { return head_; }
    Line next(Line line) const { return line->next; }
    const uint8_t* text(Line line) const { return reinterpret_cast<const uint8_t*>(line->text); }
    uint32_t length(Line line) const { return static_cast<uint32_t>(line->length); }
    uint8_t startState(Line line) const { return line->LineStartState; }
    void setStartState(Line line, uint8_t state) { line->LineStartState = state; }
    uint8_t* urlFlags(Line line) { return &line->urlFlags; }

private:
    Record* head_;
};
