// TestPrinter: a printer of our own for the printing tests under Wine: the PostScript driver with a
// small description (A4, 300 dpi), writing to a file port, made the default printer; removed again.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <string>

#include "TestDriver.h"

inline constexpr char kPrinter[] = "Ulo Test Printer";
inline constexpr char kDriver[] = "Wine PostScript Driver";
inline constexpr char kPortsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// Installs the printer for the test suite and removes it again.
class TestPrinter {
public:
    bool install() {
        port_ = ulo_e2e::workFolder("ulo_print") + "ulo_print.ps";
        DeleteFileA(port_.c_str());
        // The driver reads its description from the driver folder: put it there.
        char folder[MAX_PATH] = {};
        DWORD needed = 0;
        if (!GetPrinterDriverDirectoryA(nullptr, const_cast<char*>("Windows x64"), 1,
                                        reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
            return false;
        std::string ppd = std::string(folder) + "\\ulo_test.ppd";
        if (!CopyFileA(ulo_e2e::pathBeside("ulo_test.ppd").c_str(), ppd.c_str(), FALSE)) return false;
        DRIVER_INFO_3A driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<char*>(kDriver);
        driver.pEnvironment = const_cast<char*>("Windows x64");
        driver.pDriverPath = const_cast<char*>("wineps.drv");
        driver.pDataFile = &ppd[0];
        driver.pConfigFile = const_cast<char*>("wineps.drv");
        if (!AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) &&
            GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED)
            return false;
        HKEY ports;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kPortsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &ports,
                            nullptr))
            return false;
        RegSetValueExA(ports, port_.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
        RegCloseKey(ports);
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(kPrinter);
        info.pPortName = &port_[0];
        info.pDriverName = const_cast<char*>(kDriver);
        info.pPrintProcessor = const_cast<char*>("WinPrint");
        info.pDatatype = const_cast<char*>("RAW");
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        printer_ = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        if (!printer_) return false;
        return SetDefaultPrinterA(kPrinter) != FALSE;
    }
    void remove() {
        if (printer_) {
            DeletePrinter(printer_);
            ClosePrinter(printer_);
            printer_ = nullptr;
        }
        HKEY ports;
        if (!RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPortsKey, 0, KEY_SET_VALUE, &ports)) {
            RegDeleteValueA(ports, port_.c_str());
            RegCloseKey(ports);
        }
    }
    const std::string& output() const { return port_; }

private:
    HANDLE printer_ = nullptr;
    std::string port_;
};
