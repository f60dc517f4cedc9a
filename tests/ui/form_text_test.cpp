#include <QTest>
#include <climits>
#include <string>

#include "ui/file_dialogs.h"
#include "ui/form_text.h"

namespace korvaset {

class FormTextTest : public QObject {
  Q_OBJECT

 private slots:
  void ParsesNumbersAsAtoiDoes_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("digits") << QByteArray("125") << 125;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12;
    QTest::newRow("letters only") << QByteArray("abc") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("blank and minus") << QByteArray(" -5") << -5;
    QTest::newRow("tab and plus") << QByteArray("\t+7") << 7;
    QTest::newRow("sign alone") << QByteArray("-") << 0;
    QTest::newRow("blank after sign") << QByteArray("- 5") << 0;
    QTest::newRow("decimal point") << QByteArray("3.9") << 3;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("INT_MAX") << QByteArray("2147483647") << INT_MAX;
    QTest::newRow("INT_MIN") << QByteArray("-2147483648") << INT_MIN;
    QTest::newRow("above INT_MAX") << QByteArray("2147483648") << INT_MAX;
    QTest::newRow("far above") << QByteArray("99999999999") << INT_MAX;
    QTest::newRow("far below") << QByteArray("-99999999999999999999999") << INT_MIN;
  }
  void ParsesNumbersAsAtoiDoes() {
    QFETCH(QByteArray, text);
    QFETCH(int, number);
    QCOMPARE(ParseNumber(std::string_view(text.constData(), text.size())), number);
  }

  void ConvertsWithLatin1() {
    QCOMPARE(ToLatin1(QStringLiteral("Grüße")), std::string("Gr\xFC\xDF"
                                                            "e"));
    // Outside Latin-1, one '?' per character, also for one beyond the 16-bit range.
    QCOMPARE(ToLatin1(QStringLiteral("5€ \U0001F4E1")), std::string("5? ?"));
    QCOMPARE(ToLatin1(QStringLiteral("abcdef"), 4), std::string("abcd"));
    QCOMPARE(FromLatin1("\xB0"
                        "C"),
             QStringLiteral("°C"));
  }

  void TurnsFileFiltersIntoQtFilters() {
    QCOMPARE(ToQtFileFilter("Korvalink Config files *.kvc|*.kvc||"),
             std::string("Korvalink Config files *.kvc (*.kvc)"));
    QCOMPARE(ToQtFileFilter("Configs|*.kvc;*.bin|All|*.*||"),
             std::string("Configs (*.kvc *.bin);;All (*.*)"));
    QCOMPARE(ToQtFileFilter("*.kvc"), std::string("*.kvc"));
  }
};

}  // namespace korvaset

QTEST_GUILESS_MAIN(korvaset::FormTextTest)
#include "form_text_test.moc"
