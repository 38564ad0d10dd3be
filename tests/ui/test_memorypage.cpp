// The memory page against an in-process radio that answers like the emulator.

#include "emulator/radiocore.h"
#include "link/address.h"
#include "link/fakeradioport.h"
#include "model/channeltable.h"
#include "ui/channelgridmodel.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

using namespace n35;
using namespace Qt::StringLiterals;

namespace
{

struct Rig {
    Rig()
    {
        port.setResponder([this](const QByteArray &written) {
            if (onWrite)
                onWrite();
            return QByteArray::fromStdString(radio.receive(written.toStdString()));
        });
        window = std::make_unique<MainWindow>(&port, dir.filePath(u"HVN35Writer.INI"_s));
        window->portResolver().setLinkDirectory(dir.path());
        window->portResolver().setSystemDevices({});
        window->radioLink().setTimeoutMs(100);
        page = window->memoryPage();
    }
    ChannelTable &table() { return window->cloneImage().channels; }
    QTableView *grid() const { return page->grid(); }
    QPushButton *button(const QString &name) const { return window->findChild<QPushButton *>(name); }
    void click(const QString &name) { button(name)->click(); }
    // Addresses of the block commands of one kind ('R' or 'W') sent since `from` bytes had been written.
    QStringList blocks(char op, qsizetype from = 0) const
    {
        const QRegularExpression command(u"ZQ~F([0-9A-F]{5})%1"_s.arg(QLatin1Char(op)));
        QStringList addresses;
        for (const auto &match : command.globalMatch(QString::fromLatin1(port.written().mid(from))))
            addresses << match.captured(1);
        return addresses;
    }
    QList<CapturedMessage> messages() const { return capture.messages; }

    QTemporaryDir dir;
    n35emu::RadioCore radio;
    FakeRadioPort port;
    std::function<void()> onWrite;
    MessageCapture capture;
    std::unique_ptr<MainWindow> window;
    MemoryPage *page = nullptr;
};

ChannelCells sampleCells(int channel, int variant = 0)
{
    return {
        u"%1.%2MHz"_s.arg(140 + (channel + variant) % 300).arg(12500 + 5 * variant, 5, 10, QLatin1Char('0')),
        channel % 2 ? u"FM"_s : u"NFM"_s,
        u"12.5KHz"_s,
        u"T/T"_s,
        u"100.0Hz"_s,
        u"67.0Hz"_s,
        u"023"_s,
        u"754"_s,
        u"-"_s,
        u"0.60000MHz"_s,
        channel % 3 ? QString() : u"*"_s,
        u"CH%1-%2"_s.arg(channel).arg(variant).leftJustified(16)};
}

void fill(ChannelTable &table, int first, int last, int variant = 0)
{
    for (int channel = first; channel <= last; ++channel) {
        table.setCells(channel, sampleCells(channel, variant));
        table.setUsed(channel, true);
    }
}

QStringList channelBlocks(int first, int last)
{
    QStringList addresses;
    for (int channel = first; channel <= last; ++channel)
        addresses << ChannelBlockAddress(channel);
    return addresses;
}

const QString DoneTitle = u" Finish"_s;

} // namespace

