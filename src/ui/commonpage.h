#pragma once

#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace n35
{

class Session;
class OptionFrameView;

// Page 3, "Common Setting": the nine one-touch keys, the title with its glyph buttons and motion, and
// the frame "Setting" with a part of the set-mode options; each frame with its own "Reset", "Read" and
// "Write". A view of the clone image.
class CommonPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int KeyCount = 9;

    explicit CommonPage(Session &owner, QWidget *parent = nullptr);
    ~CommonPage() override;

    void COMMON_ONE_TOUCH_RESET_Click();
    void TITLE_CLEAR_Click();
    void SETTING_RESET_Click();

private:
    QGroupBox *buildOneTouchFrame();
    QGroupBox *buildTitleFrame();
    QWidget *buildSettingFrame();
    void refreshOneTouch();
    void refreshTitle();

    Session &session;
    std::unique_ptr<OptionFrameView> setting;
    std::array<QComboBox *, KeyCount> otmBank{};
    std::array<QComboBox *, KeyCount> otmCh{};
    std::array<QCheckBox *, KeyCount> NO_SET{};
    QGroupBox *titleFrame = nullptr;
    QLineEdit *TITLE_TEXT = nullptr;
    QLabel *titlePreview = nullptr;
    QLabel *DOUSA = nullptr;
    QComboBox *OP_DOUSA = nullptr;
};

} // namespace n35
