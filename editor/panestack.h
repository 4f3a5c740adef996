#pragma once

#include <array>
#include <functional>

class ChanGridPane;
class CmdGroupPane;
class Globals1Pane;
class Globals2Pane;
class QWidget;
class UcgPickListPane;

// The five panes of the tab strip: the four settings panes in tab order and the channel grid,
// each with its layout and load routine.
class PaneStack
{
public:
    explicit PaneStack(QWidget *tabStrip);

    Globals1Pane *globals1() const { return m_globals1; }
    Globals2Pane *globals2() const { return m_globals2; }
    CmdGroupPane *cmdGroup() const { return m_cmdGroup; }
    UcgPickListPane *pickList() const { return m_pickList; }
    ChanGridPane *grid() const { return m_grid; }

    // The settings pane of tab 1..4.
    QWidget *settingsPane(int tab) const;
    // The pane not hidden, or nullptr.
    QWidget *visible() const;
    // Hides every pane but the given one.
    void hideAllBut(const QWidget *pane);
    // Runs the pane's layout routine.
    void setup(QWidget *pane) const;
    // Fills a settings pane from the MemMap (the grid is refilled by its sizing).
    void load(QWidget *pane) const;
    // Stores what is being typed in any pane, as leaving the field would.
    void commitPendingEdits() const;
    void enableVisible(bool enable) const;

private:
    struct Entry {
        QWidget *pane;
        std::function<void()> setup;
        std::function<void()> load;
    };

    Globals1Pane *m_globals1;
    Globals2Pane *m_globals2;
    CmdGroupPane *m_cmdGroup;
    UcgPickListPane *m_pickList;
    ChanGridPane *m_grid;
    std::array<Entry, 5> m_entries;
};
