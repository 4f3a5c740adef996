#include "exitdialog.h"

#include "appsettings.h"
#include "windowlayout.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

std::string ExitQuestionText(bool unsaved)
{
    const std::string question = "Are you sure you wish to exit " + ProgramTitle + "?      ";
    if (!unsaved)
        return question;
    return "The data currently displayed has not been      \r\nsaved.  " + question;
}

ExitDialog::ExitDialog(bool unsaved, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExit"));
    const QString title = QString::fromStdString(ProgramTitle);
    const double dpi = logicalDpiX();
    auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };

    m_lblExit = new QLabel(this);
    m_lblExit->setObjectName(QStringLiteral("lblExit"));
    m_lblExit->setText(QString::fromStdString(ExitQuestionText(unsaved))
                           .replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_lblExit->adjustSize();
    m_lblExit->move(px(240), px(240));

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
    const int top = m_lblExit->geometry().bottom() + 1 + px(240);
    int left = m_lblExit->x();
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
    const int right = std::max(m_lblExit->geometry().right(), cancel->geometry().right()) + 1;
    setFixedSize(right + px(360), cancel->geometry().bottom() + 1 + px(600));

    setWindowTitle(unsaved ? QStringLiteral("EXIT ") + title.toUpper()
                           : QStringLiteral("CONFIRM EXIT"));
    (unsaved ? save : exit)->setDefault(true);
}

void ExitDialog::choose(ExitChoice choice)
{
    m_choice = choice;
    accept();
}

ExitChoice AskExit(bool unsaved, QWidget *parent)
{
    ExitDialog dialog(unsaved, parent);
    dialog.exec();
    return dialog.choice();
}
