#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace n35
{

class BankLinks;
class BankPartition;
class Session;

// "BANK-LINK Setting": which banks each of the eleven groups links, one row a group and one column a
// bank, with the window's own "Read" and "Write". A view of the clone image's links; edits go straight
// into it, so there is nothing to cancel.
class BankLinkWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int RowCount = 12;    // the header row and Group0..Group9, GroupB
    static constexpr int ColumnCount = 55; // the group names, 50 banks, four separators

    // Opening starts from the default partition when the banks do not hold 500, and drops the links of
    // banks that hold no channels.
    explicit BankLinkWindow(Session &owner, QWidget *parent = nullptr);

    // The matrix column of bank 0..49: runs of ten with a separator between them.
    static int BankColumn(int bank);
    // The bank of a matrix column; -1 for the group names and the separators.
    static int ColumnBank(int column);

    void MSFlexGrid1_Click(int row, int column);
    void GROUP_READ_Click();
    void GROUP_WRITE_Click();
    void cmdClearBankLink_Click();
    void cmdOK_Click();

public slots:
    // A transfer waits in a nested event loop inside this window; it must not go away under it.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGrid();
    QWidget *buildRunLabels();
    QPushButton *addButton(const QString &caption, const QString &name, const QString &accessible);
    void partitionChanged();
    void ShowBankLinks();

    Session &session;
    BankLinks &links;
    BankPartition &banks;
    QTableWidget *MSFlexGrid1 = nullptr;
    QPushButton *GROUP_READ = nullptr;
    QPushButton *GROUP_WRITE = nullptr;
    QPushButton *cmdClearBankLink = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace n35
