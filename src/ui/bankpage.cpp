#include "ui/bankpage.h"

#include "link/banktransfer.h"
#include "model/banks.h"
#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/banklinkwindow.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"
#include "ui/twips.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

namespace n35
{

namespace
{

constexpr int BanksPerColumn = 10;

QString BankName(int bank)
{
    return QStringLiteral("Bank %1").arg(bank, 2, 10, QLatin1Char('0'));
}

} // namespace

BankPage::BankPage(Session &owner, QWidget *parent)
    : QWidget(parent), session(owner), banks(owner.image().banks), current(NoCurrentBank)
{
    setObjectName(QStringLiteral("BankPage"));
    buildBanks();

    Total_Mem = new QLineEdit(this);
    Total_Mem->setObjectName(QStringLiteral("Total_Mem"));
    Total_Mem->setAccessibleName(QStringLiteral("Total channels"));
    Total_Mem->setReadOnly(true);
    Total_Mem->setFocusPolicy(Qt::NoFocus);
    Total_Mem->setFixedWidth(Total_Mem->fontMetrics().horizontalAdvance(QStringLiteral("88888")) +
                             twips(300));
    auto *totalLabel = new QLabel(QStringLiteral("Total"), this);
    totalLabel->setBuddy(Total_Mem);

    BANK_UP[0] = addButton("Up", "BANK_UP_0");
    BANK_UP[1] = addButton("Down", "BANK_UP_1");
    Bank_Clear = addButton("Reset", "Bank_Clear");
    READ_BANK = addButton("Bank Read", "READ_BANK");
    WRITE_BANK = addButton("Bank Write", "WRITE_BANK");
    GROUP_SET = addButton("Bank_Link", "GROUP_SET");
    GROUP_SET->setAccessibleName(QStringLiteral("Bank links"));
    connect(BANK_UP[0], &QPushButton::clicked, this, [this] { BANK_UP_Click(0); });
    connect(BANK_UP[1], &QPushButton::clicked, this, [this] { BANK_UP_Click(1); });
    connect(Bank_Clear, &QPushButton::clicked, this, &BankPage::Bank_Clear_Click);
    connect(READ_BANK, &QPushButton::clicked, this, &BankPage::READ_BANK_Click);
    connect(WRITE_BANK, &QPushButton::clicked, this, &BankPage::WRITE_BANK_Click);
    connect(GROUP_SET, &QPushButton::clicked, this, &BankPage::GROUP_SET_Click);
    // The buttons that only edit stay usable between transfers; the transfers and the bank-link window
    // are commands.
    for (QPushButton *button : {BANK_UP[0], BANK_UP[1], Bank_Clear})
        new BusyGate(session, button);
    new BusyGate(session, READ_BANK);
    new BusyGate(session, GROUP_SET);
    writeGate = new BusyGate(session, WRITE_BANK, [this] { return banks.total() == BankChannelTotal; });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(totalLabel);
    buttons->addWidget(Total_Mem);
    buttons->addSpacing(twips(300));
    for (QPushButton *button : {BANK_UP[0], BANK_UP[1], Bank_Clear, READ_BANK, WRITE_BANK, GROUP_SET})
        buttons->addWidget(button);
    buttons->addStretch(1);
    static_cast<QVBoxLayout *>(layout())->addLayout(buttons);

    connect(&banks, &BankPartition::changed, this, &BankPage::refresh);
    refresh();
}

void BankPage::buildBanks()
{
    // Five columns of ten banks, each bank's number, box and slider on one line, so all 50 are in view.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(twips(90));
    const int boxWidth = fontMetrics().horizontalAdvance(QStringLiteral("8888")) + twips(240);
    for (int bank = 0; bank < BankCount; ++bank) {
        const int row = bank % BanksPerColumn;
        const int column = (bank / BanksPerColumn) * 4;
        // The number alone beside the box; a screen reader hears "Bank 07 channels".
        auto *label = new QLabel(QStringLiteral("%1").arg(bank, 2, 10, QLatin1Char('0')), this);
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(bank));
        box->setAccessibleName(BankName(bank) + QStringLiteral(" channels"));
        box->setFixedWidth(boxWidth);
        box->installEventFilter(this);
        label->setBuddy(box);
        auto *slider = new QSlider(Qt::Horizontal, this);
        slider->setObjectName(QStringLiteral("Slider1_%1").arg(bank));
        slider->setAccessibleName(BankName(bank) + QStringLiteral(" channel slider"));
        slider->setRange(0, MaxBankCount);
        slider->setMinimumWidth(twips(1100));
        slider->installEventFilter(this);
        connect(slider, &QSlider::valueChanged, this,
                [this, bank](int value) { banks.setCount(bank, value); });
        Text1[static_cast<std::size_t>(bank)] = box;
        Slider1[static_cast<std::size_t>(bank)] = slider;
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1);
        grid->addWidget(slider, row, column + 2);
        if (column > 0)
            grid->setColumnMinimumWidth(column - 1, twips(150));
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
}

