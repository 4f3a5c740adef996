#pragma once

// Small builders shared by the adjustment pages that drive a scroll bar.

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <initializer_list>
#include <string>

// Labels break lines at LF; the CR of the texts' CR LF is dropped for display.
inline QString PageText(const std::string &text)
{
    return QString::fromStdString(text).remove(QLatin1Char('\r'));
}

inline QLabel *PageInstructions(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 9);
    return label;
}

inline QPushButton *PageButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// Shows the keyboard focus in the handle's colour: the styles draw no focus frame on a bar.
class ScrollFocusMark : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            auto *bar = static_cast<QWidget *>(watched);
            QPalette palette = bar->parentWidget()->palette();
            if (event->type() == QEvent::FocusIn) {
                // A light tint of the selection colour: the handle stays plain to see.
                const QColor base = palette.color(QPalette::Button);
                const QColor mark = palette.color(QPalette::Highlight);
                palette.setColor(QPalette::Button,
                                 QColor::fromRgbF(base.redF() * 0.7f + mark.redF() * 0.3f,
                                                  base.greenF() * 0.7f + mark.greenF() * 0.3f,
                                                  base.blueF() * 0.7f + mark.blueF() * 0.3f));
            }
            bar->setPalette(palette);
        }
        return false;
    }
};

// A bar the keyboard can work: it takes the focus, the arrows move one position, Page Up, Page
// Down and a click on the track about a fiftieth of its range (a range of 25000 is no place for
// single steps only). Each position it stops at reaches the page as a mouse move would.
inline void KeyboardScrollBar(QScrollBar *bar)
{
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->installEventFilter(new ScrollFocusMark(bar));
    // As on a slider: Right, Up and Page Up raise the value (a scroll bar's default turns Up
    // and Page Up the other way, and with it Right).
    bar->setInvertedControls(false);
    bar->setSingleStep(1);
    const auto fit = [bar](int minimum, int maximum) {
        bar->setPageStep(std::max(1, (maximum - minimum) / 50));
    };
    QObject::connect(bar, &QScrollBar::rangeChanged, bar, fit);
    fit(bar->minimum(), bar->maximum());
}

inline QScrollBar *PageScrollBar(const QString &name, QWidget *parent)
{
    auto *bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setMinimumWidth(300);
    KeyboardScrollBar(bar);
    return bar;
}

// The pages' one arrangement: the instructions and what stands under them, then a row of
// controls from the left, then free space.
inline void LayOutPage(QWidget *page, std::initializer_list<QWidget *> column,
                       std::initializer_list<QWidget *> row)
{
    auto *line = new QHBoxLayout;
    for (QWidget *w : row)
        line->addWidget(w);
    line->addStretch();
    auto *layout = new QVBoxLayout(page);
    for (QWidget *w : column)
        layout->addWidget(w);
    layout->addLayout(line);
    layout->addStretch();
}
