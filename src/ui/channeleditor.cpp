#include "ui/channeleditor.h"

#include "model/channeltable.h"
#include "model/fixedtexts.h"
#include "model/valuetables.h"
#include "ui/glyphpreview.h"
#include "ui/messages.h"
#include "ui/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace n35
{

namespace
{

constexpr int GlyphCount = 8;
constexpr int PairWidth = 13440;
constexpr int SingleWidth = 6555;
constexpr int TopBelowOwner = 1000;

// Panel 2 repeats panel 1's controls; its names carry "_2" and its accessible names say which panel.
struct PanelNaming {
    QString suffix;
    QString spoken;
    QString name(const char *base) const { return QLatin1String(base) + suffix; }
    QString accessible(const QString &caption) const { return caption + spoken; }
};

PanelNaming Naming(int index)
{
    if (index == 0)
        return {};
    return {QStringLiteral("_2"), QStringLiteral(" (second channel)")};
}

// A titled frame of option buttons DETAIL_xxx_0.., laid out `columns` to a row, in one button group
// whose ids are the option indexes.
QGroupBox *OptionFrame(const QString &title, const QStringList &captions, const char *base, int columns,
                       const PanelNaming &naming, QButtonGroup *&group)
{
    auto *frame = new QGroupBox(title);
    auto *grid = new QGridLayout(frame);
    group = new QButtonGroup(frame);
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions.at(i));
        option->setObjectName(naming.name(base).arg(i));
        option->setAccessibleName(naming.accessible(captions.at(i)));
        group->addButton(option, i);
        grid->addWidget(option, i / columns, i % columns);
    }
    return frame;
}

template <typename Control> Control *Named(Control *control, const QString &name, const QString &accessible)
{
    control->setObjectName(name);
    control->setAccessibleName(accessible);
    return control;
}

QLabel *Caption(const char *text, QWidget *buddy = nullptr)
{
    auto *label = new QLabel(QLatin1String(text));
    label->setBuddy(buddy);
    return label;
}

QHBoxLayout *Row(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    row->addStretch();
    return row;
}

void Check(QButtonGroup *group, int id)
{
    if (QAbstractButton *button = group->button(id))
        button->setChecked(true);
}

// A box raises its length limit for a text longer than typing allows (a 1270 MHz channel read from
// the radio), so the text is shown whole rather than cut; "OK" then judges it.
void ShowBoxText(QLineEdit *box, const QString &text, int digits)
{
    box->setMaxLength(std::max(digits, static_cast<int>(text.size())));
    box->setText(text);
}

QChar KeyCharacter(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return QChar(13);
    if (key.key() == Qt::Key_Backspace)
        return QChar(8);
    const QString text = key.text();
    return text.isEmpty() ? QChar() : text.front();
}

} // namespace

ChannelEditor::ChannelEditor(ChannelTable &channelTable, int channel, QWidget *parent,
                             const FontGlyphs *fontGlyphs)
    : QDialog(parent), table(channelTable), glyphs(fontGlyphs), edited(EditedChannel(channel))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Memory Setting"));
    setModal(true);

    auto *panelRow = new QHBoxLayout;
    for (int index = 0; index < 2; ++index)
        panelRow->addWidget(buildPanel(index), 0, Qt::AlignTop);

    DETAIL_ENTER = Named(new QPushButton(FixedText::Ok()), QStringLiteral("DETAIL_ENTER"), FixedText::Ok());
    DETAIL_ENTER->setDefault(true);
    connect(DETAIL_ENTER, &QPushButton::clicked, this, &ChannelEditor::DETAIL_ENTER_Click);
    auto *cancel = Named(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("DETAIL_CANCEL"),
                         QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(DETAIL_ENTER);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(panelRow);
    layout->addLayout(buttons);

    const bool pair = EditsPair(edited);
    showPanel(0, PanelFromCells(table.cells(edited)));
    panels[0].rowLabel->setText(table.label(edited));
    if (pair) {
        showPanel(1, PanelFromCells(table.cells(edited + 1)));
        panels[1].rowLabel->setText(table.label(edited + 1));
    } else {
        showPanel(1, ClearedPanel());
        panels[1].frame->hide();
    }
    startShiftFill(0);
    startShiftFill(1);

    // The widths are the least the window takes; with a larger system font it grows instead of cutting.
    const int width = std::max(twips(pair ? PairWidth : SingleWidth), layout->minimumSize().width());
    setMinimumWidth(width);
    resize(width, layout->sizeHint().height());
    if (parent)
        move(parent->window()->pos() + QPoint(0, twips(TopBelowOwner)));
    panels[0].frequencyMhz->setFocus();
    panels[0].frequencyMhz->selectAll();
}

