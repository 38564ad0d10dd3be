#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace n35
{

class ChannelTable;

// The memory page's find bar: Ctrl+F finds a frequency or a name as typed ("223.5", "RPT"), next and
// previous, round the end of the grid; Ctrl+G goes to a row by its label ("Bank03-010", "CALL-222").
// What it finds it hands to the page, which makes the row current and scrolls it into view; what it could
// not find it says in the bar.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    // currentChannel: the grid's current channel, where a search starts.
    FindBar(const ChannelTable &table, std::function<int()> currentChannel, QWidget *parent = nullptr);

    void openFind();
    void openGoTo();
    // false (and the bar says so) when nothing matched.
    bool findNext();
    bool findPrevious();
    bool goTo();

    QLineEdit *findField() const { return findText; }
    QLineEdit *goToField() const { return goToText; }
    QString status() const;

signals:
    void channelFound(int channel);
    // Escape or "Close": the page gives the focus back to the grid.
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool find(bool forward);
    void closeBar();
    void say(const QString &text);

    const ChannelTable &table;
    std::function<int()> currentChannel;
    QLineEdit *findText = nullptr;
    QLineEdit *goToText = nullptr;
    QLabel *statusText = nullptr;
};

} // namespace n35
