// Quorvale: EC_REQUEST: routes each request code to its handler (text, document, view).
#include "QuorvaleRequests.h"

LRESULT Quorvale::onRequest(WPARAM code, LPARAM argument) {
    LRESULT result = 0;
    const uint32_t c = static_cast<uint32_t>(code);
    if (ctlrequest::textRequest(*this, c, argument, &result)) return result;
    if (ctlrequest::documentRequest(*this, c, argument, &result)) return result;
    if (ctlrequest::viewRequest(*this, c, argument, &result)) return result;
    // Later work (grammar check, markup candidates and insertion) and unknown codes.
    return 0;
}