QLineEdit *ChannelEditor::frequencyBox(const QString &name, int digits, const QString &accessible)
{
    auto *box = Named(new QLineEdit, name, accessible);
    box->setMaxLength(digits);
    box->setAlignment(Qt::AlignRight);
    // Typed keys go through the key filter; the validator keeps pasted or dropped text to digits.
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    const QFontMetrics metrics(box->font());
    box->setFixedWidth(metrics.horizontalAdvance(QString(digits + 1, QLatin1Char('0'))) + twips(180));
    box->installEventFilter(this);
    digitLimits.insert(box, digits);
    return box;
}

// "Frequency" and "Offset Frequency": MHz box "." fraction box "MHz".
QHBoxLayout *ChannelEditor::frequencyRow(const char *caption, const char *base, const QString &spoken,
                                         int index, QLineEdit *&mhz, QLineEdit *&fraction)
{
    const PanelNaming naming = Naming(index);
    mhz =
        frequencyBox(naming.name(base).arg(1), MhzDigits, naming.accessible(spoken + QStringLiteral(" MHz")));
    fraction = frequencyBox(naming.name(base).arg(2), FractionDigits,
                            naming.accessible(spoken + QStringLiteral(" fraction")));
    return Row({Caption(caption, mhz), mhz, Caption("."), fraction, Caption("MHz")});
}

