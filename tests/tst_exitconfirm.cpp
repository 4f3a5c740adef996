#include "appglobals.h"
#include "appsettings.h"
#include "defaultimage.h"
#include "exitconfirm.h"
#include "fakeplatform.h"
#include "filecommands.h"
#include "mainwindow.h"
#include "memmap.h"
#include "platform.h"
#include "qtexitdialog.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestExitConfirm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void answers_data();
    void answers();
    void dialogLooks_data();
    void dialogLooks();
    void dialogButtons();
    void cancelledExitKeepsWindowAndSettings();

private:
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
    RecordingWindow m_window;
    std::string &m_caption = m_window.captionText;
};

void TestExitConfirm::init()
{
    InstallDoubles(m_fs, m_settings, m_dialogs);
    platform().documentsFolder = "/home/tech/Documents/My QV Radios";
    ResetAppGlobals();
    g_sCurFileName = "/data/unit.tdf";
    LoadDefaultImage(MemMap);
    m_window = RecordingWindow();
    m_caption = "ZPA Tessaro Editor - unit.tdf";
    platform().window = &m_window;
}

void TestExitConfirm::answers_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("saveAs"); // answer of the save dialog, "" = cancelled
    QTest::addColumn<bool>("exits");
    QTest::addColumn<bool>("saved");
    QTest::newRow("no changes, exit") << false << int(ExitChoice::Exit) << "" << true << false;
    QTest::newRow("no changes, cancel") << false << int(ExitChoice::Cancel) << "" << false << false;
    QTest::newRow("unsaved, exit") << true << int(ExitChoice::Exit) << "" << true << false;
    QTest::newRow("unsaved, save")
        << true << int(ExitChoice::SaveThenExit) << "/data/new.tdf" << true << true;
    // Cancelling the save must not throw the unsaved data away with the program.
    QTest::newRow("unsaved, save cancelled")
        << true << int(ExitChoice::SaveThenExit) << "" << false << false;
}

void TestExitConfirm::answers()
{
    QFETCH(bool, unsaved);
    QFETCH(int, choice);
    QFETCH(QString, saveAs);
    QFETCH(bool, exits);
    QFETCH(bool, saved);
    if (unsaved)
        m_caption += " *";
    if (!saveAs.isEmpty())
        m_dialogs.fileAnswers.push_back(saveAs.toStdString());
    m_dialogs.exitAnswers = {ExitChoice(choice)};
    QCOMPARE(ConfirmExit(), exits);
    QCOMPARE(m_dialogs.exitQuestions.size(), std::size_t(1));
    QCOMPARE(m_dialogs.exitQuestions[0].offerSave, unsaved);
    QCOMPARE(g_bExitUnsaved, unsaved);
    QCOMPARE(g_bExitCancel, ExitChoice(choice) == ExitChoice::Cancel);
    QCOMPARE(g_bExitSave, ExitChoice(choice) == ExitChoice::SaveThenExit);
    QCOMPARE(m_fs.exists("/data/new.tdf"), saved);
    // Saving always goes through the save-as dialog, even with a file name.
    QCOMPARE(m_dialogs.saveRequests.size(),
             std::size_t(ExitChoice(choice) == ExitChoice::SaveThenExit ? 1 : 0));
}

void TestExitConfirm::dialogLooks_data()
{
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("question");
    QTest::newRow("no changes") << false << "CONFIRM EXIT"
                                << "Are you sure you wish to exit ZPA Tessaro Editor?      ";
    QTest::newRow("unsaved") << true << "EXIT ZPA TESSARO EDITOR"
                             << "The data currently displayed has not been      \r\n"
                                "saved.  Are you sure you wish to exit ZPA Tessaro Editor?      ";
}

void TestExitConfirm::dialogLooks()
{
    QFETCH(bool, unsaved);
    QFETCH(QString, caption);
    QFETCH(QString, question);
    const ExitQuestion q = ExitQuestionFor(unsaved);
    QCOMPARE(QString::fromStdString(q.text), question);
    QCOMPARE(QString::fromStdString(q.caption), caption);
    ExitDialog dialog(q);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), caption);
    auto *label = dialog.findChild<QLabel *>("lblExit");
    auto *save = dialog.findChild<QPushButton *>("cmdSave");
    auto *exit = dialog.findChild<QPushButton *>("cmdExit");
    auto *cancel = dialog.findChild<QPushButton *>("cmdCancel");
    QVERIFY(label && save && exit && cancel);
    QCOMPARE(save->text(), QStringLiteral("Save Before Exit"));
    QCOMPARE(save->isVisible(), unsaved);
    // One row under the label, starting at its left edge, every button fully inside.
    QPushButton *first = unsaved ? save : exit;
    QCOMPARE(first->x(), label->x());
    QVERIFY(exit->y() > label->geometry().bottom());
    QCOMPARE(cancel->y(), exit->y());
    QVERIFY(exit->x() > (unsaved ? save->geometry().right() : label->x() - 1));
    QVERIFY(cancel->x() > exit->geometry().right());
    QVERIFY(dialog.rect().contains(cancel->geometry()));
    QVERIFY(dialog.rect().contains(label->geometry()));
}

void TestExitConfirm::dialogButtons()
{
    const std::pair<const char *, ExitChoice> buttons[] = {{"cmdSave", ExitChoice::SaveThenExit},
                                                           {"cmdExit", ExitChoice::Exit},
                                                           {"cmdCancel", ExitChoice::Cancel}};
    for (const auto &[name, choice] : buttons) {
        ExitDialog dialog(ExitQuestionFor(true));
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton *>(name), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(int(dialog.choice()), int(choice));
    }
    // Closing the dialog by its frame keeps the program running.
    ExitDialog dialog(ExitQuestionFor(false));
    dialog.show();
    dialog.close();
    QCOMPARE(int(dialog.choice()), int(ExitChoice::Cancel));
}

void TestExitConfirm::cancelledExitKeepsWindowAndSettings()
{
    MainWindow window;
    m_dialogs.exitAnswers = {ExitChoice::Cancel, ExitChoice::Exit};
    g_bLoading = true;
    window.LoadWindow();
    g_bLoading = false;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const int saves = m_settings.saveCount;
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    // The window settings are saved only when the program really ends.
    QCOMPARE(m_settings.saveCount, saves);
    QVERIFY(window.close());
    QVERIFY(m_settings.saveCount > saves);
}

QTEST_MAIN(TestExitConfirm)
#include "tst_exitconfirm.moc"
