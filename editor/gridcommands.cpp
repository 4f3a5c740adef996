#include "gridcommands.h"

#include "appglobals.h"
#include "changridpane.h"
#include "dialogs.h"
#include "fillseriesdialog.h"
#include "gridfill.h"
#include "gridfind.h"
#include "numtext.h"
#include "platform.h"
#include "windowservices.h"

#include <QTableWidget>

#include <algorithm>

namespace
{
const char *const FindCaption = "FIND";
} // namespace

GridCommands::GridCommands(ChanGridPane *grid, std::function<void(int)> showGroup, QWidget *window)
    : QObject(window), m_grid(grid), m_showGroup(std::move(showGroup)), m_window(window)
{
}

bool GridCommands::ready() const
{
    // A radio transfer disables the grid; the keys must not change the image under it.
    return m_grid->isVisible() && m_grid->grid()->isEnabled();
}

void GridCommands::EnterIntoSelection()
{
    if (ready())
        m_grid->EnterIntoSelection();
}

void GridCommands::InsertChannel()
{
    if (!ready())
        return;
    const GridCell at = m_grid->currentCell();
    if (m_grid->runCommand(
            [at](MemMapImage &mm, int group) { return ::InsertChannel(mm, group, at.row - 1); }, at,
            {at.row, at.col, at.row, at.col}))
        StatusMsg("Inactive channel inserted as channel " + std::to_string(at.row) + ".....");
}

void GridCommands::DeleteChannels()
{
    if (!ready())
        return;
    const GridRect area = m_grid->selectedArea();
    const GridCell at{area.row, m_grid->currentCell().col};
    if (m_grid->runCommand(
            [area](MemMapImage &mm, int group) {
                return ::DeleteChannels(mm, group, area.row - 1, area.endRow - 1);
            },
            at, {at.row, at.col, at.row, at.col}))
        StatusMsg(std::to_string(area.rows()) + " channel(s) deleted.....");
}

void GridCommands::MoveChannels(int by)
{
    if (!ready())
        return;
    const GridRect area = m_grid->selectedArea();
    const GridCell at = m_grid->currentCell();
    // The selection travels with the channels.
    m_grid->runCommand(
        [area, by](MemMapImage &mm, int group) {
            return ::MoveChannels(mm, group, area.row - 1, area.endRow - 1, by);
        },
        {std::clamp(at.row + by, 1, GridLastRow), at.col},
        {area.row + by, area.col, area.endRow + by, area.endCol});
}

void GridCommands::SortChannels(SortKey key)
{
    if (!ready())
        return;
    const GridCell at = m_grid->currentCell();
    static const char *const keys[] = {"receive frequency", "transmit frequency", "label"};
    if (m_grid->runCommand(
            [key](MemMapImage &mm, int group) { return ::SortChannels(mm, group, key); }, at,
            {at.row, at.col, at.row, at.col}))
        StatusMsg(std::string("Channels sorted by ") + keys[static_cast<int>(key)] + ".....");
}

void GridCommands::FillSeries()
{
    if (!ready())
        return;
    m_grid->CommitPendingEdit();
    const GridRect area = m_grid->selectedArea();
    Dialogs &dialogs = *platform().dialogs;
    if (area.col != area.endCol || (area.col != 2 && area.col != 4)) {
        dialogs.message("Select the cells of the Receive Freq or Transmit Freq column to fill.",
                        FillCaption, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const QString first = m_grid->cellText({area.row, area.col});
    const QString range =
        QStringLiteral("%1, channels %2 to %3")
            .arg(area.col == 2 ? QStringLiteral("Receive Freq") : QStringLiteral("Transmit Freq"))
            .arg(area.row)
            .arg(area.endRow);
    FillSeriesDialog dialog(range, !first.isEmpty() && first.front().isDigit() ? first : QString(),
                            m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::optional<long long> step = ParseStepKHz(dialog.step().toStdString());
    if (!step) {
        dialogs.message("The step must be a number of kHz, for example 12.5, 25 or -25.",
                        FillCaption, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const std::string start = dialog.start().toStdString();
    if (m_grid->runCommand(
            [&](MemMapImage &mm, int group) {
                return ::FillSeries(mm, group, area.col, area.row - 1, area.endRow - 1, start,
                                    *step);
            },
            {area.row, area.col}, area))
        StatusMsg("Frequency series filled in.....");
}

void GridCommands::Find()
{
    if (!m_grid->grid()->isEnabled())
        return;
    const std::optional<std::string> query = platform().dialogs->input(
        "Find a frequency, channel guard or label text in all groups:", FindCaption, m_query);
    if (!query || TrimBlanks(*query).empty())
        return;
    m_query = TrimBlanks(*query);
    FindNext(true);
}

void GridCommands::FindNext(bool forward)
{
    if (!m_grid->grid()->isEnabled())
        return;
    if (m_query.empty()) {
        Find();
        return;
    }
    const bool shown = m_grid->isVisible();
    if (shown)
        m_grid->CommitPendingEdit();
    // From the Global Settings the search takes in the whole of the last group shown.
    const int group = g_iCurGroup;
    const GridPlace from =
        shown     ? GridPlace{group, m_grid->currentCell()}
        : forward ? GridPlace{(group + NumGroups - 1) % NumGroups, {GridLastRow, GridLastCol}}
                  : GridPlace{(group + 1) % NumGroups, {1, 1}};
    const std::optional<GridPlace> hit = FindCell(MemMap, m_query, from, forward);
    if (!hit) {
        platform().dialogs->message("No channel in any group holds \"" + m_query + "\".",
                                    FindCaption, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    if (!shown || hit->group != g_iCurGroup)
        m_showGroup(hit->group);
    m_grid->setCurrentCell(hit->cell);
    m_grid->grid()->setFocus(Qt::OtherFocusReason);
    StatusMsg("Found \"" + m_query + "\" in Group " + std::to_string(hit->group + 1) +
              ", Channel " + std::to_string(hit->cell.row) + ".....");
}
