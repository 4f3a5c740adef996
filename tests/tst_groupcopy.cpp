#include "copymacrodialog.h"
#include "fakeplatform.h"
#include "platform.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

// Every byte of the image differs from its neighbours' pages.
static void FillPattern(MemMapImage &mm)
{
    for (int page = 0; page < MemMapPages; ++page) {
        for (int offset = 0; offset < PageSize; ++offset)
            mm.set(page, offset, page * 7 + offset * 13);
    }
}

// Copy Groups: whole byte ranges of one group's page over others, and its dialog.
class TestGroupCopy : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        InstallDoubles(m_fs, m_settings, m_dialogs);
        FillPattern(MemMap);
    }

    void runs_data()
    {
        QTest::addColumn<int>("source"); // -1: none
        QTest::addColumn<QList<int>>("dests");
        QTest::addColumn<bool>("channels");
        QTest::addColumn<bool>("params");
        QTest::addColumn<QString>("caption"); // the message shown, else the copy ran
        QTest::newRow("no source") << -1 << QList<int>{4} << true << true << "SELECT SOURCE GROUP";
        QTest::newRow("no destination")
            << 2 << QList<int>{} << true << true << "SELECT DESTINATION GROUP(S)";
        QTest::newRow("no data") << 2 << QList<int>{0} << false << false << "SELECT COPY DATA";
        QTest::newRow("parameters only") << 2 << QList<int>{0, 4, 24} << false << true << "";
        QTest::newRow("channels only") << 2 << QList<int>{1, 23} << true << false << "";
        QTest::newRow("both") << 4 << QList<int>{2, 3} << true << true << "";
    }

    void runs()
    {
        QFETCH(int, source);
        QFETCH(QList<int>, dests);
        QFETCH(bool, channels);
        QFETCH(bool, params);
        QFETCH(QString, caption);
        GroupCopyChoice choice;
        if (source >= 0)
            choice.source = source;
        choice.destinations.assign(NumGroups, false);
        for (int d : dests)
            choice.destinations[d] = true;
        choice.channels = channels;
        choice.params = params;
        const MemMapImage before = MemMap;

        QCOMPARE(RunGroupCopy(MemMap, choice), caption.isEmpty());
        QCOMPARE(m_dialogs.messages.size(), std::size_t(caption.isEmpty() ? 0 : 1));
        if (!caption.isEmpty()) {
            const std::string &text = m_dialogs.messages[0].text;
            QCOMPARE(QString::fromStdString(m_dialogs.messages[0].caption), caption);
            QVERIFY(text.size() > 6 && text.compare(text.size() - 6, 6, "      ") == 0);
            QCOMPARE(m_dialogs.messages[0].icon, MsgIcon::Information);
            QVERIFY(MemMap == before);
            return;
        }
        for (int page = 0; page < MemMapPages; ++page) {
            const bool dest = page >= 1 && dests.contains(page - 1);
            for (int offset = 0; offset < PageSize; ++offset) {
                const bool copied = dest && (offset < GroupParamBytes ? params : channels);
                const int from = copied ? source + 1 : page;
                QCOMPARE(MemMap.get(page, offset), before.get(from, offset));
            }
        }
    }

    // Group 3 then group 5 as source; the three texts; a run through the arrow button.
    void dialog()
    {
        CopyMacroDialog dlg;
        QCOMPARE(dlg.windowTitle(), QString("RQN Edit - Copy and Paste Macro"));
        QCOMPARE(dlg.findChild<QLabel *>("lblInfo")->text(), QString(CopyMacroInfo));
        auto opt = [&](int i) {
            return dlg.findChild<QRadioButton *>(QString("optCopyGrp_%1").arg(i));
        };
        auto dest = [&](int i) {
            return dlg.findChild<QCheckBox *>(QString("chkPasteDest_%1").arg(i));
        };
        for (int i = 0; i < NumGroups; ++i) {
            QCOMPARE(opt(i)->text(), QString("Group %1").arg(i + 1));
            QCOMPARE(dest(i)->text(), opt(i)->text());
            QVERIFY(!opt(i)->isChecked() && dest(i)->isEnabled() && !dest(i)->isChecked());
        }
        QVERIFY(dlg.findChild<QCheckBox *>("chkCopyChanData")->isChecked());
        QVERIFY(dlg.findChild<QCheckBox *>("chkCopyParams")->isChecked());
        auto *arrow = dlg.findChild<QToolButton *>("cmdCopy");
        QCOMPARE(arrow->accessibleName(), QString("Copy"));
        QCOMPARE(arrow->toolTip(), QString("Copy"));

        dest(2)->setChecked(true);
        opt(2)->click();
        QVERIFY(!dest(2)->isEnabled() && !dest(2)->isChecked());
        opt(4)->click();
        QVERIFY(dest(2)->isEnabled() && !dest(2)->isChecked());
        QVERIFY(!dest(4)->isEnabled());

        const MemMapImage before = MemMap;
        arrow->click();
        QCOMPARE(m_dialogs.messages.back().caption, std::string("SELECT DESTINATION GROUP(S)"));
        QVERIFY(MemMap == before && dlg.result() == QDialog::Rejected);
        dest(7)->setChecked(true);
        dlg.findChild<QCheckBox *>("chkCopyChanData")->setChecked(false);
        arrow->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        for (int offset = 0; offset < PageSize; ++offset)
            QCOMPARE(MemMap.get(8, offset), before.get(offset < GroupParamBytes ? 5 : 8, offset));
    }

private:
    MemoryFileSystem m_fs;
    FakeSettings m_settings;
    ScriptedDialogs m_dialogs;
};

QTEST_MAIN(TestGroupCopy)
#include "tst_groupcopy.moc"
