// Stand-in for the control's input handlers while their files (QuorvaleInput*.cpp) are not in
// the tree: every input message goes to the default window procedure.
#include "Quorvale.h"

LRESULT Quorvale::onKeyboard(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }
LRESULT Quorvale::onIme(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }
LRESULT Quorvale::onMouse(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }
LRESULT Quorvale::onScroll(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }
LRESULT Quorvale::onFocus(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }
LRESULT Quorvale::onSetCursor(UINT message, WPARAM wParam, LPARAM lParam) { return defaultProc(message, wParam, lParam); }
