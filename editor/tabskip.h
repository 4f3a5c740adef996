#pragma once

#include <QHash>

#include <vector>

class QWidget;

// Takes controls out of the keyboard tab order and later gives them back their own policy.
class TabSkip
{
public:
    void setControls(std::vector<QWidget *> controls) { m_controls = std::move(controls); }
    void skip(bool out);

private:
    std::vector<QWidget *> m_controls;
    QHash<QWidget *, Qt::FocusPolicy> m_saved;
};