class TestMemoryPage : public QObject
{
    Q_OBJECT
private slots:
    void headers()
    {
        Rig rig;
        const QStringList texts = {"Freqency", "mode",   "step",  "Subtone",    "Tx-tone", "Rx-tone",
                                   "Tx-DCS",   "Rx-DCS", "Shift", "Shift-Freq", "Skip",    "Name"};
        QAbstractItemModel *model = rig.grid()->model();
        QCOMPARE(model->rowCount(), 952);
        QCOMPARE(model->columnCount(), 12);
        const int left = int(Qt::AlignLeft | Qt::AlignVCenter);
        for (int column = 0; column < 12; ++column) {
            QCOMPARE(model->headerData(column, Qt::Horizontal).toString(), texts[column]);
            QCOMPARE(model->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), left);
            QCOMPARE(model->index(851 - 1, column).data(Qt::TextAlignmentRole).toInt(), left);
        }
        QCOMPARE(model->headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt(), left);
    }

    void rowLabels_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("label");
        const std::pair<int, const char *> rows[] = {
            {1, "Bank00-000"},  {500, "Bank04-099"},   {501, "PRG - 0A"},
            {600, "PRG - 49B"}, {601, "Dual0(Main) "}, {800, "Dual99(Sub) "},
            {851, "CALL-222"},  {852, "CALL-900"},     {952, "PASS - 99"}};
        for (const auto &[channel, label] : rows)
            QTest::addRow("%d", channel) << channel << QString::fromLatin1(label);
    }
    void rowLabels()
    {
        QFETCH(int, channel);
        QFETCH(QString, label);
        Rig rig;
        QCOMPARE(rig.grid()->model()->headerData(channel - 1, Qt::Vertical).toString(), label);
    }

    void labelChangesReachHeader()
    {
        Rig rig;
        QSignalSpy headerChanged(rig.grid()->model(), &QAbstractItemModel::headerDataChanged);
        QStringList labels(952, u"x"_s);
        labels[9] = u"Bank09-000"_s;
        rig.table().setLabels(labels);
        QCOMPARE(headerChanged.count(), 1);
        QCOMPARE(rig.grid()->model()->headerData(9, Qt::Vertical).toString(), u"Bank09-000"_s);
    }

    void columnWidths()
    {
        Rig rig;
        const int twipsWide[] = {1350, 550, 700, 800, 800, 800, 800, 800, 600, 1200, 400, 3500};
        QCOMPARE(rig.grid()->verticalHeader()->width(), 1200 / 15);
        for (int column = 0; column < 12; ++column)
            QCOMPARE(rig.grid()->horizontalHeader()->sectionSize(column), twipsWide[column] / 15);
    }

    void buttons()
    {
        Rig rig;
        const std::pair<const char *, const char *> captions[] = {
            {"ALL_Reset", "Clear all memory"},        {"Clear_Botton", "Clear selected memory"},
            {"MEM_ONE_READ", "Read selected memory"}, {"MEM_ONE_WRITE", "Write selected memory"},
            {"MemAllRead", "Read all memory"},        {"MemAllWrite", "Write all memory"}};
        for (const auto &[name, caption] : captions) {
            QPushButton *button = rig.button(QString::fromLatin1(name));
            QVERIFY2(button && button->text() == QLatin1String(caption), name);
            QVERIFY2(rig.window->pageFrame(0)->isAncestorOf(button), name);
        }
        QCOMPARE(rig.grid()->objectName(), u"MSFlexGrid1"_s);
        QVERIFY(rig.window->pageFrame(0)->isAncestorOf(rig.grid()));
    }

    void startupCallRows()
    {
        Rig rig;
        QAbstractItemModel *model = rig.grid()->model();
        for (const auto &[channel, frequency] :
             {std::pair{851, "222.00000MHz"}, std::pair{852, "902.00000MHz"}}) {
            const QStringList expected = {frequency, "FM",  "5KHz", "None",       "88.5Hz", "88.5Hz",
                                          "023",     "023", "Off",  "0.00000MHz", "",       ""};
            for (int column = 0; column < 12; ++column)
                QCOMPARE(model->index(channel - 1, column).data().toString(), expected[column]);
        }
        QCOMPARE(model->index(0, 0).data().toString(), QString());
    }

    void writeClearReadRestores_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("bank rows") << 10 << 20;
        QTest::newRow("interleaved Dual rows") << 598 << 606;
        QTest::newRow("CALL and PASS rows") << 849 << 856;
    }
    void writeClearReadRestores()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        Rig rig;
        fill(rig.table(), first, last);
        std::vector<ChannelCells> written;
        for (int channel = first; channel <= last; ++channel)
            written.push_back(rig.table().cells(channel));
        rig.page->selectChannels(first, last);
        rig.click(u"MEM_ONE_WRITE"_s);
        rig.click(u"ALL_Reset"_s);
        QVERIFY(rig.table().cell(first, ColFrequency).isEmpty());
        rig.click(u"MEM_ONE_READ"_s);
        QCOMPARE(rig.messages().size(), 2);
        for (int channel = first; channel <= last; ++channel) {
            QCOMPARE(rig.table().cells(channel), written[std::size_t(channel - first)]);
            QCOMPARE(rig.grid()->model()->index(channel - 1, ColName - 1).data().toString(),
                     written[std::size_t(channel - first)][ColName - 1]);
        }
    }

    void bottomUpSelectionTransfersSameRange_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<char>("op");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("read") << u"MEM_ONE_READ"_s << 'R' << 602 << 605;
        QTest::newRow("write") << u"MEM_ONE_WRITE"_s << 'W' << 40 << 43;
        QTest::newRow("one row") << u"MEM_ONE_READ"_s << 'R' << 7 << 7;
    }
    void bottomUpSelectionTransfersSameRange()
    {
        QFETCH(QString, button);
        QFETCH(char, op);
        QFETCH(int, first);
        QFETCH(int, last);
        Rig rig;
        fill(rig.table(), first, last);
        for (const auto &[from, to] : {std::pair{first, last}, std::pair{last, first}}) {
            rig.page->selectChannels(from, to);
            QCOMPARE(rig.page->selectedChannels(), std::pair(first, last));
            QCOMPARE(rig.grid()->currentIndex().row(), to - 1);
            const qsizetype before = rig.port.written().size();
            rig.click(button);
            QCOMPARE(rig.blocks(op, before), channelBlocks(first, last));
        }
    }

    void clearing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("all") << u"ALL_Reset"_s << 5 << 5 << 1 << 952;
        QTest::newRow("selected, bottom-up over CALL") << u"Clear_Botton"_s << 853 << 849 << 849 << 853;
        QTest::newRow("selected, one row") << u"Clear_Botton"_s << 600 << 600 << 600 << 600;
    }
    void clearing()
    {
        QFETCH(QString, button);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, first);
        QFETCH(int, last);
        Rig rig;
        fill(rig.table(), 1, 952);
        const ChannelTable &table = rig.table();
        const ChannelCells call222 = table.cells(851);
        rig.page->selectChannels(from, to);
        rig.click(button);
        for (int channel = 1; channel <= 952; ++channel) {
            const bool cleared = channel >= first && channel <= last && !IsCallChannel(channel);
            QVERIFY2(table.cell(channel, ColFrequency).isEmpty() == cleared,
                     qPrintable(QString::number(channel)));
            QCOMPARE(table.used(channel), !cleared);
        }
        QCOMPARE(table.cells(851), call222);
        QVERIFY(rig.button(button)->isEnabled());
    }

    void successMessages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("read selected") << u"MEM_ONE_READ"_s << u"Memory data read successed."_s;
        QTest::newRow("write selected") << u"MEM_ONE_WRITE"_s << u"Memory data write successed."_s;
        QTest::newRow("read all") << u"MemAllRead"_s << u"ALL memory data read successed."_s;
        QTest::newRow("write all") << u"MemAllWrite"_s << u"All memory data write successed."_s;
    }
    void successMessages()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        Rig rig;
        rig.page->selectChannels(851, 852);
        rig.click(button);
        QCOMPARE(rig.messages().size(), 1);
        QCOMPARE(rig.messages()[0].text, text);
        QCOMPARE(rig.messages()[0].title, DoneTitle);
    }

    void negotiationFailure_data() { successMessages_data(); }
    void negotiationFailure()
    {
        QFETCH(QString, button);
        Rig rig;
        rig.radio.setStopAfter(0);
        rig.click(button);
        QCOMPARE(rig.messages().size(), 1);
        QCOMPARE(rig.messages()[0].text, u"Negotiation Error."_s);
        QCOMPARE(rig.messages()[0].title, u" NG"_s);
        QCOMPARE(rig.port.writes().size(), 1);
        QCOMPARE(rig.table().cell(851, ColFrequency), u"222.00000MHz"_s);
        QVERIFY(!rig.window->isLocked());
    }

    void controlsLockedDuringTransfer()
    {
        Rig rig;
        QStringList enabledDuringTransfer;
        rig.onWrite = [&] {
            for (QWidget *widget : rig.window->pageFrame(0)->findChildren<QWidget *>()) {
                if ((qobject_cast<QPushButton *>(widget) || widget == rig.grid()) && widget->isEnabled())
                    enabledDuringTransfer << widget->objectName();
            }
        };
        rig.click(u"MEM_ONE_READ"_s);
        QVERIFY(!rig.port.writes().isEmpty());
        QCOMPARE(enabledDuringTransfer, QStringList());
        QVERIFY(rig.grid()->isEnabled() && rig.button(u"MEM_ONE_READ"_s)->isEnabled());
    }

    void radioStopsMidRead()
    {
        Rig rig;
        fill(rig.table(), 10, 20, 1);
        rig.page->selectChannels(10, 20);
        rig.click(u"MEM_ONE_WRITE"_s);
        fill(rig.table(), 10, 20, 2);
        const ChannelCells kept = rig.table().cells(13);
        rig.radio.setStopAfter(rig.radio.commandsAnswered() + 1 + 3); // identification and three rows
        rig.click(u"MEM_ONE_READ"_s);
        QCOMPARE(rig.messages().size(), 2);
        QCOMPARE(rig.messages()[1].text, u"Error"_s);
        QCOMPARE(rig.messages()[1].title, u" Error"_s);
        for (int channel = 10; channel <= 12; ++channel)
            QCOMPARE(rig.table().cells(channel), sampleCells(channel, 1));
        QCOMPARE(rig.table().cells(13), kept);
        QCOMPARE(rig.table().cells(20), sampleCells(20, 2));
        QVERIFY(!rig.window->isLocked());
        QVERIFY(rig.button(u"MEM_ONE_READ"_s)->isEnabled());
        QVERIFY(!rig.port.isOpen());
    }

    void stepCodeFromRadio_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("known");
        QTest::newRow("last in table") << 15 << true;
        QTest::newRow("past the table") << 16 << false;
    }
    void stepCodeFromRadio()
    {
        QFETCH(int, step);
        QFETCH(bool, known);
        Rig rig;
        fill(rig.table(), 30, 30);
        const ChannelCells before = rig.table().cells(30);
        // An FM channel on 25 MHz with every code valid except perhaps the step; the name stays erased.
        std::array<unsigned char, 32> record{};
        record[0] = 0x02;
        record[1] = 0x40;
        record[2] = 0x78;
        record[3] = 0x7D;
        record[4] = 0x01;
        record[5] = 0x01;
        record[6] = static_cast<unsigned char>(step);
        record[13] = record[14] = 1;
        const int address = ChannelBlockAddress(30).toInt(nullptr, 16);
        std::copy(record.begin(), record.end(), rig.radio.memory().begin() + address);
        rig.page->selectChannels(30, 30);
        rig.click(u"MEM_ONE_READ"_s);
        QCOMPARE(rig.messages().size(), 1);
        QCOMPARE(rig.messages()[0].text, known ? u"Memory data read successed."_s : u"Port Error"_s);
        QCOMPARE(rig.messages()[0].title, known ? DoneTitle : u" Error"_s);
        QCOMPARE(rig.table().cell(30, ColStep), known ? u"1MHz"_s : before[ColStep - 1]);
        QCOMPARE(rig.table().cells(30) == before, !known);
        QVERIFY(!rig.window->isLocked());
    }

    void readKeepsViewAndSelection()
    {
        Rig rig;
        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        rig.page->selectChannels(702, 700);
        rig.grid()->verticalScrollBar()->setValue(0);
        QSignalSpy resets(rig.grid()->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(rig.grid()->model(), &QAbstractItemModel::dataChanged);
        rig.click(u"MEM_ONE_READ"_s);
        QCOMPARE(resets.count(), 0);
        QVERIFY(changes.count() > 0);
        QCOMPARE(rig.page->selectedChannels(), std::pair(700, 702));
        const QRect row = rig.grid()->visualRect(rig.grid()->currentIndex());
        QVERIFY(rig.grid()->viewport()->rect().contains(row));
    }
};

QTEST_MAIN(TestMemoryPage)
#include "test_memorypage.moc"
