#include "app/apperror.h"
#include "app/interfacetexts.h"

#include <QSet>
#include <QTest>

using namespace askbright;

namespace {

// 0 when the table holds the id, else the error number of the lookup.
int lookup(int id)
{
    try {
        interfaceText(id);
        return 0;
    } catch (const AppError &e) {
        return e.number();
    }
}

} // namespace

class tst_interfacetexts : public QObject {
    Q_OBJECT
private slots:
    // Every German caption has a non-empty English partner, and every text of
    // the table is one of the two of some caption.
    void everyCaptionInBothLanguages()
    {
        QSet<int> reached;
        int captions = 0;
        for (int id = 0; id <= 5000; ++id) {
            const int error = lookup(id);
            if (error || reached.contains(id)) {
                QVERIFY(error == 0 || error == AppError::ResourceNotFound);
                continue;
            }
            const int english = captionId(id, Language::English);
            ++captions;
            QVERIFY2(!caption(id, Language::German).isEmpty(), qPrintable(QString::number(id)));
            QVERIFY2(lookup(english) == 0, qPrintable(QString::number(id)));
            QVERIFY2(!caption(id, Language::English).isEmpty(), qPrintable(QString::number(id)));
            QVERIFY2(!reached.contains(english), qPrintable(QString::number(english)));
            reached << id << english;
        }
        QVERIFY(captions >= 90);
    }
};

QTEST_GUILESS_MAIN(tst_interfacetexts)
#include "tst_interfacetexts.moc"
