#include "ui/setmodepage.h"

#include "link/settingstransfer.h"
#include "model/dtmf.h"
#include "model/fixedtexts.h"
#include "model/settings.h"
#include "model/textcodec.h"
#include "session/session.h"
#include "ui/optionlists.h"
#include "ui/radiocommand.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

namespace n35
{

namespace
{

QPushButton *CommandButton(Session &session, QWidget *parent, const char *caption, const char *name)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    new BusyGate(session, button);
    return button;
}

QComboBox *DtmfList(QWidget *parent, const char *name, const char *caption, const QStringList &texts)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QStringLiteral("DTMF ") + QString::fromLatin1(caption));
    list->addItems(texts);
    return list;
}

void SelectQuietly(QComboBox *list, int index)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

} // namespace

SetModePage::SetModePage(Session &owner, QWidget *parent) : QWidget(parent), session(owner)
{
    setObjectName(QStringLiteral("SetModePage"));
    SetModeSettings &settings = session.image().settings;

    // Four columns of frames; the page scrolls rather than cut anything off on a small screen.
    content = new QWidget;
    auto *columns = new QHBoxLayout(content);
    const std::vector<std::vector<OptionFrame>> layout = {
        {OptionFrame::ScreenDisplay, OptionFrame::PowerBattery, OptionFrame::Transmitter,
         OptionFrame::Repeater},
        {OptionFrame::Receiver, OptionFrame::Scanning, OptionFrame::Sound},
        {OptionFrame::KeyAssignment, OptionFrame::Memory, OptionFrame::ChDisplayMode,
         OptionFrame::BugDetector},
    };
    for (const auto &column : layout) {
        auto *stack = new QVBoxLayout;
        for (OptionFrame frame : column) {
            frames.push_back(std::make_unique<OptionFrameView>(settings, frame, content));
            stack->addWidget(frames.back()->box());
        }
        stack->addStretch(1);
        columns->addLayout(stack);
    }
    auto *dtmfColumn = new QVBoxLayout;
    dtmfColumn->addWidget(buildDtmfFrame());
    dtmfColumn->addStretch(1);
    columns->addLayout(dtmfColumn);

    auto *scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);

    Set_Mode_Clear = CommandButton(session, this, "Reset", "Set_Mode_Clear");
    Set_Mode_Read = CommandButton(session, this, "Read", "Set_Mode_Read");
    Set_Mode_Write = CommandButton(session, this, "Write", "Set_Mode_Write");
    connect(Set_Mode_Clear, &QPushButton::clicked, this, &SetModePage::Set_Mode_Clear_Click);
    connect(Set_Mode_Read, &QPushButton::clicked, this, [this] { SETTING_READ_Click(session, this); });
    connect(Set_Mode_Write, &QPushButton::clicked, this, [this] { SETTING_WRITE_Click(session, this); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *button : {Set_Mode_Clear, Set_Mode_Read, Set_Mode_Write})
        buttons->addWidget(button);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(scroll, 1);
    page->addLayout(buttons);

    connect(&settings, &SetModeSettings::changed, this, &SetModePage::refresh);
    connect(&session.image().dtmf, &DtmfMemories::changed, this, &SetModePage::refreshDtmf);
    refreshDtmf();
}

SetModePage::~SetModePage() = default;

int SetModePage::preferredWidth() const
{
    return content->sizeHint().width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8;
}

