#include "appsettings.h"
#include "fakeplatform.h"
#include "platform.h"
#include "windowlayout.h"

#include <QtTest>

// The window's restore ranges, saved keys, size limits, splitter clamps and grid fitting.
class TestWindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void twips_data();
    void twips();
    void restoreRanges_data();
    void restoreRanges();
    void restoreDefaults();
    void saveRules_data();
    void saveRules();
    void minimisedSavesNothing();
    void minimumSize_data();
    void minimumSize();
    void keepReachable_data();
    void keepReachable();
    void splitterClamp_data();
    void splitterClamp();
    void splitterDrag_data();
    void splitterDrag();
    void splitLayout();
    void tabWidth();
    void paneRects();
    void gridFit_data();
    void gridFit();

private:
    FakeSettings m_settings;
    std::string stored(const std::string &key) const;
};

void TestWindowLayout::init()
{
    m_settings = FakeSettings();
    platform().settings = &m_settings;
}

std::string TestWindowLayout::stored(const std::string &key) const
{
    auto it = m_settings.values.find(ProgramTitle + "/Settings/" + key);
    return it == m_settings.values.end() ? std::string("<none>") : it->second;
}

void TestWindowLayout::twips_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("96 dpi: 15 twips a pixel") << 1500 << 96.0 << 100;
    QTest::newRow("minimum width at 96 dpi") << 11500 << 96.0 << 767;
    QTest::newRow("minimum height at 96 dpi") << 8700 << 96.0 << 580;
    QTest::newRow("144 dpi") << 1440 << 144.0 << 144;
    QTest::newRow("120 dpi") << 2450 << 120.0 << 204;
}

void TestWindowLayout::twips()
{
    QFETCH(int, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(TwipsToPixels(twips, dpi), pixels);
    // The minimum sizes never round below the limit.
    QVERIFY(PixelsToTwips(TwipsToPixelsAtLeast(twips, dpi), dpi) >= twips);
}

void TestWindowLayout::restoreRanges_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("left 9500 gives 100") << "Form Left"
                                         << "9500" << 100;
    QTest::newRow("left 9000 kept") << "Form Left"
                                    << "9000" << 9000;
    QTest::newRow("left -1 gives 100") << "Form Left"
                                       << "-1" << 100;
    QTest::newRow("top 7000 gives 100") << "Form Top"
                                        << "7000" << 100;
    QTest::newRow("top 6000 kept") << "Form Top"
                                   << "6000" << 6000;
    QTest::newRow("top 0 kept") << "Form Top"
                                << "0" << 0;
    QTest::newRow("width below minimum") << "Form Width"
                                         << "11499" << 11500;
    QTest::newRow("width 15000 kept") << "Form Width"
                                      << "15000" << 15000;
    QTest::newRow("height below minimum") << "Form Height"
                                          << "5000" << 8700;
    QTest::newRow("height 9000 kept") << "Form Height"
                                      << "9000" << 9000;
}

void TestWindowLayout::restoreRanges()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(int, expected);
    SaveSetting(key.toStdString(), value.toStdString());
    const WindowGeometry g = RestoreWindowGeometry();
    const int actual = key == "Form Left"    ? g.left
                       : key == "Form Top"   ? g.top
                       : key == "Form Width" ? g.width
                                             : g.height;
    QCOMPARE(actual, expected);
}

void TestWindowLayout::restoreDefaults()
{
    WindowGeometry g = RestoreWindowGeometry();
    QCOMPARE(int(g.state), 0);
    QCOMPARE(g.left, 100);
    QCOMPARE(g.top, 100);
    QCOMPARE(g.width, 11500);
    QCOMPARE(g.height, 8700);
    QCOMPARE(g.splitLeft, 2450);
    QCOMPARE(RestoreWindowGeometry(3100).splitLeft, 3100);

    // A window stored minimised comes back normal; a maximised one stays maximised.
    SaveSetting("Window State", "1");
    QCOMPARE(int(RestoreWindowGeometry().state), 0);
    SaveSetting("Window State", "2");
    QCOMPARE(int(RestoreWindowGeometry().state), 2);
    SaveSetting("picSplit Left", "3000.4");
    QCOMPARE(RestoreWindowGeometry().splitLeft, 3000);
}

