#include <QTest>

#include "engine/numbersyntax.h"
#include "engine/numbertext.h"
#include "engine/rounding.h"

using namespace tallimo;

class TestNumberSyntax : public QObject {
    Q_OBJECT
private slots:
    void smoke()
    {
        RegionalSettings r;
        QCOMPARE(NumberText(TextToValue(u"1.5", r), r), QStringLiteral("1.5"));
    }
};

QTEST_GUILESS_MAIN(TestNumberSyntax)
#include "test_numbersyntax.moc"
