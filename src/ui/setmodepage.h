#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace n35
{

class Session;
class OptionFrameView;

// Page 4: the radio's set-mode options in four columns of frames, the DTMF memories, and "Reset",
// "Read" and "Write". A view of the clone image's settings and DTMF regions; it follows the language
// the "Language" option chooses.
class SetModePage : public QWidget
{
    Q_OBJECT
public:
    explicit SetModePage(Session &owner, QWidget *parent = nullptr);
    ~SetModePage() override;

    void Set_Mode_Clear_Click();
    // The width that shows all four columns without scrolling sideways.
    int preferredWidth() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildDtmfFrame();
    void refresh();
    void refreshDtmf();

    Session &session;
    QWidget *content = nullptr;
    std::vector<std::unique_ptr<OptionFrameView>> frames;
    std::array<QLineEdit *, 10> COMMON_DTMF{};
    QComboBox *COMMON_WAIT = nullptr;
    QComboBox *COMMON_HEAD = nullptr;
    QComboBox *COMMON_BURST = nullptr;
    QComboBox *COMMON_PAUSE = nullptr;
    QComboBox *COMMON_DIAL_CH = nullptr;
    QPushButton *Set_Mode_Clear = nullptr;
    QPushButton *Set_Mode_Read = nullptr;
    QPushButton *Set_Mode_Write = nullptr;
};

// "Read" and "Write" of the set-mode settings (with the DTMF memories), from the set-mode page and the
// common page's "Setting" frame.
void SETTING_READ_Click(Session &session, QWidget *parent);
void SETTING_WRITE_Click(Session &session, QWidget *parent);

} // namespace n35
