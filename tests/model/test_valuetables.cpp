#include "model/valuetables.h"

#include <QTest>

using namespace n35;

namespace
{

struct Table {
    const char *name;
    quint16 (*lookup)(const QString &);
    std::optional<QString> (*text)(int);
    QStringList (*texts)();
    int firstCode;
    int count;
};

const Table Step{"step", StepIndex, StepText, StepTexts, 0, 16};
const Table ToneType{"tone type", ToneTypeIndex, ToneTypeText, ToneTypeTexts, 0, 13};
const Table Ctcss{"ctcss", CtcssNumber, CtcssText, CtcssTexts, 1, 39};
const Table Dcs{"dcs", DcsIndex, DcsText, DcsTexts, 0, 104};

} // namespace

class TestValueTables : public QObject
{
    Q_OBJECT

private slots:
    void lookup()
    {
        const std::tuple<const Table &, const char *, int> rows[] = {
            {Ctcss, "67.0Hz", 1}, {Ctcss, "250.3Hz", 39}, {Ctcss, "88.5Hz", 9}, {Ctcss, "67Hz", 0},
            {Step, "1MHz", 15},   {Step, "1000KHz", 999}, {Dcs, "754", 103},    {Dcs, "23", 999},
            {ToneType, "T/R", 4}, {ToneType, "t/r", 999},
        };
        for (const auto &[table, text, code] : rows)
            QVERIFY2(table.lookup(QString::fromLatin1(text)) == code, text);
    }

    // Every code maps to its drop-down text and back; the codes just outside a table give no text.
    void codesRoundTrip()
    {
        for (const Table &table : {Step, ToneType, Ctcss, Dcs}) {
            const QStringList texts = table.texts();
            QCOMPARE(texts.size(), table.count);
            const int end = table.firstCode + table.count;
            QVERIFY2(!table.text(table.firstCode - 1) && !table.text(end) && !table.text(255), table.name);
            for (int code = table.firstCode; code < end; ++code) {
                const std::optional<QString> text = table.text(code);
                QVERIFY2(text.has_value(), table.name);
                QCOMPARE(texts.at(code - table.firstCode), *text);
                QCOMPARE(int(table.lookup(*text)), code);
            }
        }
    }

    // Texts shown for codes 0..3, and the code each text is written back as (the mode's texts are written
    // by the cell rules, which refuse what is not a mode).
    void smallCodeSets()
    {
        const std::tuple<QString (*)(int), int (*)(const QString &), QStringList, QList<int>> sets[] = {
            {ModeText, nullptr, {"NFM", "FM", "", ""}, {0, 1, 0, 0}},
            {ShiftText, ShiftCode, {"Off", "+", "-", "Off"}, {0, 1, 2, 0}},
            {SkipText, SkipCode, {"", "*", "", ""}, {0, 1, 0, 0}},
        };
        for (const auto &[text, code, shown, written] : sets) {
            for (int read = 0; read < 4; ++read) {
                QCOMPARE(text(read), shown[read]);
                if (code)
                    QCOMPARE(code(shown[read]), written[read]);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestValueTables)
#include "test_valuetables.moc"
