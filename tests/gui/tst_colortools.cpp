#include "gui/session.h"
#include "project/colortools.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>

using namespace askbright;
using namespace Qt::StringLiterals;
using testutil::child;

namespace {

const QStringList pageColors{u"#000000"_s, u"#FFFFFF"_s, u"#FF0000"_s, u"#800080"_s,
                             u"#0000FF"_s}; // text, background, active, visited, new

// The colour tools alone, in a window of their own, with the colours of a
// project read.
struct Tools : testutil::Kit {
    QWidget window;
    ColorTools tools{context, &window, &window};
    QSignalSpy painted{&tools, &ColorTools::elementPainted};
    QSignalSpy changed{&tools, &ColorTools::colorTextChanged};

    explicit Tools(const QStringList &colors = pageColors)
    {
        state.settings.soundsOn = true;
        tools.reset();
        tools.pauseSliders();
        for (int e = 0; e < ColorTools::ElementCount; ++e)
            tools.showColor(ColorTools::Element(e), colors.at(e));
        tools.retranslate(Language::German);
        window.show();
        painted.clear();
        changed.clear();
        sounds.played.clear();
    }

    template <typename T = QWidget> T *get(const char *name) { return child<T>(window, name); }
    void choose(ColorTools::Element e)
    {
        get<QRadioButton>(QStringLiteral("Option%1").arg(e + 1).toLatin1().constData())->click();
    }
    QString text(ColorTools::Element e) const { return tools.colorText(e); }
    QList<int> sliders()
    {
        return {get<QScrollBar>("scrollrot")->value(), get<QScrollBar>("scrollgruen")->value(),
                get<QScrollBar>("scrollblau")->value()};
    }
    // The colour last painted for element, invalid when none was.
    QColor lastPainted(ColorTools::Element e) const
    {
        for (qsizetype i = painted.size() - 1; i >= 0; --i)
            if (painted.at(i).at(0).value<ColorTools::Element>() == e)
                return painted.at(i).at(1).value<QColor>();
        return {};
    }
    QColor background(const char *name) { return get(name)->palette().color(QPalette::Window); }
};

} // namespace