QWidget *SetModePage::buildDtmfFrame()
{
    DtmfMemories &dtmf = session.image().dtmf;
    auto *frame = new QGroupBox(QStringLiteral("DTMF"));
    auto *form = new QFormLayout(frame);
    form->setVerticalSpacing(2);
    COMMON_WAIT = DtmfList(frame, "COMMON_WAIT", "Wait", DtmfWaitTexts());
    COMMON_HEAD = DtmfList(frame, "COMMON_HEAD", "Head", DtmfTimingTexts());
    COMMON_BURST = DtmfList(frame, "COMMON_BURST", "Burst", DtmfTimingTexts());
    COMMON_PAUSE = DtmfList(frame, "COMMON_PAUSE", "Pause", DtmfTimingTexts());
    COMMON_DIAL_CH = DtmfList(frame, "COMMON_DIAL_CH", "Ch", DtmfDialChannelTexts());
    form->addRow(QStringLiteral("Wait"), COMMON_WAIT);
    form->addRow(QStringLiteral("Head"), COMMON_HEAD);
    form->addRow(QStringLiteral("Burst"), COMMON_BURST);
    form->addRow(QStringLiteral("Pause"), COMMON_PAUSE);
    form->addRow(QStringLiteral("Ch"), COMMON_DIAL_CH);
    connect(COMMON_WAIT, &QComboBox::activated, &dtmf, &DtmfMemories::setWait);
    connect(COMMON_HEAD, &QComboBox::activated, &dtmf, &DtmfMemories::setHead);
    connect(COMMON_BURST, &QComboBox::activated, &dtmf, &DtmfMemories::setBurst);
    connect(COMMON_PAUSE, &QComboBox::activated, &dtmf, &DtmfMemories::setPause);
    connect(COMMON_DIAL_CH, &QComboBox::activated, &dtmf, &DtmfMemories::setDialChannel);

    const int width = fontMetrics().horizontalAdvance(QString(DtmfMemories::MaxDigits + 1, QLatin1Char('D')));
    for (int m = 0; m < DtmfMemories::MemoryCount; ++m) {
        auto *box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("COMMON_DTMF_%1").arg(m));
        box->setAccessibleName(m == 0 ? QStringLiteral("DTMF memory 0") : QStringLiteral("DTMF Ch%1").arg(m));
        box->setMinimumWidth(width);
        box->installEventFilter(this);
        // Every edit goes to the memory at once, which keeps only DTMF characters and at most 16.
        connect(box, &QLineEdit::textEdited, &dtmf,
                [&dtmf, m](const QString &text) { dtmf.setMemory(m, text); });
        COMMON_DTMF[static_cast<std::size_t>(m)] = box;
        // Memory 0 has no caption and sits below the lists.
        form->addRow(m == 0 ? QString() : QStringLiteral("Ch%1").arg(m), box);
    }
    return frame;
}

bool SetModePage::eventFilter(QObject *watched, QEvent *event)
{
    const auto box = std::find(COMMON_DTMF.begin(), COMMON_DTMF.end(), watched);
    if (box != COMMON_DTMF.end() && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().size() != 1 || key->key() == Qt::Key_Delete)
            return false; // keys that type nothing move and delete as usual
        QChar typed = key->text().at(0);
        if (key->key() == Qt::Key_Backspace)
            typed = QChar(8);
        // A digit typed over a selection replaces it.
        QString kept = (*box)->text();
        kept.remove((*box)->selectionStart() < 0 ? 0 : (*box)->selectionStart(),
                    (*box)->selectedText().size());
        return FilterDtmfKey(typed, kept) == KeyVerdict::Drop;
    }
    return QWidget::eventFilter(watched, event);
}

void SetModePage::refresh()
{
    for (const auto &frame : frames)
        frame->refresh();
}

void SetModePage::refreshDtmf()
{
    const DtmfMemories &dtmf = session.image().dtmf;
    for (int m = 0; m < DtmfMemories::MemoryCount; ++m) {
        QLineEdit *box = COMMON_DTMF[static_cast<std::size_t>(m)];
        if (box->text() != dtmf.memory(m))
            box->setText(dtmf.memory(m));
    }
    SelectQuietly(COMMON_WAIT, dtmf.wait());
    SelectQuietly(COMMON_HEAD, dtmf.head());
    SelectQuietly(COMMON_BURST, dtmf.burst());
    SelectQuietly(COMMON_PAUSE, dtmf.pause());
    SelectQuietly(COMMON_DIAL_CH, dtmf.dialChannel());
}

void SetModePage::Set_Mode_Clear_Click()
{
    session.image().settings.SetModeReset();
    session.image().dtmf.ClearDtmf();
}

void SETTING_READ_Click(Session &session, QWidget *parent)
{
    SetModeSettings &settings = session.image().settings;
    RunRadioCommand(
        session, parent,
        [&] { return SettingRead(session.link(), settings, session.image().dtmf, session.progress()); },
        FixedText::SettingReadSucceeded());
}

void SETTING_WRITE_Click(Session &session, QWidget *parent)
{
    SetModeSettings &settings = session.image().settings;
    RunRadioCommand(
        session, parent,
        [&] { return SettingWrite(session.link(), settings, session.image().dtmf, session.progress()); },
        FixedText::SettingWriteSucceeded());
}

} // namespace n35
