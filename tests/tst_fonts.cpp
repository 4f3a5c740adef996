#include <QFont>
#include <QFontInfo>
#include <QtTest>

// The report and the window ask for the fonts by their Windows names; fontconfig's metric
// aliases must map them onto the metric-compatible Liberation fonts.
class TestFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowsNamesResolve_data()
    {
        QTest::addColumn<QString>("requested");
        QTest::addColumn<QString>("resolved");
        QTest::newRow("Arial") << QString("Arial") << QString("Liberation Sans");
        QTest::newRow("Courier New") << QString("Courier New") << QString("Liberation Mono");
    }

    void windowsNamesResolve()
    {
        QFETCH(QString, requested);
        QFETCH(QString, resolved);
        QFont font(requested, 10);
        QCOMPARE(QFontInfo(font).family(), resolved);
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
