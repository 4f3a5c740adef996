#include "qtexitdialog.h"

#include "twips.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

ExitDialog::ExitDialog(const ExitQuestion &question, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExit"));
    const bool unsaved = question.offerSave;
    const double dpi = logicalDpiX();
    auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };

    auto *lblExit = new QLabel(this);
    lblExit->setObjectName(QStringLiteral("lblExit"));
    lblExit->setText(QString::fromStdString(question.text)
                         .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    lblExit->adjustSize();
    lblExit->move(px(240), px(240));

    auto *save = new QPushButton(QStringLiteral("Save Before Exit"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto *exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(save, &QPushButton::clicked, this, [this] { choose(ExitChoice::SaveThenExit); });
    connect(exit, &QPushButton::clicked, this, [this] { choose(ExitChoice::Exit); });
    connect(cancel, &QPushButton::clicked, this, [this] { choose(ExitChoice::Cancel); });

    // One row of buttons under the label, 240 twips apart.
    const int top = lblExit->geometry().bottom() + 1 + px(240);
    int left = lblExit->x();
    for (QPushButton *button : {save, exit, cancel}) {
        if (button == save && !unsaved) {
            button->hide();
            continue;
        }
        // Some room around the caption, and never narrower than a standard button.
        const QSize hint = button->sizeHint();
        button->resize(std::max(hint.width() + px(240), px(1215)), hint.height());
        button->move(left, top);
        left = button->geometry().right() + 1 + px(240);
    }
    const int right = std::max(lblExit->geometry().right(), cancel->geometry().right()) + 1;
    setFixedSize(right + px(360), cancel->geometry().bottom() + 1 + px(600));

    setWindowTitle(QString::fromStdString(question.caption));
    (unsaved ? save : exit)->setDefault(true);
}

void ExitDialog::choose(ExitChoice choice)
{
    m_choice = choice;
    accept();
}