QGroupBox *ChannelEditor::buildPanel(int index)
{
    const PanelNaming naming = Naming(index);
    PanelControls &c = panels.at(static_cast<std::size_t>(index));
    c.frame = new QGroupBox(index == 0 ? QStringLiteral("Memory") : QStringLiteral("Memory 2"));
    c.frame->setObjectName(naming.name("DETAIL_FRAME"));
    auto *column = new QVBoxLayout(c.frame);

    c.rowLabel = new QLabel;
    c.rowLabel->setObjectName(naming.name("DETAIL_LABEL"));
    QFont bold = c.rowLabel->font();
    bold.setBold(true);
    c.rowLabel->setFont(bold);
    column->addWidget(c.rowLabel);
    column->addLayout(frequencyRow("Frequency", "DETAIL_FREQ_%1", QStringLiteral("Frequency"), index,
                                   c.frequencyMhz, c.frequencyFraction));
    for (QLineEdit *box : {c.frequencyMhz, c.frequencyFraction})
        connect(box, &QLineEdit::textEdited, this, [this, index] { frequencyEdited(index); });

    column->addWidget(OptionFrame(QStringLiteral("Modulation Mode"), ModeOptionTexts(), "DETAIL_MODE_%1", 4,
                                  naming, c.mode));
    for (QAbstractButton *option : c.mode->buttons()) {
        if (!ModeOptionStorable(c.mode->id(option))) {
            option->setEnabled(false);
            option->setToolTip(QStringLiteral("The radio stores FM or NFM only"));
        }
    }
    column->addWidget(OptionFrame(QStringLiteral("Step"), StepTexts(), "DETAIL_STEP_%1", 4, naming, c.step));
    column->addWidget(buildTones(index));

    const QStringList shifts{QStringLiteral("Off"), QStringLiteral("+"), QStringLiteral("-")};
    QGroupBox *shift = OptionFrame(QStringLiteral("Shift"), shifts, "DETAIL_SHIFT_%1", 3, naming, c.shift);
    auto *shiftGrid = static_cast<QGridLayout *>(shift->layout());
    shiftGrid->setColumnStretch(3, 1);
    shiftGrid->addLayout(frequencyRow("Offset Frequency", "DETAIL_SHIFT_FREQ_%1", QStringLiteral("Offset"),
                                      index, c.offsetMhz, c.offsetFraction),
                         1, 0, 1, 4);
    // Always there (empty when it has nothing to say), so the window does not jump as the user types.
    c.shiftNote = Named(new QLabel, naming.name("DETAIL_SHIFT_NOTE"),
                        naming.accessible(QStringLiteral("Shift from the band plan")));
    shiftGrid->addWidget(c.shiftNote, 0, 3); // beside the options, so the window grows no taller
    // A shift or offset the user sets is the user's: the band plan leaves it alone from then on.
    auto userSetShift = [this, index] {
        shiftFills.at(static_cast<std::size_t>(index)).userSetShift();
        panels.at(static_cast<std::size_t>(index)).shiftNote->clear();
    };
    connect(c.shift, &QButtonGroup::idClicked, this, userSetShift);
    for (QLineEdit *box : {c.offsetMhz, c.offsetFraction})
        connect(box, &QLineEdit::textEdited, this, userSetShift);
    column->addWidget(shift);

    c.name = Named(new QLineEdit, naming.name("DETAIL_NAME"), naming.accessible(QStringLiteral("Name")));
    connect(c.name, &QLineEdit::editingFinished, this,
            [box = c.name] { box->setText(NameLengthCheckAndCorrect(box->text())); });
    auto *name = Row({Caption("Name", c.name), c.name});
    name->setStretch(1, 1);
    column->addLayout(name);
    c.namePreview = Named(new QLabel, naming.name("DETAIL_NAME_PREVIEW"),
                          naming.accessible(QStringLiteral("Name as the radio shows it")));
    c.namePreview->hide();
    column->addWidget(c.namePreview);
    connect(c.name, &QLineEdit::textChanged, this, [this, index] { showNamePreview(index); });

    auto *glyphs = new QHBoxLayout;
    const QString glyphBase =
        index == 0 ? QStringLiteral("cmdFontInput_%1") : QStringLiteral("cmdFontInputSubCh_%1");
    for (int glyph = 0; glyph < GlyphCount; ++glyph) {
        auto *button = Named(new QToolButton, glyphBase.arg(glyph),
                             naming.accessible(QStringLiteral("Glyph %1").arg(glyph + 1)));
        button->setText(QString::number(glyph + 1));
        button->setToolTip(QStringLiteral("Appends custom glyph %1 to the name").arg(glyph + 1));
        connect(button, &QToolButton::clicked, this, [this, index, glyph] { appendGlyph(index, glyph); });
        glyphs->addWidget(button);
    }
    glyphs->addStretch();
    c.skip = Named(new QCheckBox(QStringLiteral("Skip")), naming.name("DETAIL_SKIP"),
                   naming.accessible(QStringLiteral("Skip")));
    glyphs->addWidget(c.skip);
    auto *clear = Named(new QPushButton(QStringLiteral("Clear")), naming.name("DETAIL_CLEAR"),
                        naming.accessible(QStringLiteral("Clear")));
    clear->setAutoDefault(false);
    connect(clear, &QPushButton::clicked, this, [this, index] { clearPanel(index); });
    glyphs->addWidget(clear);
    column->addLayout(glyphs);
    return c.frame;
}

void ChannelEditor::showNamePreview(int index)
{
    const PanelControls &c = panels.at(static_cast<std::size_t>(index));
    const QString name = c.name->text();
    const bool show = glyphs && HasGlyphCode(name);
    if (show)
        c.namePreview->setPixmap(RadioTextPixmap(name, *glyphs, c.name->font(),
                                                 palette().color(QPalette::Active, QPalette::Text)));
    c.namePreview->setVisible(show);
}

