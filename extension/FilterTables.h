// Data the filters look up: the menu list, the full-width pairs, the character references and
// the texts shown (made by tools/gen_filter_tables.py into FilterTables.cpp).
#pragma once

#include "FilterApi.h"

namespace ulo_filters {

inline constexpr int kFilterListSize = 31;  // 21 filters, 9 separators, the end row
extern const FilterEntry kFilterList[kFilterListSize];

// A full-width character (lead, trail) and its one-byte partner.
struct WidthPair {
    unsigned char lead, trail, narrow;
};
inline constexpr int kWidthPairCount = 93;
extern const WidthPair kWidthPairs[kWidthPairCount];

// A character reference: its name (null for numeric-only rows), the Shift_JIS replacement and
// the numeric form ("#" and the decimal code point).
struct EntityRow {
    const char* name;
    const char* replacement;
    const char* numeric;
};
inline constexpr int kEntityCount = 193;
extern const EntityRow kEntities[kEntityCount];

extern const char kNoLines[];         // "選択範囲に行が含まれません"
extern const char kConvertCaption[];  // "選択範囲を変換"
extern const char kReplacedCount[];   // "%d 件、置換しました。"
extern const char kReplaceCaption[];  // "置換"
extern const char kNoMatch[];         // "マッチしません"

}  // namespace ulo_filters
