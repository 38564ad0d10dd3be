#pragma once

#include "model/setmodetexts.h"

#include <QList>
#include <QString>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;

namespace n35
{

class SetModeSettings;

// The set-mode options of one frame as rows of caption and list, built from the option table and kept
// in step with the settings: texts follow the language, the selection follows the model, and a choice
// goes straight into the model.
class OptionFrameView
{
public:
    OptionFrameView(SetModeSettings &settings, OptionFrame frame, QWidget *parent, int columns = 1);

    QGroupBox *box() const { return group; }
    // Re-reads captions, texts and selections from the settings.
    void refresh();

private:
    struct Row {
        OptionId id;
        QLabel *caption;
        QComboBox *list;
    };

    SetModeSettings &settings;
    OptionFrame frame;
    QGroupBox *group;
    QList<Row> rows;
};

} // namespace n35
