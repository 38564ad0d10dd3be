#include "model/valuetables.h"

#include <QTest>
#include <functional>

using namespace n35;

namespace
{

using Lookup = std::function<quint16(const QString &)>;
using TextOf = std::function<std::optional<QString>(int)>;

struct Table {
    const char *name;
    Lookup lookup;
    TextOf text;
    std::function<QStringList()> texts;
    int firstCode;
    int count;
};

const Table Tables[] = {
    {"step", StepIndex, StepText, StepTexts, 0, 16},
    {"tone type", ToneTypeIndex, ToneTypeText, ToneTypeTexts, 0, 13},
    {"ctcss", CtcssNumber, CtcssText, CtcssTexts, 1, 39},
    {"dcs", DcsIndex, DcsText, DcsTexts, 0, 104},
};

} // namespace

class TestValueTables : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("ctcss first") << 2 << "67.0Hz" << 1;
        QTest::newRow("ctcss last") << 2 << "250.3Hz" << 39;
        QTest::newRow("ctcss middle") << 2 << "88.5Hz" << 9;
        QTest::newRow("ctcss not exact") << 2 << "67Hz" << 0;
        QTest::newRow("ctcss empty") << 2 << "" << 0;
        QTest::newRow("step first") << 0 << "5KHz" << 0;
        QTest::newRow("step last") << 0 << "1MHz" << 15;
        QTest::newRow("step unknown") << 0 << "1000KHz" << 999;
        QTest::newRow("step case") << 0 << "5khz" << 999;
        QTest::newRow("dcs last") << 3 << "754" << 103;
        QTest::newRow("dcs no leading zero") << 3 << "23" << 999;
        QTest::newRow("tone type") << 1 << "T/R" << 4;
        QTest::newRow("tone type case") << 1 << "t/r" << 999;
        QTest::newRow("tone type trailing space") << 1 << "None " << 999;
    }
    void lookup()
    {
        QFETCH(int, table);
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(int(Tables[table].lookup(text)), code);
    }

    void textOutsideTable_data()
    {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("valid");
        const int probes[] = {-1, 0, 1, 12, 13, 15, 16, 39, 40, 103, 104, 255};
        for (int t = 0; t < 4; ++t) {
            const Table &table = Tables[t];
            for (const int code : probes) {
                const bool valid = code >= table.firstCode && code < table.firstCode + table.count;
                QTest::addRow("%s %d", table.name, code) << t << code << valid;
            }
        }
    }
    void textOutsideTable()
    {
        QFETCH(int, table);
        QFETCH(int, code);
        QFETCH(bool, valid);
        QCOMPARE(Tables[table].text(code).has_value(), valid);
    }

    void everyCodeRoundTrips()
    {
        for (const Table &table : Tables) {
            const QStringList texts = table.texts();
            QCOMPARE(texts.size(), table.count);
            for (int code = table.firstCode; code < table.firstCode + table.count; ++code) {
                const std::optional<QString> text = table.text(code);
                QVERIFY2(text.has_value(), table.name);
                QCOMPARE(texts.at(code - table.firstCode), *text);
                QCOMPARE(int(table.lookup(*text)), code);
            }
        }
    }

    void smallCodeSets_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("written");
        QTest::newRow("mode 0") << "mode" << 0 << "NFM" << 0;
        QTest::newRow("mode 1") << "mode" << 1 << "FM" << 1;
        QTest::newRow("mode 2") << "mode" << 2 << "" << 0;
        QTest::newRow("shift 0") << "shift" << 0 << "Off" << 0;
        QTest::newRow("shift 1") << "shift" << 1 << "+" << 1;
        QTest::newRow("shift 2") << "shift" << 2 << "-" << 2;
        QTest::newRow("shift 3") << "shift" << 3 << "Off" << 0;
        QTest::newRow("skip 0") << "skip" << 0 << "" << 0;
        QTest::newRow("skip 1") << "skip" << 1 << "*" << 1;
        QTest::newRow("skip 2") << "skip" << 2 << "" << 0;
    }
    void smallCodeSets()
    {
        QFETCH(QString, set);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(int, written);
        if (set == "mode") {
            QCOMPARE(ModeText(code), text);
            QCOMPARE(ModeCode(text), written);
        } else if (set == "shift") {
            QCOMPARE(ShiftText(code), text);
            QCOMPARE(ShiftCode(text), written);
        } else {
            QCOMPARE(SkipText(code), text);
            QCOMPARE(SkipCode(text), written);
        }
    }
};

QTEST_GUILESS_MAIN(TestValueTables)
#include "test_valuetables.moc"
