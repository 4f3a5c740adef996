#include "gridsession.h"

#include "cellundo.h"
#include "chanrecord.h"
#include "dialogs.h"
#include "platform.h"

GridSession::GridSession(MemMapImage &mm, Hooks hooks) : m_mm(mm), m_hooks(std::move(hooks)) {}

void GridSession::setEditorText(const std::string &text)
{
    m_editor = text;
}

void GridSession::fill(int group)
{
    m_state = GridEditState::Idle;
    m_store.fill(m_mm, group);
    showAll();
    enter({1, 1});
}

void GridSession::enter(GridCell cell)
{
    m_cell = cell;
    CellUndoEntry(cell.col) = text(cell);
    setEditor(text(cell));
}

void GridSession::move(GridCell to)
{
    if (m_state != GridEditState::Idle) {
        commit();
        close();
    } else if (m_cell.col == 1 || IsFlagColumn(m_cell.col)) {
        // Frequencies and guards are not checked again here: a stored value outside the band
        // reads "?", and merely passing over it must not prompt for a new one.
        setText(m_cell, ValidateGridCell(text(m_cell), m_cell.col));
    }
    enter(to);
}

bool GridSession::EditGridCell(char32_t key)
{
    const std::string cellText = text(m_cell);
    if (IsFlagColumn(m_cell.col)) {
        if (key == 32) {
            close();
            setText(m_cell, ToggleFlagCell(cellText, m_cell.col));
            SaveGridValue();
            m_hooks.dataChanged();
        }
        return false;
    }
    const EditorStart start = EditorStartText(cellText, key);
    m_selectAll = start.selectAll;
    if (m_state == GridEditState::Idle)
        m_state = GridEditState::Editing;
    setEditor(start.text);
    focusEditor();
    return true;
}

GridChar GridSession::gridChar(char32_t key)
{
    if (IsFlagColumn(m_cell.col)) {
        if (key == 32) {
            EditGridCell(key);
        } else if (const auto toggled = FlagKeyToggle(text(m_cell), m_cell.col, key)) {
            setText(m_cell, *toggled);
            SaveGridValue();
            m_hooks.dataChanged();
        }
        return GridChar::Done;
    }
    // Delete carries the DEL character on some systems; it must not start an entry.
    if (key == 0x7F)
        return GridChar::Passed;
    return EditGridCell(key) ? GridChar::Opened : GridChar::Done;
}

std::optional<GridCell> GridSession::gridKey(GridKey key)
{
    switch (key) {
    case GridKey::Tab:
    case GridKey::Backtab:
        if (m_state != GridEditState::Idle) {
            commit();
            close();
        }
        return key == GridKey::Tab ? MoveToNextCell(m_cell) : MoveToPrevCell(m_cell);
    case GridKey::Enter:
        if (IsFlagColumn(m_cell.col))
            return MoveToNextCell(m_cell);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

GridCell GridSession::editorKey(GridKey key)
{
    if (key == GridKey::Escape) {
        close();
        const std::string undo = CellUndoEntry(m_cell.col);
        setText(m_cell, undo);
        setEditor(undo);
        return m_cell;
    }
    commitTyped();
    switch (key) {
    case GridKey::Tab:
        return MoveToNextCell(m_cell);
    case GridKey::Backtab:
        return MoveToPrevCell(m_cell);
    case GridKey::Down:
        return MoveToNextCellDown(m_cell);
    case GridKey::Up:
        return MoveToNextCellUp(m_cell);
    default:
        close();
        return MoveToNextCell(m_cell);
    }
}

bool GridSession::focusEditor()
{
    const std::string shown = EditorFocusText(m_editor, m_cell.col);
    if (shown == m_editor)
        return false;
    setEditor(shown);
    return true;
}

std::optional<GridCell> GridSession::focusOut()
{
    if (commit())
        return MoveToNextCell(m_cell);
    return std::nullopt;
}

bool GridSession::commit()
{
    if (m_state != GridEditState::Editing || m_editor == text(m_cell))
        return false;
    m_state = GridEditState::Committing;
    m_hooks.dataChanged();
    setText(m_cell, ValidateGridCell(m_editor, m_cell.col));
    SaveGridValue();
    // A close while a dialog was up stays closed.
    if (m_state == GridEditState::Committing)
        m_state = GridEditState::Editing;
    return true;
}

// The editor's own keys validate first and store only a text that then differs.
void GridSession::commitTyped()
{
    if (m_state != GridEditState::Editing)
        return;
    m_state = GridEditState::Committing;
    setEditor(ValidateGridCell(m_editor, m_cell.col));
    if (m_editor != text(m_cell)) {
        m_hooks.dataChanged();
        setText(m_cell, m_editor);
        SaveGridValue();
    }
    if (m_state == GridEditState::Committing)
        m_state = GridEditState::Editing;
}

void GridSession::commitPending()
{
    if (m_state == GridEditState::Idle)
        return;
    commit();
    close();
    enter(m_cell);
}

void GridSession::drop()
{
    setEditor(text(m_cell));
    close();
}

void GridSession::close()
{
    m_state = GridEditState::Idle;
}

void GridSession::SaveGridValue()
{
    for (const GridCell cell : m_store.save(m_mm, m_cell))
        m_hooks.cellChanged(cell);
    // The editor follows, so the same text is never committed twice.
    setEditor(text(m_cell));
}

bool GridSession::copy(GridRect selection)
{
    return CopyGridSelection(m_store, selection);
}

std::optional<PasteArea> GridSession::paste(GridRect selection)
{
    if (g_sCopyText.empty()) {
        platform().dialogs->message(NothingCopiedMessage, PasteCaption, MsgButtons::Ok,
                                    MsgIcon::None);
        return std::nullopt;
    }
    if (selection.rows() < 1)
        selection = {m_cell.row, m_cell.col, m_cell.row, m_cell.col};
    const std::optional<PasteArea> area = ChoosePasteArea(g_CopyRecord, selection);
    if (!area)
        return std::nullopt;
    if (m_state != GridEditState::Idle) {
        setText(m_cell, ValidateGridCell(m_editor, m_cell.col));
        close();
    }
    PasteText(m_store, area->area, g_sCopyText);
    m_hooks.dataChanged();
    StoreGridAfterPaste(m_mm, m_store);
    showAll();
    enter(area->current.value_or(GridCell{area->area.row, area->area.col}));
    return area;
}

void GridSession::showAll()
{
    for (int row = 1; row <= GridLastRow; ++row) {
        for (int col = 1; col <= GridLastCol; ++col)
            m_hooks.cellChanged({row, col});
    }
}

void GridSession::setText(GridCell cell, const std::string &text)
{
    if (m_store.set(cell, text))
        m_hooks.cellChanged(cell);
}

void GridSession::setEditor(const std::string &text)
{
    if (text == m_editor)
        return;
    m_editor = text;
    m_hooks.editorChanged();
}

bool GridSession::apply(const std::function<bool(MemMapImage &, int group)> &command,
                        GridCell current)
{
    commitPending();
    if (!command(m_mm, m_store.group()))
        return false;
    m_hooks.dataChanged();
    m_store.fill(m_mm, m_store.group());
    showAll();
    enter(current);
    return true;
}

bool GridSession::enterIntoRows(int first, int last)
{
    const std::string typed = m_state == GridEditState::Editing ? m_editor : text(m_cell);
    const int col = m_cell.col;
    close();
    const GridCell at = m_cell;
    return apply(
        [&](MemMapImage &mm, int group) {
            return StoreIntoCells(mm, group, col, first - 1, last - 1, typed);
        },
        at);
}
