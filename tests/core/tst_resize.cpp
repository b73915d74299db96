#include "app/apperror.h"
#include "resize/proportionallayout.h"

#include <QSize>
#include <QTest>
#include <cmath>
#include <map>
#include <set>

using namespace askbright;

using Kind = ResizeWindow::Kind;
using Property = ResizeWindow::Property;

Q_DECLARE_METATYPE(ResizeWindow::Kind)

namespace {

double hundredths(double v)
{
    return std::round(v * 100) / 100;
}

// A control of the fake window: the properties it has, and the writes it refuses.
struct FakeControl {
    QString key;
    Kind kind = Kind::Other;
    std::map<Property, double> values;
    std::set<Property> refused;
    bool refusesMove = false;
};

FakeControl control(const QString &key, double left, double top, double width, double height,
                    std::optional<double> font = 10.0, Kind kind = Kind::Other)
{
    FakeControl c{key, kind, {}, {}, false};
    c.values = {{Property::Left, left},
                {Property::Top, top},
                {Property::Width, width},
                {Property::Height, height}};
    if (font)
        c.values[Property::FontSize] = *font;
    return c;
}

FakeControl line(const QString &key, double x1, double x2, double y1, double y2)
{
    FakeControl c{key, Kind::Line, {}, {}, false};
    c.values = {{Property::X1, x1}, {Property::X2, x2}, {Property::Y1, y1}, {Property::Y2, y2}};
    return c;
}

class FakeWindow : public ResizeWindow {
public:
    Geometry window{300, 200, 10000, 5000};
    QList<FakeControl> controls;
    QStringList windowWrites;

    Geometry windowGeometry() const override { return window; }
    void setWindowHeight(double height) override
    {
        window.height = height;
        windowWrites << QStringLiteral("height %1").arg(height);
    }
    void setWindowWidth(double width) override
    {
        window.width = width;
        windowWrites << QStringLiteral("width %1").arg(width);
    }
    int enumerateControls() override { return int(controls.size()); }
    QString controlKey(int index) const override { return controls.at(index).key; }
    Kind controlKind(int index) const override { return controls.at(index).kind; }
    std::optional<double> read(int index, Property property) const override
    {
        const auto &values = controls.at(index).values;
        const auto it = values.find(property);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    bool write(int index, Property property, double value) override
    {
        FakeControl &c = controls[index];
        if (!c.values.count(property) || c.refused.count(property))
            return false;
        c.values[property] = value;
        return true;
    }
    bool move(int index, const Geometry &g) override
    {
        FakeControl &c = controls[index];
        for (Property p : {Property::Left, Property::Top, Property::Width, Property::Height})
            if (c.refusesMove || !c.values.count(p))
                return false;
        c.values[Property::Left] = g.left;
        c.values[Property::Top] = g.top;
        c.values[Property::Width] = g.width;
        c.values[Property::Height] = g.height;
        return true;
    }

    void resizeTo(double width, double height)
    {
        window.width = width;
        window.height = height;
    }
    // Values to a hundredth of a twip: the ratios are 32-bit floats.
    double value(int index, Property property) const
    {
        return hundredths(read(index, property).value_or(qQNaN()));
    }
    QList<double> geometry(int index) const
    {
        return {value(index, Property::Left), value(index, Property::Top),
                value(index, Property::Width), value(index, Property::Height)};
    }
};

using Geometry = QList<double>;

} // namespace

class tst_resize : public QObject {
    Q_OBJECT
private slots:
    void resizeOption_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("preset");
        QTest::addColumn<int>("option");
        QTest::addColumn<Geometry>("expected");
        const Geometry scaled{1500, 600, 3000, 360};
        for (Kind kind : {Kind::Other, Kind::FixedHeightList}) {
            const char *k = kind == Kind::Other ? "move" : "list";
            QTest::addRow("%s: scale both", k) << kind << 0 << 0 << scaled;
            QTest::addRow("%s: keep width", k) << kind << 0 << 1 << Geometry{1500, 600, 2000, 360};
            QTest::addRow("%s: keep height", k) << kind << 0 << 2 << Geometry{1500, 600, 3000, 300};
            QTest::addRow("%s: keep both", k) << kind << 0 << 3 << Geometry{1500, 600, 2000, 300};
            QTest::addRow("%s: unknown value as 0", k) << kind << 3 << 7 << scaled;
            QTest::addRow("%s: negative value as 0", k) << kind << 3 << -1 << scaled;
            QTest::addRow("%s: largest 16-bit value", k) << kind << 3 << 32767 << scaled;
            QTest::addRow("%s: beyond 16 bits keeps option", k)
                << kind << 3 << 32768 << Geometry{1500, 600, 2000, 300};
        }
    }

