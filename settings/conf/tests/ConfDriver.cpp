// The settings program's end-to-end test helpers.
#include "ConfDriver.h"

#include <prsht.h>

#include "TestDriver.h"

namespace conf_e2e {

using namespace companion_e2e;

std::string caption() { return ulo_e2e::sjis(L"Quorvale Ulo 起動時の設定"); }

std::string encoded(const MainSettings& settings) {
    std::string bytes(MainSettings::kSize, '\0');
    settings.encode(reinterpret_cast<uint8_t*>(&bytes[0]));
    return bytes;
}

void storeMain(const MainSettings& settings) { writeValue("main", REG_BINARY, encoded(settings)); }

bool storedMain(MainSettings* settings) {
    const std::string bytes = readValue("main");
    return MainSettings::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), settings);
}

Program startConf(const std::string& path) {
    if (path.empty()) return startWithWindow("ulo_conf.exe", caption());
    Program program = ulo_e2e::startProgram(path, "", nullptr);
    if (program.process) program.window = ulo_e2e::waitDialog(program.pid, caption().c_str(), 20000);
    ulo_e2e::pause(200);
    return program;
}

DWORD finish(const Program& conf, bool ok) {
    pressSheet(conf.window, ok ? PSBTN_OK : PSBTN_CANCEL);
    return waitExitPumping(conf);
}

HWND control(HWND sheet, int page, const std::string& sjisLabel) {
    return childWithText(showPage(sheet, page), sjisLabel);
}

}  // namespace conf_e2e
