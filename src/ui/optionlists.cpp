#include "ui/optionlists.h"

#include "model/settings.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

namespace n35
{

OptionFrameView::OptionFrameView(SetModeSettings &settings, OptionFrame frame, QWidget *parent, int columns)
    : settings(settings), frame(frame), group(new QGroupBox(parent))
{
    auto *grid = new QGridLayout(group);
    grid->setVerticalSpacing(2);
    int count = 0;
    for (const SetModeOption &option : SetModeOptions())
        count += option.frame == frame ? 1 : 0;
    // Column by column, so rows that belong together (the two "CH scope Display" lists) stay together.
    const int perColumn = (count + columns - 1) / std::max(columns, 1);
    int position = 0;
    for (const SetModeOption &option : SetModeOptions()) {
        if (option.frame != frame)
            continue;
        auto *caption = new QLabel(group);
        auto *list = new QComboBox(group);
        list->setObjectName(OptionControlName(option.id));
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        caption->setBuddy(list);
        if (SetModeSettings::IsReadOnly(option.id)) {
            list->setEnabled(false);
            list->setToolTip(QStringLiteral("Shown as read from the radio. The program writes this option "
                                            "back unchanged, so it cannot be edited here."));
        }
        const OptionId id = option.id;
        QObject::connect(list, &QComboBox::activated, group,
                         [&settings = this->settings, id](int index) { settings.setIndex(id, index); });
        const int row = position % perColumn;
        const int column = (position / perColumn) * 2;
        grid->addWidget(caption, row, column);
        grid->addWidget(list, row, column + 1);
        rows.append({id, caption, list});
        ++position;
    }
    refresh();
}

void OptionFrameView::refresh()
{
    const Language language = settings.language();
    // "&" in a caption ("<POWER & BATT.>") is text, not a shortcut mark.
    auto shown = [](QString text) { return text.replace(QLatin1Char('&'), QLatin1String("&&")); };
    group->setTitle(shown(FrameCaption(frame, language)));
    QString previousCaption;
    for (const Row &row : rows) {
        const SetModeOption *option = FindOption(row.id);
        const QString caption = OptionCaption(*option, language);
        row.caption->setText(shown(caption));
        // The second "CH scope Display" list has no caption; a screen reader hears the first's.
        row.list->setAccessibleName(caption.isEmpty() ? previousCaption + QStringLiteral(" (second)")
                                                      : caption);
        if (!caption.isEmpty())
            previousCaption = caption;
        const QStringList texts = settings.texts(row.id);
        const QSignalBlocker quiet(row.list);
        bool same = row.list->count() == texts.size();
        for (int i = 0; same && i < texts.size(); ++i)
            same = row.list->itemText(i) == texts.at(i);
        if (!same) {
            row.list->clear();
            row.list->addItems(texts);
        }
        row.list->setCurrentIndex(settings.index(row.id));
    }
}

} // namespace n35
