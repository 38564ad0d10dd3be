#pragma once

#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;
class QSlider;

namespace n35
{

class BankPartition;
class BusyGate;
class Session;

// Page 2: how many channels each of the 50 banks holds, a box and a slider per bank, the total, and
// the buttons that read, write and reset the partition. A view of the clone image's partition.
class BankPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int BankCount = 50;

    explicit BankPage(Session &owner, QWidget *parent = nullptr);

    // The bank "Up" and "Down" act on: the one whose slider last had the focus (none at first).
    int currentBank() const { return current; }

    void BANK_UP_Click(int index);
    void Bank_Clear_Click();
    void READ_BANK_Click();
    void WRITE_BANK_Click();
    // "Bank_Link": the bank-link window, modal.
    void GROUP_SET_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBanks();
    QPushButton *addButton(const char *caption, const char *name);
    void refresh();
    void commitBox(int bank, bool settle);

    Session &session;
    BankPartition &banks;
    std::array<QLineEdit *, BankCount> Text1{};
    std::array<QSlider *, BankCount> Slider1{};
    QLineEdit *Total_Mem = nullptr;
    std::array<QPushButton *, 2> BANK_UP{};
    QPushButton *Bank_Clear = nullptr;
    QPushButton *READ_BANK = nullptr;
    QPushButton *WRITE_BANK = nullptr;
    QPushButton *GROUP_SET = nullptr;
    BusyGate *writeGate = nullptr;
    int current;
};

} // namespace n35
