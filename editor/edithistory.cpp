#include "edithistory.h"

#include "appglobals.h"
#include "caption.h"
#include "imagediff.h"
#include "windowservices.h"

#include <QThread>
#include <QUndoCommand>

namespace
{
class ImageCommand : public QUndoCommand
{
public:
    explicit ImageCommand(std::vector<ByteChange> changes) : m_changes(std::move(changes)) {}
    void undo() override { ApplyChanges(MemMap, m_changes, false); }
    void redo() override { ApplyChanges(MemMap, m_changes, true); }

private:
    std::vector<ByteChange> m_changes;
};

int LoopLevel()
{
    return QThread::currentThread()->loopLevel();
}
} // namespace

EditHistory::EditHistory(std::function<void()> commitEdits, QObject *parent)
    : QObject(parent), m_commitEdits(std::move(commitEdits)), m_baseline(MemMap)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // A message box or prompt in the middle of an edit runs a loop of its own; the edit
        // is whole only when control is back where it started.
        if (LoopLevel() > m_loopLevel) {
            m_timer.start(50);
            return;
        }
        record();
    });
}

void EditHistory::schedule()
{
    // What the program starts with, a file named on the command line included, is no step.
    if (g_bLoading) {
        m_baseline = MemMap;
        return;
    }
    if (!m_timer.isActive() || LoopLevel() < m_loopLevel)
        m_loopLevel = LoopLevel();
    if (!m_timer.isActive())
        m_timer.start(0);
}

void EditHistory::record()
{
    if (m_held)
        return;
    m_timer.stop();
    std::vector<ByteChange> changes = DiffImages(m_baseline, MemMap);
    if (!changes.empty()) {
        m_baseline = MemMap;
        m_stack.push(new ImageCommand(std::move(changes)));
    }
    if (!IsDataChanged())
        m_stack.setClean();
}

void EditHistory::setHeld(bool held)
{
    if (held)
        record();
    m_held = held;
    if (!held)
        schedule();
}

void EditHistory::undo()
{
    step(true);
}

void EditHistory::redo()
{
    step(false);
}

void EditHistory::step(bool back)
{
    if (m_held)
        return;
    m_commitEdits();
    record();
    if (back)
        m_stack.undo();
    else
        m_stack.redo();
    m_baseline = MemMap;
    SetRightPaneView();
    SetCaption(!m_stack.isClean());
}