    void resizeOption()
    {
        QFETCH(Kind, kind);
        QFETCH(int, preset);
        QFETCH(int, option);
        QFETCH(Geometry, expected);
        FakeWindow w;
        w.controls << control("txt", 1000, 500, 2000, 300, 10.0, kind);
        ProportionalLayout engine(w);
        engine.recordWindow();
        engine.setResizeOption("txt", preset);
        engine.setResizeOption("txt", option);
        w.resizeTo(15000, 6000);
        engine.followWindow();
        QCOMPARE(w.geometry(0), expected);
        QCOMPARE(w.value(0, Property::FontSize), 12.0); // the smaller ratio, 1.2
    }

    void fontSizing_data()
    {
        QTest::addColumn<QList<int>>("fontSizingCalls"); // -1: option only, 0 off, 1 on
        QTest::addColumn<QSize>("window");
        QTest::addColumn<double>("expected");
        QTest::newRow("on by default") << QList<int>{} << QSize(15000, 6000) << 12.0;
        QTest::newRow("width ratio smaller") << QList<int>{} << QSize(8000, 7500) << 8.0;
        QTest::newRow("off keeps the font") << QList<int>{0} << QSize(15000, 6000) << 11.0;
        QTest::newRow("option alone keeps it off")
            << QList<int>{0, -1} << QSize(15000, 6000) << 11.0;
        QTest::newRow("off and on again") << QList<int>{0, 1} << QSize(15000, 6000) << 12.0;
        // Back at the recorded size the recorded font returns, font sizing or not.
        QTest::newRow("off, recorded size") << QList<int>{0} << QSize(10000, 5000) << 10.0;
    }

    void fontSizing()
    {
        QFETCH(QList<int>, fontSizingCalls);
        QFETCH(QSize, window);
        QFETCH(double, expected);
        FakeWindow w;
        w.controls << control("txtfrage", 1000, 500, 2000, 300, 10.0);
        ProportionalLayout engine(w);
        engine.recordWindow();
        for (int call : fontSizingCalls)
            engine.setResizeOption("txtfrage", 0,
                                   call < 0 ? std::nullopt : std::optional(call == 1));
        w.controls[0].values[Property::FontSize] = 11.0; // chosen by the user after recording
        w.resizeTo(window.width(), window.height());
        engine.followWindow();
        QCOMPARE(w.value(0, Property::FontSize), expected);
    }

