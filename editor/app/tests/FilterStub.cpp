// A library that loads but lacks the filter list export: the filter menu must report it.
extern "C" __declspec(dllexport) int FilterStubVersion() { return 1; }
