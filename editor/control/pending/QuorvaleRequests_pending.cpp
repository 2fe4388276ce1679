// Stand-in for the control's request handler while its files (QuorvaleRequests*.cpp) are not in
// the tree: every request answers 0.
#include "Quorvale.h"

LRESULT Quorvale::onRequest(WPARAM, LPARAM) { return 0; }