void TestWindowLayout::saveRules_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("split");
    QTest::addColumn<QStringList>("saved"); // state, split, width, height, top, left
    QTest::newRow("normal, all in range")
        << 0 << 200 << 300 << 12000 << 9000 << 2600
        << QStringList{"0", "2600", "12000", "9000", "300", "200"};
    QTest::newRow("normal, out of range kept as stored")
        << 0 << 9001 << 6001 << 40000 << 8000 << 50
        << QStringList{"0", "<none>", "<none>", "<none>", "<none>", "<none>"};
    QTest::newRow("splitter beyond the window")
        << 0 << 0 << 0 << 11500 << 8700 << 11500
        << QStringList{"0", "<none>", "11500", "8700", "0", "0"};
    QTest::newRow("maximised keeps the normal size")
        << 2 << 0 << 0 << 25000 << 15000 << 3000
        << QStringList{"2", "3000", "<none>", "<none>", "<none>", "<none>"};
}

void TestWindowLayout::saveRules()
{
    QFETCH(int, state);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, split);
    QFETCH(QStringList, saved);
    WindowGeometry g;
    g.state = static_cast<WindowStateCode>(state);
    g.left = left;
    g.top = top;
    g.width = width;
    g.height = height;
    g.splitLeft = split;
    SaveWindowSettings(g);
    const char *keys[] = {"Window State", "picSplit Left", "Form Width",
                          "Form Height",  "Form Top",      "Form Left"};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(QString::fromStdString(stored(keys[i])), saved[i]);
}

void TestWindowLayout::minimisedSavesNothing()
{
    WindowGeometry g;
    g.state = WindowStateCode::Minimized;
    SaveWindowSettings(g);
    QCOMPARE(m_settings.saveCount, 0);
}

void TestWindowLayout::minimumSize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("newWidth");
    QTest::addColumn<int>("newHeight");
    QTest::addColumn<bool>("widthMsg");
    QTest::addColumn<bool>("heightMsg");
    QTest::newRow("large enough") << 12000 << 9000 << 12000 << 9000 << false << false;
    QTest::newRow("exactly the minimum") << 11500 << 8700 << 11500 << 8700 << false << false;
    QTest::newRow("too narrow") << 11000 << 9000 << 11500 << 9000 << true << false;
    QTest::newRow("too low") << 12000 << 8000 << 12000 << 8700 << false << true;
    QTest::newRow("both") << 5000 << 5000 << 11500 << 8700 << true << true;
}

void TestWindowLayout::minimumSize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, newWidth);
    QFETCH(int, newHeight);
    QFETCH(bool, widthMsg);
    QFETCH(bool, heightMsg);
    const SizeCorrection c = ApplyMinimumSize(width, height);
    QCOMPARE(c.width, newWidth);
    QCOMPARE(c.height, newHeight);
    QCOMPARE(c.widthLimited, widthMsg);
    QCOMPARE(c.heightLimited, heightMsg);
}

void TestWindowLayout::keepReachable_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("newLeft");
    QTest::addColumn<int>("newTop");
    // Window 11500 wide on a 19200 x 14400 twip screen.
    QTest::newRow("on screen") << 100 << 100 << 100 << 100;
    QTest::newRow("far left") << -11000 << 100 << 1500 - 11500 << 100;
    QTest::newRow("above the top") << 100 << -500 << 100 << -240;
    QTest::newRow("far right") << 19000 << 100 << 18200 << 100;
    QTest::newRow("below the bottom") << 100 << 14000 << 100 << 13400;
}

void TestWindowLayout::keepReachable()
{
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(int, newLeft);
    QFETCH(int, newTop);
    const WindowPosition p = KeepReachable(left, top, 11500, 19200, 14400);
    QCOMPARE(p.left, newLeft);
    QCOMPARE(p.top, newTop);
}

