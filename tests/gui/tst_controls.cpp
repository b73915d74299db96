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
            const QImage image = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
            const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
            return std::count(pixels, pixels + image.width() * image.height(), qRgb(255, 255, 0));
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
        QCOMPARE(
            service.fileRequests.value(1),
            (FileDialogRequest{FileDialogKind::Open, "Titel", "/data", "/data/a.faq", {}, 1, 0}));
        QCOMPARE(dialog.fileName, "/data/a.faq");
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("neu.faq"));
        if (exists)
            QVERIFY(testutil::writeBytes(path, "x"));
        testutil::ScriptedDialogService service;
        service.files << path; // then nothing: the second dialog is cancelled
        service.answers = answers;
        CommonDialog dialog(service, [] { return Language::English; });
        dialog.dialogTitle = "Speichern";
        dialog.flags = flags;
        QTEST(dialog.showSave(), "chosen");
        QTEST(int(service.fileRequests.size()), "dialogs");
        const Message ask{"neu.faq does not exist.\rDo you want to create the file?", "Speichern",
                          MessageButtons::YesNo, MessageIcon::Question, 1};
        QCOMPARE(service.messages, QList<Message>(answers.size(), ask));
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
            // Still open after the last step: given up.
            const QString step = steps.isEmpty() ? QStringLiteral("cancel") : steps.takeFirst();
            const auto ok = step == u"ok" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
            if (step == u"font")
                page->setCurrentFont(QFont("DejaVu Sans", 14, QFont::Bold));
            else if (step == u"return")
                QTest::keyClick(page->findChild<QLineEdit *>()->focusProxy(), Qt::Key_Return);
            else
                QMetaObject::invokeMethod(step == u"colour"
                                              ? modal->findChild<QPushButton *>("colorButton")
                                              : modal->findChild<QDialogButtonBox *>()->button(ok),
                                          "click", Qt::QueuedConnection);
        });
        poll.start(50);
        const auto chosen = service.showFontDialog({"Arial", 11.25, false, false, true, 0x00FF00});
        // Arial, where not installed, shows as what the system draws instead.
        QCOMPARE(shownFamily, QFontInfo(QFont("Arial")).family());
        QCOMPARE(chosen.has_value(), !name.isEmpty());
        if (!chosen)
            return;
        QCOMPARE(chosen->name, name);
        QCOMPARE(chosen->size, size);
        QCOMPARE(chosen->bold, size == 14.0);
        QTEST(chosen->color, "color");
    }

    void messageBoxAnswers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("title"); // "": the application's
        const int yesNo = int(MessageButtons::YesNo), enter = Qt::Key_Return, esc = Qt::Key_Escape;
        QTest::newRow("enter, default cancel")
            << int(MessageButtons::YesNoCancel) << 3 << enter << int(AnswerCancel) << "";
        QTest::newRow("enter, default no") << yesNo << 2 << enter << int(AnswerNo) << "";
        QTest::newRow("escape is no")
            << yesNo << 1 << esc << int(AnswerNo) << "Berichtigung der EMailadresse!";
        QTest::newRow("escape is cancel")
            << int(MessageButtons::OkCancel) << 1 << esc << int(AnswerCancel) << "";
    }

    void messageBoxAnswers()
    {
        QFETCH(int, buttons);
        QFETCH(int, defaultButton);
        QFETCH(int, key);
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
        QTEST(service.showMessage({"Zeile 1\rZeile 2", title, MessageButtons(buttons),
                                   MessageIcon::Question, defaultButton}),
              "answer");
        QCOMPARE(shown, (title.isEmpty() ? "Askbright" : title) + "|Zeile 1\nZeile 2");
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
            dialog->findChild<QLineEdit *>("fileNameEdit")->setText("schema");
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        const FileDialogRequest save{
            FileDialogKind::Save,       {}, dir.path(),        {},
            "Farbschema (*.sch)|*.sch", 1,  DialogFlags::Save, addExtension};
        QCOMPARE(service.showFileDialog(save), std::optional<QString>(dir.filePath(chosen)));
    }
};

QTEST_MAIN(tst_controls)
#include "tst_controls.moc"
