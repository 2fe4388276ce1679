// ResultPane: the list box under the editor control that lists search-all and grammar-check
// results, with the line number of each item (or -1), created on first use. Choosing an item
// moves the editor to its line; its items can be copied to the clipboard.
#pragma once
#include <windows.h>

#include <vector>

#include "CommandTable.h"
#include "EditorChannel.h"

class ResultPane {
public:
    explicit ResultPane(EditorChannel& editor) : editor_(editor) {}
    ~ResultPane() { destroy(); }
    ResultPane(const ResultPane&) = delete;
    ResultPane& operator=(const ResultPane&) = delete;

    // Creates the list box as a child of `main`; true when it exists.
    bool create(HINSTANCE instance, HWND main, HFONT font);
    void destroy();
    HWND window() const { return window_; }
    bool exists() const { return window_ != nullptr; }

    // Appends an item with the 1-based line it points to (-1 for none); nothing without the pane.
    void add(const char* text, int line);
    // Empties the list and its line table.
    void clear();
    // Copies every item, each followed by CR LF, to the clipboard as text; silent on failure.
    void copyAll() const;

    // The copy command and the list's selection changes.
    void addCommands(CommandTable& table);

private:
    void selectionChanged();

    EditorChannel& editor_;
    HWND window_ = nullptr;
    std::vector<int> lines_;  // 1-based line of each item, -1 without one
};
