#include "app/paths.h"
#include "app/placement.h"
#include "app/schemepainter.h"
#include "gui/session.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace askbright;
using testutil::Session;

class tst_kit : public QObject {
    Q_OBJECT
private slots:
    void guardActsOnTheAnswer_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("database"); // "": none, "new": never saved, else a file
        QTest::addColumn<bool>("ended");
        QTest::addColumn<QString>("recovery"); // expected recovery file name, "" for none
        QTest::newRow("next statement") << int(NextStatement) << "a.faq" << false << "";
        QTest::newRow("leave procedure") << int(LeaveProcedure) << "a.faq" << false << "";
        QTest::newRow("end, nothing unsaved") << int(EndProgram) << "" << true << "";
        QTest::newRow("end, unsaved file")
            << int(EndProgram) << "a.faq" << true << "a-recovery.faq";
        QTest::newRow("end, never saved")
            << int(EndProgram) << "new" << true << "unsaved-recovery.faq";
    }

    void guardActsOnTheAnswer()
    {
        QFETCH(int, answer);
        QFETCH(QString, database);
        QFETCH(bool, ended);
        QFETCH(QString, recovery);
        Session s;
        QByteArray onDisk;
        if (database == QLatin1String("new")) {
            s.w().onNewDatabaseTriggered();
        } else if (!database.isEmpty()) {
            s.open(s.writeDatabase(database, 2));
            onDisk = testutil::readBytes(s.path(database));
        }
        if (!database.isEmpty())
            s.type(QStringLiteral("typed, not committed"), QStringLiteral("A"));
        // A recent-files list of nine entries cannot be read: error 9 in "historie".
        testutil::writeBytes(s.state.recentFilesPath(), QByteArray("x\r\n").repeated(9));
        s.errors.answers << answer;
        s.w().refreshRecentFiles();

        QCOMPARE(s.errors.reports, QStringList{QStringLiteral("frm1/historie/9")});
        QCOMPARE(s.programEnded, ended ? 1 : 0);
        if (!database.isEmpty() && database != QLatin1String("new"))
            QCOMPARE(testutil::readBytes(s.path(database)), onDisk);
        QCOMPARE(QDir(s.dir.path()).entryList({QStringLiteral("*-recovery*")}, QDir::Files),
                 recovery.isEmpty() ? QStringList() : QStringList{recovery});
        QCOMPARE(s.dialogs.messages.size(), recovery.isEmpty() ? 0 : 1);
        if (recovery.isEmpty())
            return;
        // The record being edited is kept too, and the message names the file.
        QCOMPARE(faq_einlesen(s.path(recovery)).value(0).question,
                 QStringLiteral("typed, not committed"));
        QVERIFY(s.dialogs.messages.first().text.contains(s.path(recovery)));
    }

    void endingWhenRecoveryFails_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("no: keep running") << int(AnswerNo);
        QTest::newRow("yes: end all the same") << int(AnswerYes);
    }

    void endingWhenRecoveryFails()
    {
        QFETCH(int, answer);
        Session s;
        QVERIFY(QDir(s.dir.path()).mkdir(QStringLiteral("sub")));
        s.open(s.writeDatabase(QStringLiteral("sub/a.faq"), 2));
        s.type(QStringLiteral("changed"), QStringLiteral("A"));
        QVERIFY(QDir(s.path(QStringLiteral("sub"))).removeRecursively());
        testutil::writeBytes(s.state.recentFilesPath(), QByteArray("x\r\n").repeated(9));
        s.errors.answers << EndProgram;
        s.dialogs.answers << answer;
        s.w().refreshRecentFiles();
        QCOMPARE(s.dialogs.messages.size(), 1);
        QVERIFY(s.dialogs.messages.first().text.endsWith(QStringLiteral("\rTrotzdem beenden?")));
        QCOMPARE(s.programEnded, answer == AnswerYes ? 1 : 0);
        QVERIFY(s.state.database.hasUnsavedChanges());
    }

    void qtTextsFollowTheLanguage()
    {
        Session s;
        auto yesText = [] {
            QMessageBox box;
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            return box.button(QMessageBox::Yes)->text();
        };
        QCOMPARE(yesText(), QStringLiteral("&Ja"));
        s.w().onEnglishTriggered();
        QCOMPARE(yesText(), QStringLiteral("&Yes"));
        s.w().onGermanTriggered();
        QCOMPARE(yesText(), QStringLiteral("&Ja"));
    }

    void modalWindowLeavesTheTopmostBand()
    {
        Session s;
        s.w().onAlwaysOnTopTriggered();
        QDialog dialog(&s.w());
        bool ownerOnTopMeanwhile = true;
        QTimer::singleShot(0, &dialog, [&] {
            ownerOnTopMeanwhile = s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            dialog.accept();
        });
        QCOMPARE(s.context.showModal(&s.w(), dialog), int(QDialog::Accepted));
        QVERIFY(!ownerOnTopMeanwhile);
        QVERIFY(s.w().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(s.w().isVisible());
    }

    // The preview beside the export dialog: never over its owner while the screen has room
    // (the offscreen platform's, 800 pixels wide).
    void placeBeside_data()
    {
        QTest::addColumn<int>("ownerLeft"); // from the screen's left edge
        QTest::addColumn<int>("ownerWidth");
        QTest::addColumn<int>("minWidth");
        QTest::addColumn<int>("expectedLeft");
        QTest::addColumn<int>("expectedWidth");
        QTest::newRow("room on the right") << 0 << 200 << 200 << 207 << 300;
        QTest::newRow("room on the left only") << 500 << 200 << 200 << 192 << 300;
        QTest::newRow("narrowed to the larger side") << 300 << 300 << 200 << 0 << 292;
        QTest::newRow("no room: least width, on screen") << 50 << 700 << 360 << 440 << 360;
    }

    void placeBeside()
    {
        QFETCH(int, ownerLeft);
        QFETCH(int, ownerWidth);
        QFETCH(int, minWidth);
        QWidget owner, window;
        const QRect area = owner.screen()->availableGeometry();
        owner.setGeometry(area.left() + ownerLeft, area.top() + 40, ownerWidth, 100);
        window.resize(300, 200);
        askbright::placeBeside(&window, &owner, minWidth);
        QTEST(window.width(), "expectedWidth");
        QTEST(window.x() - area.left(), "expectedLeft");
        QCOMPARE(window.y(), area.top() + 40);
        QVERIFY(area.contains(window.frameGeometry()));
    }

    // A disabled button keeps the disabled look whatever its caption colour.
    void disabledCaptionKeepsItsLook()
    {
        ColorScheme scheme;
        scheme[ColorScheme::buttonFontColor] = 0x808080;
        Button3D button;
        paintWithScheme(&button, SchemeRole::ButtonCaption, scheme);
        QCOMPARE(button.captionColor(), std::optional<qint32>(0x808080));
        QCOMPARE(button.palette().color(QPalette::Active, QPalette::ButtonText),
                 QColor(0x80, 0x80, 0x80));
        QVERIFY(button.palette().color(QPalette::Disabled, QPalette::ButtonText) !=
                QColor(0x80, 0x80, 0x80));
    }
};

QTEST_MAIN(tst_kit)
#include "tst_kit.moc"
