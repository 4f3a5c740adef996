#pragma once

#include "memmap.h"

#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <functional>

// Undo and redo of every change to the MemMap. Each step holds the bytes it changed, before and
// after; a step is what changed between two visits of the event loop, so one committed field,
// one paste, one Copy Groups run or one file load or radio read is one step. The saved state is
// the stack's clean state: the caption's mark follows it.
class EditHistory : public QObject
{
    Q_OBJECT

public:
    // `commitEdits` stores what is being typed before a step is taken back.
    EditHistory(std::function<void()> commitEdits, QObject *parent);

    QUndoStack *stack() { return &m_stack; }
    // Something may have changed: recorded once control is back in the loop it came from.
    void schedule();
    // What changed since the last step becomes a step now; a caption without the mark makes it
    // the saved state.
    void record();
    // While a radio transfer runs the image is half read: nothing is recorded or taken back.
    void setHeld(bool held);
    void undo();
    void redo();

private:
    void step(bool back);

    std::function<void()> m_commitEdits;
    QUndoStack m_stack;
    MemMapImage m_baseline;
    QTimer m_timer;
    int m_loopLevel = 0;
    bool m_held = false;
};
