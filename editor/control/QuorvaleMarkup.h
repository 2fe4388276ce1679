// Quorvale's markup assistance: completion contexts and candidate lists, inserting a chosen
// candidate, close-tag and line-break-tag input, selecting an element, the insertion check
// before images and links, and the grammar check through lint.dll.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Quorvale.h"

namespace ctlmarkup {

// The completion request for the caret's place, or false when nothing is to be completed
// there. HTML mode: the caret context; CSS mode: property names and colours; else words.
bool completionRequestAtCaret(Quorvale& q, CompletionRequest* request);

// EC_GRAMMARCHECK, EC_GETCANDIDATES, EC_INSERTCANDIDATE, EC_INSERTCLOSETAG,
// EC_INSERTLINEBREAKTAG, EC_SELECTELEMENT, EC_MAYINSERTELEMENT.
bool markupRequest(Quorvale& q, uint32_t code, LPARAM argument, LRESULT* result);

// A double-click in HTML mode: selects the element, attribute, value or entity at the caret
// with the map the frame lends (ECN_GETMAP). False when nothing was selected.
bool selectElementAtCaret(Quorvale& q);

// Releases the grammar checker's binding (window destruction).
void releaseGrammarBinding(Quorvale& q);

}  // namespace ctlmarkup
