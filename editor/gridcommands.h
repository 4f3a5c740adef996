#pragma once

#include "chanmoves.h"

#include <QObject>

#include <functional>
#include <string>

class ChanGridPane;
class QWidget;

// The channel grid's bulk commands of the Edit menu (which is also the grid's pop-up menu): insert,
// delete and move channels, sort, fill a series, one value into the selected cells, and find.
// Each runs on the shown group only and is one undo step.
class GridCommands : public QObject
{
    Q_OBJECT

public:
    // `showGroup` selects the group's node in the tree and shows its channels.
    GridCommands(ChanGridPane *grid, std::function<void(int group)> showGroup, QWidget *window);

    void InsertChannel();
    void DeleteChannels();
    void MoveChannels(int by);
    void SortChannels(SortKey key);
    void FillSeries();
    void EnterIntoSelection();
    void Find();
    void FindNext(bool forward);

private:
    bool ready() const;

    ChanGridPane *m_grid;
    std::function<void(int)> m_showGroup;
    QWidget *m_window;
    std::string m_query;
};
