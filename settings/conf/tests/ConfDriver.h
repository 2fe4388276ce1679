// The settings program's end-to-end tests: starting ulo_conf.exe against a stored record and
// reading back what it wrote.
#pragma once
#include <windows.h>

#include <string>

#include "CompanionDriver.h"
#include "MainSettings.h"

namespace conf_e2e {

using companion_e2e::Program;

// Page numbers in sheet order.
enum Page { kDisplay = 0, kFunctions, kToolbar, kKeys, kColours, kHtml, kCodes };

std::string caption();
std::string encoded(const MainSettings& settings);
void storeMain(const MainSettings& settings);
// The stored "main" decoded; false when it is missing or invalid.
bool storedMain(MainSettings* settings);

// Starts ulo_conf.exe (beside the test, or the given path) and waits for its sheet.
Program startConf(const std::string& path = std::string());
// Presses OK (or Cancel) on the sheet and waits for the exit code while answering messages.
DWORD finish(const Program& conf, bool ok);
// A check box, radio button or button of a page by its label.
HWND control(HWND sheet, int page, const std::string& sjisLabel);

}  // namespace conf_e2e
