// The two exports of ulo_extension.dll (names fixed by ulo_extension.def).
#include <windows.h>

#include "FilterApi.h"
#include "FilterTables.h"
#include "FilterUi_win32.h"
#include "Filters.h"

extern "C" int32_t WINAPI ULO_API_GetFilterList(const FilterEntry** list) {
    if (list) *list = ulo_filters::kFilterList;
    return ulo_filter_api::kFilterListMark;
}

extern "C" bool WINAPI ULO_API_ExecuteFilter(uint32_t filter_id, FilterRequest* request) {
    if (!request) return false;
    DialogFilterUi ui;
    return ulo_filters::executeFilter(filter_id, *request, ui);
}
