#include "controls/button3d.h"
#include "controls/qtdialogservice.h"
#include "gui/scripteddialogs.h"
#include "testutil.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
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

    // The save dialog asks before a new file is created; No shows the dialog again.
    void saveDialogAsksBeforeCreating_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("new file, yes") << int(QMessageBox::Yes) << false << true;
        QTest::newRow("new file, no, then cancel") << int(QMessageBox::No) << false << false;
        QTest::newRow("existing file: no question") << 0 << true << true;
    }

    void saveDialogAsksBeforeCreating()
    {
        QFETCH(int, answer);
        QFETCH(bool, exists);
        QFETCH(bool, chosen);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("neu.faq"));
        if (exists)
            QVERIFY(testutil::writeBytes(path, "x"));
        QtDialogService service(QStringLiteral("Askbright"), [] { return Language::English; });
        QStringList seen;
        int fileDialogs = 0;
        QTimer poll; // answers whatever modal window is up, until the test ends
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                // The dialog's own overwrite question is answered Yes.
                const bool ours = box->text().contains(QStringLiteral("does not exist"));
                if (ours)
                    seen << box->text();
                QMetaObject::invokeMethod(
                    box->button(ours ? QMessageBox::StandardButton(answer) : QMessageBox::Yes),
                    "click", Qt::QueuedConnection);
            } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
                if (++fileDialogs == 1) {
                    files->selectFile(path);
                    QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
                } else {
                    files->reject();
                }
            }
        });
        poll.start(50);
        const std::optional<QString> result =
            service.showFileDialog({FileDialogKind::Save,
                                    QStringLiteral("Speichern"),
                                    dir.path(),
                                    {},
                                    QStringLiteral("FAQ_Datei (*.faq)|*.faq"),
                                    1,
                                    DialogFlags::Save});
        QCOMPARE(result.has_value(), chosen);
        if (chosen)
            QCOMPARE(*result, QDir::toNativeSeparators(path));
        QCOMPARE(seen, exists ? QStringList()
                              : QStringList{QStringLiteral(
                                    "neu.faq does not exist.\nDo you want to create the file?")});
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
        QtDialogService service(QStringLiteral("Askbright"), [] { return Language::German; });
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
