#include "controls/button3d.h"
#include "controls/qtdialogservice.h"
#include "gui/scripteddialogs.h"
#include "testutil.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QMainWindow>
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

    // The keyboard focus shows in the caption colour, whatever the face.
    void focusShows()
    {
        QWidget window;
        Button3D button(QStringLiteral("OK"), &window);
        button.setGeometry(0, 0, 100, 30);
        button.setFaceColor(0x000080);
        button.setCaptionColor(0x00FFFF);
        window.show();
        auto captionPixels = [&] {
            const QImage image = button.grab().toImage();
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += image.pixelColor(x, y) == QColor(Qt::yellow);
            return count;
        };
        const int unfocused = captionPixels();
        button.setFocus();
        QTRY_VERIFY(button.hasFocus());
        QVERIFY(captionPixels() > unfocused + 60);
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
        QTEST(QtDialogService::nameFilters(filter), "expected");
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

    // The font dialog returns the font and the text colour chosen beside it;
    // left as it opened, the start font. Steps, one a moment: "font" picks
    // DejaVu Sans 14 bold, "colour" red beside it, "ok", "cancel", "return"
    // (Return in the font name box).
    void fontDialogWithColour_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("name"); // "": cancelled
        QTest::addColumn<double>("size");
        QTest::addColumn<qint32>("color");
        QTest::newRow("font and colour")
            << QStringList{"font", "colour", "ok"} << "DejaVu Sans" << 14.0 << 0x0000FF;
        QTest::newRow("cancelled") << QStringList{"font", "colour", "cancel"} << "" << 0.0 << 0;
        QTest::newRow("unchanged: the start font, not its stand-in")
            << QStringList{"ok"} << "Arial" << 11.25 << 0x00FF00;
        QTest::newRow("Return in the font name box is OK")
            << QStringList{"font", "return"} << "DejaVu Sans" << 14.0 << 0x00FF00;
    }

    void fontDialogWithColour()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, name);
        QFETCH(double, size);
        QFETCH(qint32, color);
        QtDialogService service(QStringLiteral("Askbright"));
        QString shownFamily;
        QTimer poll; // answers whatever modal window is up, until the test ends
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *colours = qobject_cast<QColorDialog *>(modal)) {
                colours->setCurrentColor(Qt::red);
                QMetaObject::invokeMethod(colours, "accept", Qt::QueuedConnection);
                return;
            }
            if (!modal || modal->objectName() != QLatin1String("fontDialog"))
                return;
            auto *page = modal->findChild<QFontDialog *>();
            if (shownFamily.isEmpty())
                shownFamily = page->currentFont().family();
            auto *box = modal->findChild<QDialogButtonBox *>();
            // Still open after the last step: given up.
            const QString step = steps.isEmpty() ? QStringLiteral("cancel") : steps.takeFirst();
            if (step == QLatin1String("font"))
                page->setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 14, QFont::Bold));
            else if (step == QLatin1String("return"))
                QTest::keyClick(page->findChild<QLineEdit *>()->focusProxy(), Qt::Key_Return);
            else
                QMetaObject::invokeMethod(
                    step == QLatin1String("colour") ? modal->findChild<QPushButton *>("colorButton")
                    : step == QLatin1String("ok")   ? box->button(QDialogButtonBox::Ok)
                                                    : box->button(QDialogButtonBox::Cancel),
                    "click", Qt::QueuedConnection);
        });
        poll.start(50);
        const std::optional<FontChoice> chosen =
            service.showFontDialog({QStringLiteral("Arial"), 11.25, false, false, true, 0x00FF00});
        // Arial, where not installed, shows as what the system draws instead.
        QCOMPARE(shownFamily, QFontInfo(QFont(QStringLiteral("Arial"))).family());
        QCOMPARE(chosen.has_value(), !name.isEmpty());
        if (!chosen)
            return;
        QCOMPARE(chosen->name, name);
        QCOMPARE(chosen->size, size);
        QCOMPARE(chosen->bold, size == 14.0);
        QCOMPARE(chosen->color, color);
    }

    void messageBoxAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title"); // "": the application's
        QTest::newRow("enter, default cancel") << int(MessageButtons::YesNoCancel) << 3
                                               << int(Qt::Key_Return) << int(AnswerCancel) << "";
        QTest::newRow("enter, default no")
            << int(MessageButtons::YesNo) << 2 << int(Qt::Key_Return) << int(AnswerNo) << "";
        QTest::newRow("escape is no") << int(MessageButtons::YesNo) << 1 << int(Qt::Key_Escape)
                                      << int(AnswerNo) << "Berichtigung der EMailadresse!";
        QTest::newRow("escape is cancel")
            << int(MessageButtons::OkCancel) << 1 << int(Qt::Key_Escape) << int(AnswerCancel) << "";
    }

    void messageBoxAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, key);
        QFETCH(int, answer);
        QFETCH(QString, title);
        QtDialogService service(QStringLiteral("Askbright"));
        // The main window while none is active yet, as at start-up: the box
        // belongs to it, and it has the keys again when the box closes.
        QMainWindow main;
        auto *field = new QLineEdit(&main);
        main.setCentralWidget(field);
        field->setFocus();
        main.setAttribute(Qt::WA_ShowWithoutActivating);
        main.show();
        QString shown;
        QWidget *parent = nullptr;
        bool titleFits = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            parent = box->parentWidget();
            // Room for the bold title and the title bar's icon and buttons.
            QFont bold = box->font();
            bold.setBold(true);
            titleFits =
                box->width() >= QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100;
            QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(
            service.showMessage({QStringLiteral("Zeile 1\rZeile 2"), title, MessageButtons(buttons),
                                 MessageIcon::Question, defaultButton}),
            answer);
        QCOMPARE(shown, (title.isEmpty() ? QStringLiteral("Askbright") : title) +
                            QStringLiteral("|Zeile 1\nZeile 2"));
        QCOMPARE(parent, &main);
        QVERIFY(titleFits);
        QTRY_VERIFY(field->hasFocus());
    }

    // A save dialog adds the filter's extension to a name typed without one,
    // unless told not to.
    void saveDialogExtension_data()
    {
        QTest::addColumn<bool>("addExtension");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("added") << true << "schema.sch";
        QTest::newRow("as typed") << false << "schema";
    }

    void saveDialogExtension()
    {
        QFETCH(bool, addExtension);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        QtDialogService service(QStringLiteral("Askbright"));
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText("schema");
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        const std::optional<QString> path =
            service.showFileDialog({FileDialogKind::Save,
                                    {},
                                    dir.path(),
                                    {},
                                    QStringLiteral("Farbschema (*.sch)|*.sch"),
                                    1,
                                    DialogFlags::Save,
                                    addExtension});
        QCOMPARE(path, std::optional<QString>(dir.filePath(chosen)));
    }
};

QTEST_MAIN(tst_controls)
#include "tst_controls.moc"