    void parked_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QList<QSize>>("windows");
        QTest::addColumn<QList<double>>("lefts");
        for (Kind kind : {Kind::Other, Kind::FixedHeightList}) {
            const char *k = kind == Kind::Other ? "move" : "list";
            QTest::addRow("%s: recorded size", k)
                << kind << QList<QSize>{{10000, 5000}} << QList<double>{-10000};
            QTest::addRow("%s: height only", k)
                << kind << QList<QSize>{{10000, 6000}} << QList<double>{-10000};
            QTest::addRow("%s: wider", k)
                << kind << QList<QSize>{{12000, 5000}} << QList<double>{3000};
            // Once visible it still scales from the parking origin, not from 0.
            QTest::addRow("%s: wider twice", k)
                << kind << QList<QSize>{{12000, 5000}, {15000, 5000}} << QList<double>{3000, 22500};
            QTest::addRow("%s: and back", k)
                << kind << QList<QSize>{{12000, 5000}, {15000, 5000}, {10000, 5000}}
                << QList<double>{3000, 22500, -10000};
        }
    }

    void parked()
    {
        QFETCH(Kind, kind);
        QFETCH(QList<QSize>, windows);
        QFETCH(QList<double>, lefts);
        FakeWindow w;
        w.controls << control("lblhidden", -10000, 400, 500, 200, 10.0, kind);
        ProportionalLayout engine(w);
        engine.recordWindow();
        QCOMPARE(engine.controls().find("lblhidden")->left, 65000);
        QList<double> seen;
        for (const QSize &size : windows) {
            w.resizeTo(size.width(), size.height());
            engine.followWindow();
            seen << w.value(0, Property::Left);
        }
        QCOMPARE(seen, lefts);
    }

    void lineFollowsByEndPoints()
    {
        FakeWindow w;
        w.controls << line("Line1", 1000, 3000, 500, 800);
        ProportionalLayout engine(w);
        engine.recordWindow();
        const RecordedControl *record = engine.controls().find("Line1");
        QVERIFY(record);
        QCOMPARE(QList<qint32>({record->x1, record->x2, record->y1, record->y2}),
                 QList<qint32>({1000, 3000, 500, 800}));
        QCOMPARE(record->fontSize, 0.0f);
        engine.setResizeOption("Line1", 3);
        w.resizeTo(15000, 6000);
        engine.followWindow();
        QCOMPARE(QList<double>({w.value(0, Property::X1), w.value(0, Property::X2),
                                w.value(0, Property::Y1), w.value(0, Property::Y2)}),
                 QList<double>({1500, 4500, 600, 960}));
    }

    void refusedSteps_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("refused"); // a Property, or -1: the whole move
        QTest::addColumn<Geometry>("expected");
        QTest::newRow("list, height refused")
            << Kind::FixedHeightList << int(Property::Height) << Geometry{1500, 600, 3000, 300};
        QTest::newRow("list, top refused")
            << Kind::FixedHeightList << int(Property::Top) << Geometry{1500, 500, 3000, 360};
        QTest::newRow("list, left refused")
            << Kind::FixedHeightList << int(Property::Left) << Geometry{1000, 600, 3000, 360};
        QTest::newRow("list, font refused")
            << Kind::FixedHeightList << int(Property::FontSize) << Geometry{1500, 600, 3000, 360};
        QTest::newRow("move refused") << Kind::Other << -1 << Geometry{1000, 500, 2000, 300};
    }

    void refusedSteps()
    {
        QFETCH(Kind, kind);
        QFETCH(int, refused);
        QFETCH(Geometry, expected);
        FakeWindow w;
        w.controls << control("cseite", 1000, 500, 2000, 300, 10.0, kind)
                   << control("after", 100, 100, 100, 100);
        if (refused < 0)
            w.controls[0].refusesMove = true;
        else
            w.controls[0].refused.insert(Property(refused));
        ProportionalLayout engine(w);
        engine.recordWindow();
        w.resizeTo(15000, 6000);
        engine.followWindow();
        QCOMPARE(w.geometry(0), expected);
        QCOMPARE(w.value(0, Property::FontSize), refused == int(Property::FontSize) ? 10.0 : 12.0);
        QCOMPARE(w.geometry(1), Geometry({150, 120, 150, 120})); // the pass goes on
    }

    void tolerance_data()
    {
        QTest::addColumn<float>("tolerance");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("restored");
        QTest::newRow("recorded size") << 0.0f << QSize(10000, 5000) << true;
        QTest::newRow("one twip wider") << 0.0f << QSize(10001, 5000) << false;
        QTest::newRow("inside 5 %") << 5.0f << QSize(10400, 4800) << true;
        QTest::newRow("upper edge of 5 %") << 5.0f << QSize(10500, 5000) << true;
        QTest::newRow("lower edge of 5 %") << 5.0f << QSize(9500, 5000) << true;
        QTest::newRow("above 5 %") << 5.0f << QSize(10600, 5000) << false;
        QTest::newRow("below 5 %") << 5.0f << QSize(9400, 5000) << false;
        QTest::newRow("height outside 5 %") << 5.0f << QSize(10000, 5300) << false;
    }

    void tolerance()
    {
        QFETCH(float, tolerance);
        QFETCH(QSize, window);
        QFETCH(bool, restored);
        FakeWindow w;
        w.controls << control("txtzusatz1", 1000, 500, 2000, 300, 10.0);
        ProportionalLayout engine(w);
        engine.setTolerancePercent(tolerance);
        engine.recordWindow();
        w.resizeTo(20000, 10000);
        engine.followWindow();
        w.resizeTo(window.width(), window.height());
        engine.followWindow();
        const double wr = window.width() / 10000.0;
        const double hr = window.height() / 5000.0;
        const Geometry expected = restored ? Geometry{1000, 500, 2000, 300}
                                           : Geometry{hundredths(1000 * wr), hundredths(500 * hr),
                                                      hundredths(2000 * wr), hundredths(300 * hr)};
        QCOMPARE(w.geometry(0), expected);
        QCOMPARE(w.windowWrites, QStringList()); // the window itself is left as it is
    }

    void recordedSizeRestoresEverything_data()
    {
        QTest::addColumn<int>("restore"); // -1: the window returns to its recorded size
        QTest::addColumn<QStringList>("windowWrites");
        QTest::newRow("window at recorded size") << -1 << QStringList();
        QTest::newRow("controls only") << 0 << QStringList();
        QTest::newRow("and the window, height first")
            << 1 << QStringList{"height 5000", "width 10000"};
    }

    void recordedSizeRestoresEverything()
    {
        QFETCH(int, restore);
        QFETCH(QStringList, windowWrites);
        FakeWindow w;
        w.controls << control("txtfrage", 1000, 500, 2000, 300, 10.0)
                   << control("cseite", 200, 4000, 3000, 315, 8.25, Kind::FixedHeightList)
                   << line("Line1", 0, 10000, 2500, 2500);
        ProportionalLayout engine(w);
        engine.recordWindow();
        engine.setResizeOption("txtfrage", 3, false);
        const QList<FakeControl> recorded = w.controls;
        w.resizeTo(13000, 4000);
        engine.followWindow();
        w.controls[0].values[Property::FontSize] = 14.0;
        QVERIFY(w.controls[1].values != recorded[1].values);
        if (restore < 0) {
            w.resizeTo(10000, 5000);
            engine.followWindow();
        } else {
            engine.restoreRecordedLayout(restore == 1);
        }
        for (int i = 0; i < recorded.size(); ++i)
            QCOMPARE(w.controls.at(i).values, recorded.at(i).values);
        QCOMPARE(w.windowWrites, windowWrites);
    }

    void recordsTheWindow()
    {
        FakeWindow w;
        w.window = {300.5, 201.5, 10000.5, 4999.5};
        FakeControl timer{
            "Timer1", Kind::Other, {{Property::Left, 50}, {Property::Top, 60}}, {}, false};
        w.controls << control("txtfrage", 1000.5, 500.5, 2001.5, 299.5, 11.25) << timer
                   << control("txtfrage", 10, 20, 30, 40) << control("pic", 5, 5, 50, 50, {});
        ProportionalLayout engine(w);
        engine.recordWindow();
        QCOMPARE(QList<qint32>({engine.recordedWindow().left, engine.recordedWindow().top,
                                engine.recordedWindow().width, engine.recordedWindow().height}),
                 QList<qint32>({300, 202, 10000, 5000})); // halves to even
        QCOMPARE(engine.controls().count(), 2);
        const RecordedControl *first = engine.controls().find("txtfrage");
        QCOMPARE(
            QList<qint32>({first->position, first->left, first->top, first->width, first->height}),
            QList<qint32>({1, 1000, 500, 2002, 300}));
        QCOMPARE(first->fontSize, 11.25f);
        QVERIFY(first->fontSizing && first->resizeOption == 0);
        QCOMPARE(engine.controls().find("pic")->position, 2);
        QCOMPARE(engine.controls().find("pic")->fontSize, 0.0f);

        // Without a record (unreadable, created later) a control is left alone;
        // one without a font is still placed.
        w.window = {0, 0, 10000, 5000};
        w.controls.removeAt(2); // keys are unique among the controls present at one time
        engine.recordWindow();  // records afresh instead of failing on its own keys
        QCOMPARE(engine.controls().count(), 2);
        w.controls << control("later", 100, 200, 300, 400) << control("laterparked", -500, 0, 1, 1);
        w.controls[2].values[Property::FontSize] = 9.0; // a font given after the recording
        const QList<FakeControl> before = w.controls;
        w.resizeTo(20000, 10000);
        engine.followWindow();
        QCOMPARE(w.geometry(0), Geometry({2000, 1000, 4004, 600}));
        for (int i : {1, 3, 4})
            QCOMPARE(w.controls.at(i).values, before.at(i).values);
        QCOMPARE(w.geometry(2), Geometry({10, 10, 100, 100}));
        QCOMPARE(w.value(2, Property::FontSize), 9.0);
    }

    void noRatio_data()
    {
        QTest::addColumn<QSize>("recorded");
        QTest::addColumn<QSize>("current");
        QTest::newRow("collapsed width") << QSize(10000, 5000) << QSize(0, 5000);
        QTest::newRow("collapsed height") << QSize(10000, 5000) << QSize(15000, 0);
        QTest::newRow("recorded without extent") << QSize(0, 0) << QSize(15000, 6000);
        QTest::newRow("recorded without height") << QSize(10000, 0) << QSize(15000, 6000);
    }

    void noRatio()
    {
        QFETCH(QSize, recorded);
        QFETCH(QSize, current);
        FakeWindow w;
        w.resizeTo(recorded.width(), recorded.height());
        w.controls << control("txtfrage", 1000, 500, 2000, 300, 10.0);
        ProportionalLayout engine(w);
        engine.recordWindow();
        w.controls[0].values[Property::Left] = 1234; // moved by program code
        w.resizeTo(current.width(), current.height());
        engine.followWindow();
        QCOMPARE(w.geometry(0), Geometry({1234, 500, 2000, 300}));
        QCOMPARE(w.value(0, Property::FontSize), 10.0);
    }

    void collection()
    {
        ControlRecords controls;
        QCOMPARE(controls.count(), 0);
        QVERIFY(!controls.find("txtfrage"));
        RecordedControl &a = controls.add(1, 2, 3, 4, "txtfrage", 9.75f);
        RecordedControl &b = controls.addLine(5, 6, 7, 8, "Line1");
        QCOMPARE(QList<qint32>({a.position, a.top, a.left, a.width, a.height}),
                 QList<qint32>({1, 1, 2, 3, 4}));
        QCOMPARE(QList<qint32>({b.position, b.x1, b.x2, b.y1, b.y2}),
                 QList<qint32>({2, 5, 6, 7, 8}));
        QCOMPARE(b.fontSize, 0.0f);
        QVERIFY(a.fontSizing && b.fontSizing);
        QCOMPARE(controls.find("Line1"), &b);
        QVERIFY(!controls.find("line1")); // keys are names, matched exactly
        for (int i = 0; i < 50; ++i)      // records keep their place while the collection grows
            controls.add(0, 0, 0, 0, QString::number(i), 0);
        QCOMPARE(controls.find("txtfrage"), &a);
        QCOMPARE(controls.find("49")->position, 52);

        for (bool asLine : {false, true}) {
            try {
                if (asLine)
                    controls.addLine(0, 0, 0, 0, "txtfrage");
                else
                    controls.add(0, 0, 0, 0, "txtfrage", 1);
                QFAIL("a duplicate key was accepted");
            } catch (const AppError &e) {
                QCOMPARE(e.number(), 457);
            }
        }
        QCOMPARE(controls.count(), 52);
        QCOMPARE(controls.find("txtfrage")->fontSize, 9.75f);

        // An option for a missing record changes nothing.
        FakeWindow w;
        ProportionalLayout engine(w);
        engine.recordWindow();
        engine.setResizeOption("missing", 3, false);
        QCOMPARE(engine.controls().count(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_resize)
#include "tst_resize.moc"
