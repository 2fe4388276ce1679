// Quorvale: EC_REQUEST: routes each request code to its handler (text, document, view, markup).
#include "QuorvaleRequests.h"

#include "QuorvaleMarkup.h"

LRESULT Quorvale::onRequest(WPARAM code, LPARAM argument) {
    LRESULT result = 0;
    const uint32_t c = static_cast<uint32_t>(code);
    if (ctlrequest::textRequest(*this, c, argument, &result)) return result;
    if (ctlrequest::documentRequest(*this, c, argument, &result)) return result;
    if (ctlrequest::viewRequest(*this, c, argument, &result)) return result;
    if (ctlmarkup::markupRequest(*this, c, argument, &result)) return result;
    return 0;  // unknown codes
}