class tst_colortools : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<ColorTools::Element>(); }

    // The element's colour goes onto the sliders, the mixed colour and the
    // preview; only the parts whose slider moves are rewritten.
    void choosingAnElement_data()
    {
        QTest::addColumn<QString>("fileColor");
        QTest::addColumn<QList<int>>("parts");
        QTest::addColumn<QString>("shown");
        QTest::newRow("every part moves") << u"#0a0b0c"_s << QList<int>{10, 11, 12} << u"#0A0B0C"_s;
        // The sliders stand at 0, 0, 255 (the link colour read last).
        QTest::newRow("red and blue stay")
            << u"#00a0ff"_s << QList<int>{0, 160, 255} << u"#00A0ff"_s;
    }

    void choosingAnElement()
    {
        QFETCH(QString, fileColor);
        QFETCH(QList<int>, parts);
        QStringList colors = pageColors;
        colors[ColorTools::TextColor] = fileColor;
        Tools t(colors);
        QVERIFY(!t.get("scrollrot")->isEnabled() && !t.get("cmdplus")->isEnabled());
        t.choose(ColorTools::TextColor);
        QCOMPARE(t.sounds.played, QStringList{u"edit"_s});
        QCOMPARE(t.sliders(), parts);
        QTEST(t.text(ColorTools::TextColor), "shown");
        const QColor color(parts[0], parts[1], parts[2]);
        QCOMPARE(t.lastPainted(ColorTools::TextColor), color);
        QCOMPARE(t.background("gesamtfarbe"), color);
        for (const char *tool : {"scrollblau", "cmdnorm", "cmdplus", "optsystem", "lblrot"})
            QVERIFY2(t.get(tool)->isEnabled(), tool);
    }

    // Each slider writes its own part of the colour text and its own swatch,
    // but after a project is read it moves no colour until an element is chosen.
    void slidersWriteTheirPart_data()
    {
        QTest::addColumn<QString>("part"); // of the slider's and the swatch's names
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("pure");
        QTest::newRow("red") << u"rot"_s << u"#0AFFFF"_s << QColor(10, 0, 0);
        QTest::newRow("green") << u"gruen"_s << u"#FF0AFF"_s << QColor(0, 10, 0);
        QTest::newRow("blue") << u"blau"_s << u"#FFFF0A"_s << QColor(0, 0, 10);
    }

    void slidersWriteTheirPart()
    {
        QFETCH(QString, part);
        QFETCH(QString, text);
        Tools t;
        auto *bar = t.get<QScrollBar>(("scroll" + part).toLatin1().constData());
        bar->setValue(7);
        for (int e = 0; e < ColorTools::ElementCount; ++e)
            QCOMPARE(t.text(ColorTools::Element(e)), pageColors.at(e));
        QCOMPARE(t.changed.size(), 0);
        t.choose(ColorTools::BgColor);
        t.changed.clear();
        bar->setValue(10);
        QCOMPARE(t.text(ColorTools::BgColor), text);
        QTEST(t.background(("lbl" + part).toLatin1().constData()), "pure");
        QCOMPARE(t.lastPainted(ColorTools::BgColor), QColor::fromString(text));
        QCOMPARE(t.changed.size(), 1);
        // The other colours stay.
        QCOMPARE(t.text(ColorTools::TextColor), pageColors[ColorTools::TextColor]);
    }

    void plusAndMinus_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("plus");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("result");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier;
        const int ctrl = shift | Qt::ControlModifier, alt = shift | Qt::AltModifier;
        QTest::newRow("plus, 255 stays") << u"#FE00FF"_s << true << none << u"#FF01FF"_s;
        QTest::newRow("minus, 0 stays") << u"#000105"_s << false << none << u"#000004"_s;
        QTest::newRow("shift minus from white") << u"#FFFFFF"_s << false << shift << u"#F3F3F3"_s;
        QTest::newRow("shift plus stops at 255") << u"#F8F0FF"_s << true << shift << u"#FFFCFF"_s;
        QTest::newRow("shift with ctrl: one step") << u"#000000"_s << true << ctrl << u"#010101"_s;
        QTest::newRow("shift with alt: one step") << u"#101010"_s << false << alt << u"#0F0F0F"_s;
    }

    void plusAndMinus()
    {
        QFETCH(QString, start);
        QFETCH(bool, plus);
        QFETCH(int, modifiers);
        QFETCH(QString, result);
        QStringList colors = pageColors;
        colors[ColorTools::VisitedLink] = start;
        Tools t(colors);
        t.choose(ColorTools::VisitedLink);
        QTest::mouseClick(t.get(plus ? "cmdplus" : "cmdminus"), Qt::LeftButton,
                          Qt::KeyboardModifiers(modifiers));
        QCOMPARE(t.text(ColorTools::VisitedLink), result);
        QCOMPARE(t.lastPainted(ColorTools::VisitedLink), QColor::fromString(result));
    }

    // The palette button steps through the sixteen standard colours and starts again.
    void standardColorsCycle()
    {
        Tools t;
        t.choose(ColorTools::ActiveLink);
        QStringList shown;
        for (int i = 0; i < 17; ++i) {
            t.get<Button3D>("cmdnorm")->click();
            shown << t.text(ColorTools::ActiveLink);
        }
        QStringList expected(StandardColors.begin(), StandardColors.end());
        expected << StandardColors.front();
        QCOMPARE(shown, expected);
        QCOMPARE(t.sliders(), (QList<int>{0, 0, 0}));
    }

    void systemColorDialog()
    {
        Tools t;
        t.choose(ColorTools::NewLink);
        t.dialogs.colors << std::nullopt << qint32(0x0C0B0A) << std::nullopt;
        t.get<QRadioButton>("optsystem")->click(); // cancelled: nothing changes
        QCOMPARE(t.text(ColorTools::NewLink), pageColors[ColorTools::NewLink]);
        t.get<QRadioButton>("optsystem")->click();
        QCOMPARE(t.text(ColorTools::NewLink), u"#0A0B0C"_s);
        QCOMPARE(t.sliders(), (QList<int>{10, 11, 12}));
        QCOMPARE(t.lastPainted(ColorTools::NewLink), QColor(10, 11, 12));
        QVERIFY(t.get<QRadioButton>("opthand")->isChecked());
        // The sliders act again, and the dialog opens with the colour it returned.
        t.get<QScrollBar>("scrollrot")->setValue(255);
        QCOMPARE(t.text(ColorTools::NewLink), u"#FF0B0C"_s);
        t.get<QRadioButton>("optsystem")->click();
        QCOMPARE(t.dialogs.colorRequests, (QList<qint32>{0, 0, 0x0C0B0A}));
        QVERIFY(t.errors.reports.isEmpty());
    }

    // The background colour lets the picture go; the picture option turns
    // the slider tools off and hands the choice to the editor.
    void backgroundAndPicture()
    {
        Tools t;
        QSignalSpy dropped(&t.tools, &ColorTools::backgroundColorChosen);
        int chooserRuns = 0;
        t.tools.setPictureChooser([&] { ++chooserRuns; });
        t.choose(ColorTools::TextColor);
        QCOMPARE(dropped.size(), 0);
        t.choose(ColorTools::BgColor);
        QCOMPARE(dropped.size(), 1);
        auto *picture = t.get<QRadioButton>("Option6");
        picture->click();
        QCOMPARE(chooserRuns, 1);
        QVERIFY(!t.get<QRadioButton>("Option2")->isChecked());
        QVERIFY(picture->isChecked()); // until a picture is taken
        for (const char *off : {"scrollrot", "scrollblau", "lblgruen", "optsystem", "opthand"})
            QVERIFY2(!t.get(off)->isEnabled(), off);
        QVERIFY(t.get("cmdplus")->isEnabled());
        t.tools.pictureTaken();
        QVERIFY(!picture->isChecked());
    }

    // Each text and link colour's contrast with the background: one decimal
    // cut off (never rounded up to 4.5), marked red with a sign and a tip
    // below 4.5:1. The ratio itself is the contrast module's.
    void contrastLabels()
    {
        // Either side of 4.5.
        Tools t({u"#777777"_s, u"#FFFFFF"_s, u"#767676"_s, u"#000000"_s, u"#FFFFFF"_s});
        QStringList seen;
        for (const char *name : {"textContrastLabel", "newLinkContrastLabel",
                                 "visitedLinkContrastLabel", "activeLinkContrastLabel"}) {
            auto *label = t.get<QLabel>(name);
            QCOMPARE(label->parentWidget(), &t.window);
            const bool red = label->palette().color(QPalette::WindowText) == QColor(Qt::red);
            QCOMPARE(label->text().endsWith(u"\u26A0"_s), red);
            QCOMPARE(label->toolTip().isEmpty(), !red);
            seen << label->text().section(u' ', 1, 1) + (red ? u"*"_s : QString());
        }
        // Text, new, visited, active; * marked.
        QCOMPARE(seen, (QStringList{u"4.4:1*"_s, u"1.0:1*"_s, u"21.0:1"_s, u"4.5:1"_s}));
    }
};

QTEST_MAIN(tst_colortools)
#include "tst_colortools.moc"