QPushButton *BankPage::addButton(const char *caption, const char *name)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void BankPage::refresh()
{
    for (int bank = 0; bank < BankCount; ++bank) {
        const int count = banks.count(bank);
        QLineEdit *box = Text1[static_cast<std::size_t>(bank)];
        if (CountBoxNumber(box->text()) != count || box->text() != QString::number(count))
            box->setText(QString::number(count));
        // A count typed above 500 stays in its box until the box loses the focus; the slider stops at 500.
        const QSignalBlocker quiet(Slider1[static_cast<std::size_t>(bank)]);
        Slider1[static_cast<std::size_t>(bank)]->setValue(std::min(count, MaxBankCount));
    }
    const int total = banks.total();
    Total_Mem->setText(QString::number(total));
    QPalette palette = Total_Mem->palette();
    palette.setColor(QPalette::Text, total == BankChannelTotal ? this->palette().color(QPalette::WindowText)
                                                               : QColor(255, 0, 0));
    Total_Mem->setPalette(palette);
    if (writeGate)
        writeGate->refresh();
}

void BankPage::commitBox(int bank, bool settle)
{
    const QString text = Text1[static_cast<std::size_t>(bank)]->text();
    banks.setCount(bank, settle ? CountBoxSettled(text) : CountBoxNumber(text));
    refresh(); // the box is rewritten as plain digits even when the count did not change
}

bool BankPage::eventFilter(QObject *watched, QEvent *event)
{
    const auto box = std::find(Text1.begin(), Text1.end(), watched);
    const auto slider = std::find(Slider1.begin(), Slider1.end(), watched);
    if (slider != Slider1.end() && event->type() == QEvent::FocusIn)
        current = static_cast<int>(slider - Slider1.begin());
    if (box == Text1.end())
        return QWidget::eventFilter(watched, event);

    const int bank = static_cast<int>(box - Text1.begin());
    if (event->type() == QEvent::FocusOut) {
        commitBox(bank, true);
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString typed = key->text();
        // Keys without a character (arrows, Tab, Home) move as usual.
        if (typed.size() != 1 || key->key() == Qt::Key_Delete)
            return false;
        QChar character = typed.at(0);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            character = QChar(13);
        // A digit typed over a selection replaces it, so the selection does not count.
        const auto kept = (*box)->text().size() - (*box)->selectedText().size();
        switch (FilterCountKey(character, static_cast<int>(kept))) {
        case KeyVerdict::Accept:
            return false;
        case KeyVerdict::Drop:
            return true;
        case KeyVerdict::Confirm:
            commitBox(bank, false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BankPage::BANK_UP_Click(int index)
{
    StepBankCount(banks, current, index == 0 ? 1 : -1);
    refresh();
}

void BankPage::Bank_Clear_Click()
{
    banks.reset();
    refresh();
}

void BankPage::READ_BANK_Click()
{
    RunRadioCommand(
        session, this, [this] { return BankRead(session.link(), banks, session.progress()); },
        FixedText::BankReadSucceeded());
}

void BankPage::WRITE_BANK_Click()
{
    RunRadioCommand(
        session, this, [this] { return BankWrite(session.link(), banks, session.progress()); },
        FixedText::BankWriteSucceeded());
}

void BankPage::GROUP_SET_Click()
{
    BankLinkWindow dialog(session, window());
    dialog.exec();
}

} // namespace n35
