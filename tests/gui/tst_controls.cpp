#include "app/apperror.h"
#include "controls/button3d.h"
#include "controls/colorvalue.h"
#include "controls/qtdialogservice.h"
#include "gui/scripteddialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace askbright;

class tst_controls : public QObject {
    Q_OBJECT
private slots:
    void mouseDownComesBeforeClick();
    void buttonColoursTakeEffectAtOnce();
    void nameFilters_data();
    void nameFilters();
    void commonDialogKeepsItsValues();
    void messageBoxAnswers_data();
    void messageBoxAnswers();
};

void tst_controls::mouseDownComesBeforeClick()
{
    Button3D button(QStringLiteral("+"));
    button.resize(40, 30);
    button.show();
    QStringList events;
    Qt::KeyboardModifiers seen;
    connect(&button, &Button3D::mouseDown, this,
            [&](Qt::MouseButton b, Qt::KeyboardModifiers m) {
                events << QStringLiteral("down %1").arg(int(b));
                seen = m;
            });
    connect(&button, &QPushButton::clicked, this, [&] { events << QStringLiteral("click"); });
    QTest::mouseClick(&button, Qt::LeftButton, Qt::ShiftModifier);
    QCOMPARE(events, (QStringList{"down 1", "click"}));
    QCOMPARE(seen, Qt::KeyboardModifiers(Qt::ShiftModifier));
}

void tst_controls::buttonColoursTakeEffectAtOnce()
{
    Button3D button;
    button.setCaptionColor(0x0000FF);
    button.setFaceColor(lightGrey);
    QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    QCOMPARE(button.palette().color(QPalette::Button), QColor(0xE0, 0xE0, 0xE0));
    QCOMPARE(button.captionColor(), std::optional<qint32>(0x0000FF));
}

void tst_controls::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("one pair") << "FAQ_Datei (*.faq)|*.faq" << QStringList{"FAQ_Datei (*.faq)"};
    QTest::newRow("description without pattern")
        << "Bilder|*.jpg;*.gif|Alle (*.*)|*.*" << QStringList{"Bilder (*.jpg *.gif)", "Alle (*.*)"};
    QTest::newRow("dangling description dropped") << "Seiten|*.pdt|Rest" << QStringList{"Seiten (*.pdt)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void tst_controls::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(QtDialogService::nameFilters(filter), expected);
}

void tst_controls::commonDialogKeepsItsValues()
{
    testutil::ScriptedDialogService service;
    CommonDialog dialog(service);
    dialog.dialogTitle = QStringLiteral("Titel");
    dialog.initDir = QStringLiteral("/data");
    dialog.flags = 0x202006;
    service.files << QStringLiteral("/data/a.faq");
    dialog.showSave();
    QCOMPARE(dialog.fileName, QStringLiteral("/data/a.faq"));
    // A second use without new values shows the old title and folder.
    try {
        dialog.showOpen();
        QFAIL("a cancelled dialog must throw");
    } catch (const AppError &e) {
        QCOMPARE(e.number(), int(AppError::Cancelled));
    }
    QCOMPARE(service.fileRequests.size(), 2);
    QCOMPARE(service.fileRequests[1].title, QStringLiteral("Titel"));
    QCOMPARE(service.fileRequests[1].initDir, QStringLiteral("/data"));
    QCOMPARE(service.fileRequests[1].fileName, QStringLiteral("/data/a.faq"));
    QCOMPARE(service.fileRequests[1].kind, FileDialogKind::Open);
    QCOMPARE(dialog.fileName, QStringLiteral("/data/a.faq"));
}

void tst_controls::messageBoxAnswers_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    QTest::newRow("enter on default cancel") << int(MessageButtons::YesNoCancel) << 3
                                             << int(Qt::Key_Return) << int(AnswerCancel);
    QTest::newRow("enter on default no") << int(MessageButtons::YesNo) << 2 << int(Qt::Key_Return)
                                         << int(AnswerNo);
    QTest::newRow("escape is no") << int(MessageButtons::YesNo) << 1 << int(Qt::Key_Escape)
                                  << int(AnswerNo);
    QTest::newRow("escape is cancel") << int(MessageButtons::OkCancel) << 1
                                      << int(Qt::Key_Escape) << int(AnswerCancel);
    QTest::newRow("enter on ok") << int(MessageButtons::Ok) << 1 << int(Qt::Key_Return)
                                 << int(AnswerOk);
}

void tst_controls::messageBoxAnswers()
{
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, key);
    QFETCH(int, answer);
    QtDialogService service(QStringLiteral("Askbright"));
    QString title, text;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        QTest::keyClick(box, Qt::Key(key));
    });
    const int result = service.showMessage(
        {QStringLiteral("Zeile 1\rZeile 2"), {}, MessageButtons(buttons), MessageIcon::Question,
         defaultButton});
    QCOMPARE(result, answer);
    QCOMPARE(title, QStringLiteral("Askbright"));
    QCOMPARE(text, QStringLiteral("Zeile 1\nZeile 2"));
}

QTEST_MAIN(tst_controls)
#include "tst_controls.moc"
