// The editor's toolbar content table and its placement (see ToolBarItems.h).
#include "ToolBarItems.h"

#include "ToolBarFlags.h"

namespace bars {

const std::vector<ToolBarItem>& toolBarItems() {
    using K = ToolBarItemKind;
    static const std::vector<ToolBarItem> items = {
        // 新規作成, 開く, 保存, 印刷
        {0x1, K::Button, 21000, "ICON_N_NEW", nullptr, "\x90\x56\x8b\x4b\x8d\xec\x90\xac", 0},
        {0x2, K::Button, 21001, "ICON_N_OPEN", nullptr, "\x8a\x4a\x82\xad", 0},
        {0x4, K::Button, 21003, "ICON_N_SAVE", nullptr, "\x95\xdb\x91\xb6", 0},
        {0x8, K::Button, 21005, "ICON_N_PRINT", nullptr, "\x88\xf3\x8d\xfc", kToolPost},
        {0x10, K::Separator, 0, nullptr, nullptr, nullptr, 0},
        {0x20, K::Button, 21202, "ICON_N_CUT", "ICON_G_CUT",
         "\x90\xd8\x82\xe8\x8e\xe6\x82\xe8", kToolDisabled},  // 切り取り
        {0x40, K::Button, 21203, "ICON_N_COPY", "ICON_G_COPY", "\x83\x52\x83\x73\x81\x5b",
         kToolDisabled},  // コピー
        {0x80, K::Button, 21204, "ICON_N_PASTE", "ICON_G_PASTE", "\x93\x5c\x82\xe8\x95\x74\x82\xaf",
         0},  // 貼り付け
        {0x100, K::Separator, 0, nullptr, nullptr, nullptr, 0},
        {0x200, K::Button, 21200, "ICON_N_UNDO", "ICON_G_UNDO", "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7",
         kToolDisabled},  // 元に戻す
        {0x400, K::Button, 21201, "ICON_N_REDO", "ICON_G_REDO", "\x82\xe2\x82\xe8\x92\xbc\x82\xb7",
         kToolDisabled},  // やり直す
        {0x800, K::Separator, 0, nullptr, nullptr, nullptr, 0},
        {0x1000, K::SearchBox, 21350, nullptr, nullptr, nullptr, 0},
        {0x2000, K::Button, 21222, "ICON_N_UP", "ICON_G_UP", "\x8f\xe3\x82\xd6\x8c\x9f\x8d\xf5",
         0},  // 上へ検索
        {0x4000, K::Button, 21221, "ICON_N_DOWN", "ICON_G_DOWN", "\x89\xba\x82\xd6\x8c\x9f\x8d\xf5",
         0},  // 下へ検索
        {0x8000, K::Button, 21220, "ICON_N_SEARCH", nullptr, "\x8c\x9f\x8d\xf5", 0},  // 検索
        {0x10000, K::Separator, 0, nullptr, nullptr, nullptr, 0},
        {0x80000000u, K::Button, 28000, "ICON_N_MODE", nullptr,
         // ドキュメントタイプの確認と変更
         "\x83\x68\x83\x4c\x83\x85\x83\x81\x83\x93\x83\x67\x83\x5e\x83\x43\x83\x76\x82\xcc\x8a\x6d"
         "\x94\x46\x82\xc6\x95\xcf\x8d\x58",
         kToolFireOnDown | kToolPassX},
    };
    return items;
}

std::vector<PlacedToolBarItem> placeToolBarItems(uint32_t mask) {
    std::vector<PlacedToolBarItem> placed;
    int32_t x = kToolBarFirstX;
    for (const ToolBarItem& item : toolBarItems()) {
        if ((mask & item.maskBit) == 0) continue;
        placed.push_back({&item, x});
        switch (item.kind) {
        case ToolBarItemKind::Button: x += kToolBarButtonAdvance; break;
        case ToolBarItemKind::Separator: x += kToolBarSeparatorAdvance; break;
        case ToolBarItemKind::SearchBox: x += kToolBarSearchBoxAdvance; break;
        }
    }
    return placed;
}

}  // namespace bars
