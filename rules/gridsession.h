#pragma once

#include "gridclip.h"
#include "gridfill.h"
#include "gridstore.h"

#include <functional>
#include <optional>
#include <string>

// Idle: the in-place editor is hidden. Editing: it is open over the current cell. Committing:
// its text is being stored, which may show a dialog; nothing may commit again meanwhile.
enum class GridEditState { Idle, Editing, Committing };

// The navigation keys the grid and its editor act on.
enum class GridKey { Tab, Backtab, Down, Up, Enter, Escape };

// What a typed character on the grid did.
enum class GridChar {
    Passed, // not the grid's: the table handles it
    Done,   // toggled a flag or ignored
    Opened, // opened the editor
};

// One edit of the channel grid at a time: the current cell, the editor's text and the rules for
// entering a cell, typing, committing, Esc and moving on. The view shows what it reports.
class GridSession
{
public:
    struct Hooks {
        std::function<void()> dataChanged;         // the MemMap was edited
        std::function<void(GridCell)> cellChanged; // a cell's text changed
        std::function<void()> editorChanged;       // the editor's text changed
    };

    GridSession(MemMapImage &mm, Hooks hooks);

    GridEditState state() const { return m_state; }
    GridCell cell() const { return m_cell; }
    const std::string &text(GridCell cell) const { return m_store.text(cell); }
    const std::string &editorText() const { return m_editor; }
    // Whether the editor was opened with its whole text selected (else the caret is at the end).
    bool selectAll() const { return m_selectAll; }
    // The user typing in the open editor.
    void setEditorText(const std::string &text);

    // Shows the group, closes the editor and enters the first cell.
    void fill(int group);
    // Records the cell's text for Esc and loads it into the (hidden) editor.
    void enter(GridCell cell);
    // The current cell changes: the cell left is committed, or validated again, then `to` entered.
    void move(GridCell to);
    // A key opens the editor on the current cell (true), or space toggles a flag cell.
    bool EditGridCell(char32_t key);
    // A character typed on the grid while the editor is closed.
    GridChar gridChar(char32_t key);
    // A navigation key on the grid; the cell to go to, or nothing when the key is not the grid's.
    std::optional<GridCell> gridKey(GridKey key);
    // A navigation key in the open editor: stores as the key does; the cell to go to.
    GridCell editorKey(GridKey key);
    // The editor gets the focus: a lone "U" in the transmit guard column starts a pick-list
    // reference. True when that changed the text.
    bool focusEditor();
    // The editor loses the focus to another control: a changed text is stored and the cell to go
    // to is given. The editor stays open until `close`.
    std::optional<GridCell> focusOut();
    // Stores the open editor's text when it differs from the cell's; true when it did.
    bool commit();
    // Stores what is typed without leaving the cell; Esc then brings back the stored text.
    void commitPending();
    // The editor closes without storing; it holds the cell's text again.
    void drop();
    void close();
    // Stores the current cell into the MemMap.
    void SaveGridValue();

    // Records the selected block for a later paste; false when nothing was copied.
    bool copy(GridRect selection);
    // Pastes the copy into the area the paste rules choose for the selection, then stores the
    // whole grid. The area pasted into, or nothing when nothing was pasted.
    std::optional<PasteArea> paste(GridRect selection);

    // Runs a command over the shown group once what is typed is stored; when it changed the
    // MemMap, the grid shows the group again with `current` entered. True when it changed.
    bool apply(const std::function<bool(MemMapImage &, int group)> &command, GridCell current);
    // The editor's text, or with the editor closed the current cell's, stored into channels
    // first..last of the current column as one edit. True when it changed the MemMap.
    bool enterIntoRows(int first, int last);

private:
    void showAll();
    void setText(GridCell cell, const std::string &text);
    void setEditor(const std::string &text);
    void commitTyped();

    MemMapImage &m_mm;
    Hooks m_hooks;
    GridStore m_store;
    GridEditState m_state = GridEditState::Idle;
    GridCell m_cell;
    std::string m_editor;
    bool m_selectAll = false;
};