// The sub-tone type options with the four lists they enable and the tone-train list.
QGroupBox *ChannelEditor::buildTones(int index)
{
    const PanelNaming naming = Naming(index);
    PanelControls &c = panels.at(static_cast<std::size_t>(index));
    QGroupBox *tones =
        OptionFrame(QStringLiteral("TSQ/DCS"), ToneTypeTexts(), "PALSE_TYPE_%1", 5, naming, c.type);
    connect(c.type, &QButtonGroup::idToggled, this, [this, index](int type, bool checked) {
        if (checked)
            applyTypeRule(index, type);
    });

    struct ListPlace {
        QComboBox *PanelControls::*list;
        QStringList texts;
        const char *name;
        const char *caption;
        const char *spoken;
    };
    const ListPlace places[] = {
        {&PanelControls::txTone, CtcssTexts(), "TX_TONE_COMBO", "Tx-Tone", "Tx tone"},
        {&PanelControls::rxTone, CtcssTexts(), "RX_TONE_COMBO", "Rx-Tone", "Rx tone"},
        {&PanelControls::txDcs, DcsTexts(), "DCS_COMBO_0", "Tx-DCS", "Tx DCS"},
        {&PanelControls::rxDcs, DcsTexts(), "DCS_COMBO_1", "Rx-DCS", "Rx DCS"},
        {&PanelControls::train, TrainTexts(), "TRAIN_COMBO", "Train", "Tone train"},
    };
    auto *lists = new QGridLayout;
    for (int i = 0; i < static_cast<int>(std::size(places)); ++i) {
        const ListPlace &place = places[i];
        QComboBox *list = c.*place.list = Named(new QComboBox, naming.name(place.name),
                                                naming.accessible(QLatin1String(place.spoken)));
        list->addItems(place.texts);
        list->setMaxVisibleItems(16);
        lists->addWidget(Caption(place.caption, list), i / 2, i % 2 * 2);
        lists->addWidget(list, i / 2, i % 2 * 2 + 1);
    }
    auto *grid = static_cast<QGridLayout *>(tones->layout());
    grid->addLayout(lists, grid->rowCount(), 0, 1, grid->columnCount());
    return tones;
}

ChannelPanel ChannelEditor::panel(int index) const
{
    const PanelControls &c = panels.at(static_cast<std::size_t>(index));
    auto chosen = [](const QButtonGroup *group) { return std::max(group->checkedId(), 0); };
    ChannelPanel p;
    p.frequencyMhz = c.frequencyMhz->text();
    p.frequencyFraction = c.frequencyFraction->text();
    p.mode = chosen(c.mode);
    p.step = chosen(c.step);
    p.type = chosen(c.type);
    p.txTone = c.txTone->currentIndex();
    p.rxTone = c.rxTone->currentIndex();
    p.txDcs = c.txDcs->currentIndex();
    p.rxDcs = c.rxDcs->currentIndex();
    p.train = c.train->currentIndex();
    p.shift = chosen(c.shift);
    p.offsetMhz = c.offsetMhz->text();
    p.offsetFraction = c.offsetFraction->text();
    p.skip = c.skip->isChecked();
    p.name = c.name->text();
    return p;
}

void ChannelEditor::showPanel(int index, const ChannelPanel &p)
{
    PanelControls &c = panels.at(static_cast<std::size_t>(index));
    ShowBoxText(c.frequencyMhz, p.frequencyMhz, MhzDigits);
    ShowBoxText(c.frequencyFraction, p.frequencyFraction, FractionDigits);
    Check(c.mode, p.mode);
    Check(c.step, p.step);
    Check(c.type, p.type);
    applyTypeRule(index, p.type); // also when the option was already the checked one
    c.txTone->setCurrentIndex(p.txTone);
    c.rxTone->setCurrentIndex(p.rxTone);
    c.txDcs->setCurrentIndex(p.txDcs);
    c.rxDcs->setCurrentIndex(p.rxDcs);
    c.train->setCurrentIndex(p.train);
    Check(c.shift, p.shift);
    ShowBoxText(c.offsetMhz, p.offsetMhz, MhzDigits);
    ShowBoxText(c.offsetFraction, p.offsetFraction, FractionDigits);
    c.skip->setChecked(p.skip);
    c.name->setText(p.name);
}

void ChannelEditor::applyTypeRule(int index, int type)
{
    const PanelControls &c = panels.at(static_cast<std::size_t>(index));
    const ToneListsEnabled enabled = TypeRule(type);
    c.txTone->setEnabled(enabled.txTone);
    c.rxTone->setEnabled(enabled.rxTone);
    c.txDcs->setEnabled(enabled.txDcs);
    c.rxDcs->setEnabled(enabled.rxDcs);
}

