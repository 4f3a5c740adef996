#include "appsettings.h"
#include "fakeplatform.h"
#include "platform.h"

#include <QtTest>

class TestAppSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numbers_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("asInt");
        QTest::addColumn<double>("asDouble");
        QTest::newRow("plain") << "11500" << 11500 << 11500.0;
        QTest::newRow("blanks") << " 42 " << 42 << 42.0;
        QTest::newRow("negative") << "-5" << -5 << -5.0;
        QTest::newRow("fraction") << "2450.5" << 2450 << 2450.5;
        QTest::newRow("text") << "wide" << -1 << -1.0;
        QTest::newRow("trailing text") << "12abc" << -1 << -1.0;
        QTest::newRow("empty") << "" << -1 << -1.0;
        QTest::newRow("too big for 16 bits") << "70000" << -1 << 70000.0;
        QTest::newRow("overflow") << "1e999" << -1 << -1.0;
        QTest::newRow("nan") << "nan" << -1 << -1.0;
    }

    void numbers()
    {
        QFETCH(QString, stored);
        QFETCH(int, asInt);
        QFETCH(double, asDouble);
        FakeSettings settings;
        platform().settings = &settings;
        SaveSetting("Form Width", stored.toStdString());
        QCOMPARE(GetSettingInt("Form Width", -1), asInt);
        QCOMPARE(GetSettingDouble("Form Width", -1.0), asDouble);
        QCOMPARE(GetSettingInt("Absent", 77), 77);
        // Keys live in the program's own section.
        QCOMPARE(settings.values.at("ZPA Tessaro Editor/Settings/Form Width"),
                 stored.toStdString());
    }
};

QTEST_APPLESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
