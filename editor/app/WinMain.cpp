// The editor program's entry: one frame per process, its start-up and its message loop.
#include <windows.h>
#include <ole2.h>

#include <new>

#include "MainFrame.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR tail, int showCommand) {
    OleInitialize(nullptr);
    auto* frame = new (std::nothrow) MainFrame();
    if (!frame) return -1;
    int code = frame->startUp(instance, tail, showCommand) ? frame->run() : -1;
    delete frame;
    OleUninitialize();
    return code;
}
