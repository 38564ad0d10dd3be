#pragma once

#include "model/channeledit.h"

#include <QDialog>
#include <QHash>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace n35
{

class FontGlyphs;

// "Memory Setting": edits one channel row, or both rows of a Dual pair side by side. The rules live in
// model/channeledit.h; this window only shows a ChannelPanel per panel and hands the user's choices back.
class ChannelEditor : public QDialog
{
    Q_OBJECT
public:
    // Opens on grid channel `channel` (1..952): a Dual Sub row opens its Main row with it. With the clone
    // image's glyphs, a name holding a glyph code also shows how the radio will draw it.
    ChannelEditor(ChannelTable &table, int channel, QWidget *parent = nullptr,
                  const FontGlyphs *glyphs = nullptr);

    int editedChannel() const { return edited; }
    // The panel's current state as the controls show it, and showing a panel state in the controls.
    ChannelPanel panel(int index) const;
    void showPanel(int index, const ChannelPanel &panel);
    // "Automatic repeater shift" of the Edit menu: on, a frequency typed in a repeater output segment of
    // the band plan fills the shift and offset (model/channeledit.h has the rule).
    void setAutomaticShift(bool on);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct PanelControls {
        QGroupBox *frame = nullptr;
        QLabel *rowLabel = nullptr;
        QLineEdit *frequencyMhz = nullptr;
        QLineEdit *frequencyFraction = nullptr;
        QButtonGroup *mode = nullptr;
        QButtonGroup *step = nullptr;
        QButtonGroup *type = nullptr;
        QComboBox *txTone = nullptr;
        QComboBox *rxTone = nullptr;
        QComboBox *txDcs = nullptr;
        QComboBox *rxDcs = nullptr;
        QComboBox *train = nullptr;
        QButtonGroup *shift = nullptr;
        QLabel *shiftNote = nullptr; // says when the band plan filled the shift
        QLineEdit *offsetMhz = nullptr;
        QLineEdit *offsetFraction = nullptr;
        QCheckBox *skip = nullptr;
        QLineEdit *name = nullptr;
        QLabel *namePreview = nullptr;
    };

    QGroupBox *buildPanel(int index);
    QGroupBox *buildTones(int index);
    QHBoxLayout *frequencyRow(const char *caption, const char *base, const QString &spoken, int index,
                              QLineEdit *&mhz, QLineEdit *&fraction);
    QLineEdit *frequencyBox(const QString &name, int digits, const QString &accessible);
    void applyTypeRule(int index, int type);
    void appendGlyph(int index, int glyph);
    void clearPanel(int index);
    void frequencyEdited(int index);
    void startShiftFill(int index);
    void DETAIL_ENTER_Click();

    void showNamePreview(int index);

    ChannelTable &table;
    const FontGlyphs *glyphs;
    int edited;
    std::array<PanelControls, 2> panels;
    bool automaticShift = true;
    std::array<RepeaterShiftFill, 2> shiftFills;
    QHash<const QObject *, int> digitLimits; // frequency box -> most digits the user may type
    QPushButton *DETAIL_ENTER = nullptr;
};

} // namespace n35
