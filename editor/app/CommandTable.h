// CommandTable: the frame's commands, one row per command id or id range: the handler that runs
// the command and the rule that tells whether its menu item is enabled. Every feature of the frame
// adds its own rows (see MainFrame.h); WM_COMMAND is looked up here instead of in a switch.
#pragma once
#include <cstdint>
#include <functional>
#include <map>

struct CommandCall {
    uint32_t id = 0;
    uint32_t notification = 0;  // the WM_COMMAND notification code (high word of wParam)
    intptr_t parameter = 0;     // lParam
};

// Runs the command; the value is the WM_COMMAND result.
using CommandHandler = std::function<intptr_t(const CommandCall&)>;
// Whether the menu item of `id` is enabled. A rule only greys menu items: the handler still
// runs when a key binding or another window sends the command.
using CommandRule = std::function<bool(uint32_t id)>;

// A handler that runs `action()` and answers 0, for the many commands without a result.
template <typename Action>
CommandHandler plainCommand(Action action) {
    return [action](const CommandCall&) -> intptr_t {
        action();
        return 0;
    };
}

class CommandTable {
public:
    CommandTable() = default;
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;

    // Adds a row for the ids first..last (inclusive). False, and nothing added, when the range is
    // empty or overlaps a row already there: two features never answer one id.
    bool add(uint32_t first, uint32_t last, CommandHandler handler, CommandRule enabled = {});
    bool add(uint32_t id, CommandHandler handler, CommandRule enabled = {}) {
        return add(id, id, std::move(handler), std::move(enabled));
    }

    bool contains(uint32_t id) const { return row(id) != nullptr; }
    // Runs the row of `call.id`; 0 for an id without a row or a row without a handler.
    intptr_t run(const CommandCall& call) const;
    // Whether `id` has an enabling rule, and if so whether it holds now.
    bool hasRule(uint32_t id) const;
    bool enabled(uint32_t id) const;
    // The rows refused as overlapping or empty, counted for a check at start-up, and the first id
    // of the first one.
    int refused() const { return refused_; }
    uint32_t firstRefused() const { return firstRefused_; }

private:
    struct Row {
        uint32_t last;
        CommandHandler handler;
        CommandRule enabled;
    };
    const Row* row(uint32_t id) const;

    std::map<uint32_t, Row> rows_;  // by first id; ranges never overlap
    int refused_ = 0;
    uint32_t firstRefused_ = 0;
};
