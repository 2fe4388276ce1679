// Companions: the settings program, the browser registration program and the fixed-phrase editor,
// started as separate processes without waiting (commands 29007, 21459, 21480).
#pragma once
#include <windows.h>

#include <string>

#include "CommandTable.h"

class Companions {
public:
    // folder: where the programs are looked for (the editor's own folder unless a test says so).
    explicit Companions(std::string folder = defaultFolder());
    static std::string defaultFolder();

    // The program a command starts ("ulo_conf.exe", "browserpick.exe", "phrasedit.exe"), or null.
    static const char* programFor(unsigned command);

    // Starts the command's program from the editor's own folder; the command line is the bare
    // file name. A program that cannot be started gets the "… が見つかりません。" box.
    // Returns 1 when started, 0 otherwise.
    int start(HWND owner, unsigned command);

    // In the frame: the main window owns the boxes; the three commands start their programs.
    void attach(HWND main) { main_ = main; }
    void addCommands(CommandTable& table);

private:
    std::string folder_;
    HWND main_ = nullptr;
};