void ChannelEditor::appendGlyph(int index, int glyph)
{
    QLineEdit *name = panels.at(static_cast<std::size_t>(index)).name;
    name->setText(NameLengthCheckAndCorrect(name->text() + QLatin1Char('\\') + QString::number(glyph + 1)));
}

void ChannelEditor::setAutomaticShift(bool on)
{
    automaticShift = on;
    startShiftFill(0);
    startShiftFill(1);
}

void ChannelEditor::startShiftFill(int index)
{
    shiftFills.at(static_cast<std::size_t>(index)) = RepeaterShiftFill(panel(index), automaticShift);
    panels.at(static_cast<std::size_t>(index)).shiftNote->clear();
}

void ChannelEditor::frequencyEdited(int index)
{
    const PanelControls &c = panels.at(static_cast<std::size_t>(index));
    ChannelPanel p = panel(index);
    const QString band = shiftFills.at(static_cast<std::size_t>(index)).frequencyEdited(p);
    Check(c.shift, p.shift);
    ShowBoxText(c.offsetMhz, p.offsetMhz, MhzDigits);
    ShowBoxText(c.offsetFraction, p.offsetFraction, FractionDigits);
    c.shiftNote->setText(band.isEmpty() ? QString() : QStringLiteral("from the %1 band plan").arg(band));
}

void ChannelEditor::clearPanel(int index)
{
    showPanel(index, ClearedPanel());
    startShiftFill(index);
    panels.at(static_cast<std::size_t>(index)).name->setFocus();
    // A CALL channel always holds a channel in the radio, so it may not be left without a frequency:
    // "OK" waits until one in band has been entered (Enter in a frequency box still tries).
    if (index == 0 && IsCallChannel(edited))
        DETAIL_ENTER->setEnabled(false);
}

void ChannelEditor::DETAIL_ENTER_Click()
{
    const bool pair = EditsPair(edited);
    std::array<ChannelPanel, 2> edits{panel(0), panel(1)};
    const EditResult result = CommitChannelEdit(table, edited, edits);
    showPanel(0, edits[0]);
    if (pair)
        showPanel(1, edits[1]);
    const bool firstInBand = result.verdict != EditVerdict::OutOfBand || result.panel != 0;
    if (firstInBand)
        DETAIL_ENTER->setEnabled(true);

    switch (result.verdict) {
    case EditVerdict::Stored:
        accept();
        break;
    case EditVerdict::OutOfBand:
        panels.at(static_cast<std::size_t>(result.panel)).frequencyMhz->setFocus();
        break;
    case EditVerdict::PassOverlap:
        ShowMessage(this, FixedText::OverlapsInFrequency(), FixedText::ErrorTitle());
        reject(); // nothing was stored; the row keeps what it had
        break;
    case EditVerdict::BadName:
        // Nothing was stored; the user mends the name and presses OK again.
        ShowMessage(this, FixedText::NameNotStored(), FixedText::ErrorTitle(), result.why);
        panels.at(static_cast<std::size_t>(result.panel)).name->setFocus();
        break;
    }
}

bool ChannelEditor::eventFilter(QObject *watched, QEvent *event)
{
    const auto limit = digitLimits.constFind(watched);
    if (event->type() != QEvent::KeyPress || limit == digitLimits.cend())
        return QDialog::eventFilter(watched, event);

    const auto &key = static_cast<const QKeyEvent &>(*event);
    const QChar character = KeyCharacter(key);
    // Keys that type nothing (arrows, Delete, Tab, shortcuts such as paste) keep their usual meaning;
    // the validator still keeps the box to digits.
    if (!character.isPrint() && character != QChar(8) && character != QChar(13))
        return false;
    const auto *box = static_cast<const QLineEdit *>(watched);
    switch (
        FilterFrequencyKey(character, static_cast<int>(box->text().size()), box->hasSelectedText(), *limit)) {
    case KeyVerdict::Accept:
        return false;
    case KeyVerdict::Drop:
        return true;
    case KeyVerdict::Confirm:
        DETAIL_ENTER_Click();
        return true;
    }
    return true;
}

} // namespace n35