void TestWindowLayout::splitterClamp_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("clamped");
    QTest::newRow("far left") << 500 << 1500;
    QTest::newRow("minimum") << 1500 << 1500;
    QTest::newRow("inside") << 4000 << 4000;
    QTest::newRow("far right") << 11000 << 12000 - 1500;
}

void TestWindowLayout::splitterClamp()
{
    QFETCH(int, x);
    QFETCH(int, clamped);
    QCOMPARE(ClampSplitter(x, 12000), clamped);
}

void TestWindowLayout::splitterDrag_data()
{
    QTest::addColumn<int>("handleLeft");
    QTest::addColumn<int>("pointerX");
    QTest::addColumn<int>("bar");
    QTest::newRow("far left stops at 500") << 2420 << -3000 << 500;
    QTest::newRow("follows the pointer") << 2420 << 1000 << 3420;
    QTest::newRow("right edge") << 2420 << 9080 << 11500;
    QTest::newRow("far right stops 500 short") << 2420 << 20000 << 11500;
}

void TestWindowLayout::splitterDrag()
{
    QFETCH(int, handleLeft);
    QFETCH(int, pointerX);
    QFETCH(int, bar);
    QCOMPARE(SplitterDragPosition(handleLeft, pointerX, 12000), bar);
}

void TestWindowLayout::splitLayout()
{
    const SplitLayout l = ComputeSplitLayout(2450, 12000);
    QCOMPARE(l.split, 2450);
    QCOMPARE(l.handleLeft, 2420);
    QCOMPARE(l.treeWidth, 2390);
    QCOMPARE(l.stripLeft, 2480);
    QCOMPARE(l.stripWidth, 12000 - 2480 - 240);
    // Tree, handle and strip never overlap, wherever the splitter is asked to go.
    for (int x = 0; x <= 14000; x += 250) {
        const SplitLayout s = ComputeSplitLayout(x, 12000);
        QVERIFY(s.treeWidth <= s.handleLeft);
        QVERIFY(s.handleLeft + SplitBarWidth <= s.stripLeft);
        QVERIFY(s.stripLeft + s.stripWidth <= 12000);
        QVERIFY(s.treeWidth >= 1400);
    }
}

void TestWindowLayout::tabWidth()
{
    QCOMPARE(FixedTabWidth(9000, 4), 2205);
    QCOMPARE(FixedTabWidth(9003, 4), 2205); // remainder dropped
    QCOMPARE(FixedTabWidth(9000, 0), 0);
}

void TestWindowLayout::paneRects()
{
    const PaneRect grid = PositionPaneRect(true, 9000, 6000);
    QCOMPARE(grid.left, 120);
    QCOMPARE(grid.top, 120);
    QCOMPARE(grid.width, 8700);
    QCOMPARE(grid.height, 5760);
    const PaneRect settings = PositionPaneRect(false, 9000, 6000);
    QCOMPARE(settings.top, 360);
    QCOMPARE(settings.height, 5520);
    // A taller tab row moves the settings panes down, never under the tabs.
    const PaneRect lower = PositionPaneRect(false, 9000, 6000, 480);
    QCOMPARE(lower.top, 480);
    QCOMPARE(lower.top + lower.height, settings.top + settings.height);
}

void TestWindowLayout::gridFit_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("fitW");
    QTest::addColumn<int>("fitH");
    // Room: 8000 x 5000.
    QTest::newRow("fits") << 7000 << 4000 << 7000 << 4000;
    QTest::newRow("too wide: room for the scroll bar") << 9000 << 4000 << 8000 << 4240;
    QTest::newRow("too wide, scroll bar capped") << 9000 << 4900 << 8000 << 5000;
    QTest::newRow("too high: room for the scroll bar") << 7000 << 6000 << 7240 << 5000;
    QTest::newRow("too high, scroll bar capped") << 7900 << 6000 << 8000 << 5000;
    QTest::newRow("both") << 9000 << 6000 << 8000 << 5000;
}

void TestWindowLayout::gridFit()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, fitW);
    QFETCH(int, fitH);
    const GridSize s = FitChanGrid(w, h, 8000, 5000);
    QCOMPARE(s.width, fitW);
    QCOMPARE(s.height, fitH);
}

QTEST_APPLESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
