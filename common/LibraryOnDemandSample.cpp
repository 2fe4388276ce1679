// A library for the on-demand loader's tests: one export, loaded beside the test program.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI SampleAnswer() { return 42; }
