#include "resize/proportionallayout.h"

#include <QSize>
#include <QTest>
#include <cmath>
#include <map>
#include <set>

using namespace askbright;

using Kind = ResizeWindow::Kind;
using Property = ResizeWindow::Property;

namespace {

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
    FakeControl c{key, kind, {{Property::Left, left}, {Property::Top, top}}, {}, false};
    c.values.insert({{Property::Width, width}, {Property::Height, height}});
    if (font)
        c.values[Property::FontSize] = *font;
    return c;
}

FakeControl line(const QString &key, double x1, double x2, double y1, double y2)
{
    FakeControl c{key, Kind::Line, {{Property::X1, x1}, {Property::X2, x2}}, {}, false};
    c.values.insert({{Property::Y1, y1}, {Property::Y2, y2}});
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
        window = {window.left, window.top, width, height};
    }
    // Values to a hundredth of a twip: the ratios are 32-bit floats.
    double value(int index, Property property) const
    {
        return std::round(read(index, property).value_or(qQNaN()) * 100) / 100;
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
    // A control recorded at 10000 x 5000 twips with font 10, the user picks font 11 afterwards;
    // the tolerance is 5 %.
    void follows_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QSize>("recorded");
        QTest::addColumn<QList<int>>("options");    // resize options, set in turn
        QTest::addColumn<QList<int>>("fontSizing"); // 0 off, 1 on, set in turn
        QTest::addColumn<QSize>("window");
        QTest::addColumn<Geometry>("expected");
        QTest::addColumn<double>("font");
        const QSize rec(10000, 5000), big(15000, 6000);
        const Geometry unchanged{1000, 500, 2000, 300}, scaled{1500, 600, 3000, 360};
        const Geometry keepBoth{1500, 600, 2000, 300};
        const auto row = [](const QString &name, QSize window, const Geometry &expected,
                            double font, QList<int> options = {}, QList<int> fontSizing = {},
                            Kind kind = Kind::Other, QSize recorded = QSize(10000, 5000)) {
            QTest::newRow(qPrintable(name))
                << kind << recorded << options << fontSizing << window << expected << font;
        };
        for (Kind kind : {Kind::Other, Kind::FixedHeightList}) {
            const QString k = kind == Kind::Other ? "move: " : "list: ";
            // Fonts follow the smaller ratio, 1.2.
            row(k + "scale both", big, scaled, 12, {}, {}, kind);
            row(k + "keep width", big, {1500, 600, 2000, 360}, 12, {1}, {}, kind);
            row(k + "keep height", big, {1500, 600, 3000, 300}, 12, {2}, {}, kind);
            row(k + "keep both", big, keepBoth, 12, {3}, {}, kind);
            row(k + "unknown value as 0", big, scaled, 12, {3, 7}, {}, kind);
            row(k + "beyond 16 bits keeps option", big, keepBoth, 12, {3, 32768}, {}, kind);
        }
        row("width ratio smaller", {8000, 7500}, {800, 750, 1600, 450}, 8);
        row("font sizing off keeps the font", big, scaled, 11, {}, {0});
        row("off and on again", big, scaled, 12, {}, {0, 1});
        // Within the tolerance the recorded geometry and font return, font sizing or not.
        row("recorded size, font sizing off", rec, unchanged, 10, {}, {0});
        row("upper edge of 5 %", {10500, 5000}, unchanged, 10);
        row("lower edge of 5 %", {9500, 5000}, unchanged, 10);
        row("above 5 %", {10600, 5000}, {1060, 500, 2120, 300}, 10);
        row("below 5 %", {9400, 5000}, {940, 500, 1880, 300}, 9.4);
        row("height outside 5 %", {10000, 5300}, {1000, 530, 2000, 318}, 10);
        // Without a ratio nothing is written at all: the user's font stays.
        row("collapsed width", {0, 5000}, unchanged, 11);
        row("recorded without height", big, unchanged, 11, {}, {}, Kind::Other, {10000, 0});
    }

    void follows()
    {
        QFETCH(Kind, kind);
        QFETCH(QSize, recorded);
        QFETCH(QList<int>, options);
        QFETCH(QList<int>, fontSizing);
        QFETCH(QSize, window);
        FakeWindow w;
        w.resizeTo(recorded.width(), recorded.height());
        w.controls << control("txt", 1000, 500, 2000, 300, 10.0, kind);
        ProportionalLayout engine(w);
        engine.setTolerancePercent(5);
        engine.recordWindow();
        for (int option : options)
            engine.setResizeOption("txt", option);
        for (int on : fontSizing)
            engine.setResizeOption("txt", 0, on == 1);
        w.controls[0].values[Property::FontSize] = 11.0;
        w.resizeTo(window.width(), window.height());
        engine.followWindow();
        QTEST(w.geometry(0), "expected");
        QTEST(w.value(0, Property::FontSize), "font");
        QCOMPARE(w.windowWrites, QStringList()); // the window itself is left as it is
    }

    void parked_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addRow("move") << Kind::Other;
        QTest::addRow("list") << Kind::FixedHeightList;
    }

    void parked()
    {
        QFETCH(Kind, kind);
        FakeWindow w;
        w.controls << control("lblhidden", -10000, 400, 500, 200, 10.0, kind);
        ProportionalLayout engine(w);
        engine.recordWindow();
        QCOMPARE(engine.controls().find("lblhidden")->left, 65000);
        // Once visible it still scales from the parking origin, not from 0.
        QList<double> seen;
        for (const QSize &size :
             {QSize(10000, 6000), QSize(12000, 5000), QSize(15000, 5000), QSize(10000, 5000)}) {
            w.resizeTo(size.width(), size.height());
            engine.followWindow();
            seen << w.value(0, Property::Left);
        }
        QCOMPARE(seen, QList<double>({-10000, 3000, 22500, -10000}));
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
        QTest::newRow("move refused") << Kind::Other << -1 << Geometry{1000, 500, 2000, 300};
    }

    void refusedSteps()
    {
        QFETCH(Kind, kind);
        QFETCH(int, refused);
        FakeWindow w;
        w.controls << control("cseite", 1000, 500, 2000, 300, 10.0, kind)
                   << control("after", 100, 100, 100, 100) << line("Line1", 1000, 3000, 500, 800);
        if (refused < 0)
            w.controls[0].refusesMove = true;
        else
            w.controls[0].refused.insert(Property(refused));
        ProportionalLayout engine(w);
        engine.recordWindow();
        w.resizeTo(15000, 6000);
        engine.followWindow();
        QTEST(w.geometry(0), "expected");
        QCOMPARE(w.value(0, Property::FontSize), 12.0);
        // The pass goes on; a line follows by its end points.
        QCOMPARE(w.geometry(1), Geometry({150, 120, 150, 120}));
        QCOMPARE(QList<double>({w.value(2, Property::X1), w.value(2, Property::X2),
                                w.value(2, Property::Y1), w.value(2, Property::Y2)}),
                 QList<double>({1500, 4500, 600, 960}));
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
        if (restore < 0) {
            w.resizeTo(10000, 5000);
            engine.followWindow();
        } else {
            engine.restoreRecordedLayout(restore == 1);
        }
        for (int i = 0; i < recorded.size(); ++i)
            QCOMPARE(w.controls.at(i).values, recorded.at(i).values);
        QTEST(w.windowWrites, "windowWrites");
    }

    // Keys are taken once; a control without a readable geometry, or created later, gets no
    // record and is left alone; one without a font is still placed.
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
        QCOMPARE(engine.controls().count(), 2);

        w.controls.removeAt(2); // keys are unique among the controls present at one time
        w.controls << control("later", 100, 200, 300, 400) << control("laterparked", -500, 0, 1, 1);
        w.controls[2].values[Property::FontSize] = 9.0; // a font given after the recording
        const QList<FakeControl> before = w.controls;
        w.resizeTo(20000, 10000);
        engine.followWindow();
        // Recorded as whole twips, halves to even, from a window of 10000 x 5000.
        QCOMPARE(w.geometry(0), Geometry({2000, 1000, 4004, 600}));
        QCOMPARE(w.value(0, Property::FontSize), 22.5);
        for (int i : {1, 3, 4})
            QCOMPARE(w.controls.at(i).values, before.at(i).values);
        QCOMPARE(w.geometry(2), Geometry({10, 10, 100, 100}));
        QCOMPARE(w.value(2, Property::FontSize), 9.0);
    }
};

QTEST_GUILESS_MAIN(tst_resize)
#include "tst_resize.moc"
