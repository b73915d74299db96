#include "controls/button3d.h"
#include "controls/qtdialogservice.h"
#include "gui/scripteddialogs.h"
#include "testutil.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace askbright;

class tst_controls : public QObject {
    Q_OBJECT
private slots:
    void mouseDownComesBeforeClick()
    {
        Button3D button(QStringLiteral("+"));
        button.show();
        QStringList events;
        connect(&button, &Button3D::mouseDown, this,
                [&](Qt::MouseButton b, Qt::KeyboardModifiers m) {
                    events << QStringLiteral("down %1 %2").arg(int(b)).arg(int(m));
                });
        connect(&button, &QPushButton::clicked, this, [&] { events << QStringLiteral("click"); });
        QTest::mouseClick(&button, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(events, (QStringList{QStringLiteral("down 1 %1").arg(int(Qt::ShiftModifier)),
                                      QStringLiteral("click")}));
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("one pair") << "FAQ_Datei (*.faq)|*.faq" << QStringList{"FAQ_Datei (*.faq)"};
        QTest::newRow("two patterns") << "Bilder|*.jpg;*.gif|Alle (*.*)|*.*"
                                      << QStringList{"Bilder (*.jpg *.gif)", "Alle (*.*)"};
        QTest::newRow("dangling description")
            << "Seiten|*.pdt|Rest" << QStringList{"Seiten (*.pdt)"};
    }

    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(QtDialogService::nameFilters(filter), expected);
    }

    void commonDialogKeepsItsValues()
    {
        testutil::ScriptedDialogService service;
        CommonDialog dialog(service);
        dialog.dialogTitle = QStringLiteral("Titel");
        dialog.initDir = QStringLiteral("/data");
        service.files << QStringLiteral("/data/a.faq");
        QVERIFY(dialog.showSave());
        // A later use without new values shows the old ones; a cancel keeps the file name.
        QVERIFY(!dialog.showOpen());
        const FileDialogRequest second{FileDialogKind::Open,
                                       QStringLiteral("Titel"),
                                       QStringLiteral("/data"),
                                       QStringLiteral("/data/a.faq"),
                                       {},
                                       1,
                                       0};
        QCOMPARE(service.fileRequests.value(1), second);
        QCOMPARE(dialog.fileName, QStringLiteral("/data/a.faq"));
    }

    // Saving to a new file asks first; No shows the dialog again.
    void saveAsksBeforeCreating_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("dialogs");
        QTest::addColumn<bool>("chosen");
        const int save = DialogFlags::Save;
        QTest::newRow("new file, yes") << save << false << QList<int>{AnswerYes} << 1 << true;
        QTest::newRow("new file, no, then cancel")
            << save << false << QList<int>{AnswerNo} << 2 << false;
        QTest::newRow("existing file") << save << true << QList<int>{} << 1 << true;
        QTest::newRow("no create prompt flag")
            << (save & ~DialogFlags::CreatePrompt) << false << QList<int>{} << 1 << true;
    }

    void saveAsksBeforeCreating()
    {
        QFETCH(int, flags);
        QFETCH(bool, exists);
        QFETCH(QList<int>, answers);
        QFETCH(int, dialogs);
        QFETCH(bool, chosen);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("neu.faq"));
        if (exists)
            QVERIFY(testutil::writeBytes(path, "x"));
        testutil::ScriptedDialogService service;
        service.files << path; // then nothing: the second dialog is cancelled
        service.answers = answers;
        CommonDialog dialog(service, [] { return Language::English; });
        dialog.dialogTitle = QStringLiteral("Speichern");
        dialog.flags = flags;
        QCOMPARE(dialog.showSave(), chosen);
        QCOMPARE(service.fileRequests.size(), dialogs);
        QCOMPARE(service.messages.size(), answers.size());
        if (!answers.isEmpty())
            QCOMPARE(service.messages.first(),
                     (Message{QStringLiteral("neu.faq does not exist.\rDo you want to create the "
                                             "file?"),
                              QStringLiteral("Speichern"), MessageButtons::YesNo,
                              MessageIcon::Question, 1}));
    }

    // The font dialog returns the font and the text colour chosen beside it.
    void fontDialogWithColour_data()
    {
        QTest::addColumn<bool>("pickColour");
        QTest::addColumn<bool>("accept");
        QTest::newRow("font only") << false << true;
        QTest::newRow("font and colour") << true << true;
        QTest::newRow("cancelled") << true << false;
    }

    void fontDialogWithColour()
    {
        QFETCH(bool, pickColour);
        QFETCH(bool, accept);
        QtDialogService service(QStringLiteral("Askbright"));
        bool colourPicked = false;
        QTimer poll; // answers whatever modal window is up, until the test ends
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *colours = qobject_cast<QColorDialog *>(modal)) {
                colours->setCurrentColor(Qt::red);
                colourPicked = true;
                QMetaObject::invokeMethod(colours, "accept", Qt::QueuedConnection);
            } else if (modal && modal->objectName() == QLatin1String("fontDialog")) {
                modal->findChild<QFontDialog *>()->setCurrentFont(
                    QFont(QStringLiteral("DejaVu Sans"), 14, QFont::Bold));
                if (pickColour && !colourPicked) {
                    QMetaObject::invokeMethod(modal->findChild<QPushButton *>("colorButton"),
                                              "click", Qt::QueuedConnection);
                    return;
                }
                auto *box = modal->findChild<QDialogButtonBox *>();
                QMetaObject::invokeMethod(
                    box->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel), "click",
                    Qt::QueuedConnection);
            }
        });
        poll.start(50);
        const std::optional<FontChoice> chosen =
            service.showFontDialog({QStringLiteral("Arial"), 11.25, false, false, true, 0x00FF00});
        QCOMPARE(chosen.has_value(), accept);
        if (!accept)
            return;
        QCOMPARE(chosen->name, QStringLiteral("DejaVu Sans"));
        QCOMPARE(chosen->size, 14.0);
        QVERIFY(chosen->bold);
        QCOMPARE(chosen->color, pickColour ? 0x0000FF : 0x00FF00);
    }

    void messageBoxAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("enter, default cancel")
            << int(MessageButtons::YesNoCancel) << 3 << int(Qt::Key_Return) << int(AnswerCancel);
        QTest::newRow("enter, default no")
            << int(MessageButtons::YesNo) << 2 << int(Qt::Key_Return) << int(AnswerNo);
        QTest::newRow("escape is no")
            << int(MessageButtons::YesNo) << 1 << int(Qt::Key_Escape) << int(AnswerNo);
        QTest::newRow("escape is cancel")
            << int(MessageButtons::OkCancel) << 1 << int(Qt::Key_Escape) << int(AnswerCancel);
    }

    void messageBoxAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(int, answer);
        QtDialogService service(QStringLiteral("Askbright"));
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(service.showMessage({QStringLiteral("Zeile 1\rZeile 2"),
                                      {},
                                      MessageButtons(buttons),
                                      MessageIcon::Question,
                                      defaultButton}),
                 answer);
        QCOMPARE(shown, QStringLiteral("Askbright|Zeile 1\nZeile 2"));
    }
};

QTEST_MAIN(tst_controls)
#include "tst_controls.moc"
