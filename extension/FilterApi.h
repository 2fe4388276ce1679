// The calling contract between the editor and the filter plug-in ulo_extension.dll: the records
// both sides read, the two export names and their function types. Plain C++, no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define ULO_FILTER_CALL __stdcall
#else
#define ULO_FILTER_CALL
#endif

// One row of the filter menu, in a static array that lives as long as the library is loaded.
// A separator row is {1, 0, nullptr}; the row with filter_id 0 ends the array.
struct FilterEntry {
    uint32_t filter_id;
    uint32_t reserved;
    const char* label;  // Shift_JIS menu text ("\t" starts the right column), null for a separator
};

// One filter run on the editor's selection. The editor owns the record and the input buffer
// (input_length + 1 bytes, NUL-terminated); a filter either rewrites input in place and sets
// output = input, or sets output to a buffer of its own that the editor's second call frees.
struct FilterRequest {
    uint32_t reserved;
    uint32_t input_length;
    char* input;
    int32_t output_length;
    char* output;
    void* owner;             // the editor's main window (HWND), owner of any dialog the filter shows
    uint32_t prefix_length;  // bytes of the selection's first line before the selection start
    const char* prefix;
    uint32_t tab_width;
};

// The records cross a module boundary: their layout is fixed (32-bit sizes 12 and 36, 64-bit
// sizes 16 and 64, pointers at their natural alignment).
static_assert(offsetof(FilterEntry, filter_id) == 0, "FilterEntry layout");
static_assert(offsetof(FilterEntry, reserved) == 4, "FilterEntry layout");
static_assert(offsetof(FilterEntry, label) == 8, "FilterEntry layout");
static_assert(offsetof(FilterRequest, reserved) == 0, "FilterRequest layout");
static_assert(offsetof(FilterRequest, input_length) == 4, "FilterRequest layout");
static_assert(offsetof(FilterRequest, input) == 8, "FilterRequest layout");
#if UINTPTR_MAX > 0xFFFFFFFFu
static_assert(sizeof(FilterEntry) == 16, "FilterEntry layout");
static_assert(offsetof(FilterRequest, output_length) == 16, "FilterRequest layout");
static_assert(offsetof(FilterRequest, output) == 24, "FilterRequest layout");
static_assert(offsetof(FilterRequest, owner) == 32, "FilterRequest layout");
static_assert(offsetof(FilterRequest, prefix_length) == 40, "FilterRequest layout");
static_assert(offsetof(FilterRequest, prefix) == 48, "FilterRequest layout");
static_assert(offsetof(FilterRequest, tab_width) == 56, "FilterRequest layout");
static_assert(sizeof(FilterRequest) == 64, "FilterRequest layout");
#else
static_assert(sizeof(FilterEntry) == 12, "FilterEntry layout");
static_assert(offsetof(FilterRequest, output_length) == 12, "FilterRequest layout");
static_assert(offsetof(FilterRequest, output) == 16, "FilterRequest layout");
static_assert(offsetof(FilterRequest, owner) == 20, "FilterRequest layout");
static_assert(offsetof(FilterRequest, prefix_length) == 24, "FilterRequest layout");
static_assert(offsetof(FilterRequest, prefix) == 28, "FilterRequest layout");
static_assert(offsetof(FilterRequest, tab_width) == 32, "FilterRequest layout");
static_assert(sizeof(FilterRequest) == 36, "FilterRequest layout");
#endif
static_assert(sizeof(bool) == 1, "ULO_API_ExecuteFilter returns one byte");

namespace ulo_filter_api {

inline constexpr const char kLibraryName[] = "ulo_extension.dll";
inline constexpr const char kGetFilterList[] = "ULO_API_GetFilterList";
inline constexpr const char kExecuteFilter[] = "ULO_API_ExecuteFilter";
// What ULO_API_GetFilterList returns (callers ignore it).
inline constexpr int32_t kFilterListMark = 28637;
// Menu command of a filter: this base + filter_id.
inline constexpr unsigned kCommandBase = 50000;
inline constexpr uint32_t kSeparatorId = 1;

using GetFilterListFn = int32_t(ULO_FILTER_CALL*)(const FilterEntry** list);
using ExecuteFilterFn = bool(ULO_FILTER_CALL*)(uint32_t filter_id, FilterRequest* request);

}  // namespace ulo_filter_api
