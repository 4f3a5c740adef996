#include <QtTest>

// Every page of the help is reachable from the overview, and every link and picture of a page
// names a file that is there.
class TestHelpPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linksAndPicturesResolve()
    {
        const QDir help(qEnvironmentVariable("TESSARO_SOURCE_DIR") + QStringLiteral("/help"));
        const QStringList pages = help.entryList({QStringLiteral("*.htm")}, QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("Overview.htm")));
        const QRegularExpression target(QStringLiteral("(?:href|src)=\"([^\"#:]+)[\"#]"));
        QSet<QString> linked{QStringLiteral("Overview.htm")};
        for (const QString &page : pages) {
            QFile file(help.filePath(page));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            for (auto it = target.globalMatch(html); it.hasNext();) {
                const QString name = it.next().captured(1);
                QVERIFY2(help.exists(name), qPrintable(page + QStringLiteral(": ") + name));
                linked.insert(name);
            }
        }
        for (const QString &page : pages)
            QVERIFY2(linked.contains(page),
                     qPrintable(page + QStringLiteral(" is linked nowhere")));
    }
};

QTEST_APPLESS_MAIN(TestHelpPages)
#include "tst_helppages.moc"
