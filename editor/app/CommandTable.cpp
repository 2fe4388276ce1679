// CommandTable: rows kept by their first id; a lookup takes the last row starting at or before
// the id and checks its range.
#include "CommandTable.h"

#include <iterator>
#include <utility>

bool CommandTable::add(uint32_t first, uint32_t last, CommandHandler handler, CommandRule enabled) {
    if (last < first) {
        if (refused_++ == 0) firstRefused_ = first;
        return false;
    }
    auto next = rows_.lower_bound(first);
    bool overlaps = (next != rows_.end() && next->first <= last) ||
                    (next != rows_.begin() && std::prev(next)->second.last >= first);
    if (overlaps) {
        if (refused_++ == 0) firstRefused_ = first;
        return false;
    }
    rows_.emplace(first, Row{last, std::move(handler), std::move(enabled)});
    return true;
}

const CommandTable::Row* CommandTable::row(uint32_t id) const {
    auto it = rows_.upper_bound(id);
    if (it == rows_.begin()) return nullptr;
    --it;
    return id <= it->second.last ? &it->second : nullptr;
}

intptr_t CommandTable::run(const CommandCall& call) const {
    const Row* r = row(call.id);
    return r && r->handler ? r->handler(call) : 0;
}

bool CommandTable::hasRule(uint32_t id) const {
    const Row* r = row(id);
    return r && r->enabled;
}

bool CommandTable::enabled(uint32_t id) const {
    const Row* r = row(id);
    return !r || !r->enabled || r->enabled(id);
}
