#include "ui/commonpage.h"

#include "link/commontransfer.h"
#include "model/fixedtexts.h"
#include "model/glyphs.h"
#include "model/onetouch.h"
#include "model/settings.h"
#include "model/title.h"
#include "session/session.h"
#include "ui/fontwindow.h"
#include "ui/glyphpreview.h"
#include "ui/optionlists.h"
#include "ui/radiocommand.h"
#include "ui/setmodepage.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace n35
{

namespace
{

QPushButton *Button(QWidget *parent, const QString &caption, const QString &name)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// "Reset", "Read" and "Write" of a frame, right-aligned under it.
QHBoxLayout *FrameButtons(Session &session, QWidget *parent, const QString &reset, const QString &read,
                          const QString &write, const std::array<std::function<void()>, 3> &clicks)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    const QString names[] = {reset, read, write};
    const char *captions[] = {"Reset", "Read", "Write"};
    for (int i = 0; i < 3; ++i) {
        QPushButton *button = Button(parent, QString::fromLatin1(captions[i]), names[i]);
        QObject::connect(button, &QPushButton::clicked, parent, clicks[static_cast<std::size_t>(i)]);
        new BusyGate(session, button);
        row->addWidget(button);
    }
    return row;
}

void ShowItems(QComboBox *list, const QStringList &texts, int selected)
{
    const QSignalBlocker quiet(list);
    bool same = list->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i)
        same = list->itemText(i) == texts.at(i);
    if (!same) {
        list->clear();
        list->addItems(texts);
    }
    list->setCurrentIndex(selected);
}

} // namespace

CommonPage::CommonPage(Session &owner, QWidget *parent) : QWidget(parent), session(owner)
{
    setObjectName(QStringLiteral("CommonPage"));
    CloneImage &image = session.image();

    auto *left = new QVBoxLayout;
    left->addWidget(buildOneTouchFrame());
    left->addWidget(buildTitleFrame());
    left->addStretch(1);
    auto *page = new QHBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addLayout(left);
    page->addWidget(buildSettingFrame(), 1);

    connect(&image.oneTouch, &OneTouchKeys::changed, this, &CommonPage::refreshOneTouch);
    connect(&image.title, &OpeningTitle::changed, this, &CommonPage::refreshTitle);
    connect(&image.settings, &SetModeSettings::changed, this, [this] {
        setting->refresh();
        refreshTitle(); // the title frame's captions follow the language
    });
    refreshOneTouch();
    refreshTitle();
}

CommonPage::~CommonPage() = default;

QGroupBox *CommonPage::buildOneTouchFrame()
{
    OneTouchKeys &keys = session.image().oneTouch;
    auto *frame = new QGroupBox(QStringLiteral("OneTouch Memory"), this);
    auto *grid = new QGridLayout(frame);
    grid->setVerticalSpacing(2);
    const char *headers[] = {"Key No", "Bank", "CH"};
    for (int column = 0; column < 3; ++column)
        grid->addWidget(new QLabel(QString::fromLatin1(headers[column]), frame), 0, column);
    for (int i = 0; i < KeyCount; ++i) {
        const QString name = QStringLiteral("One-touch %1").arg(i + 1);
        auto *bank = new QComboBox(frame);
        bank->setObjectName(QStringLiteral("otmBank_%1").arg(i));
        bank->setAccessibleName(name + QStringLiteral(" bank"));
        bank->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        auto *channel = new QComboBox(frame);
        channel->setObjectName(QStringLiteral("otmCh_%1").arg(i));
        channel->setAccessibleName(name + QStringLiteral(" channel"));
        channel->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        channel->setMaxVisibleItems(20);
        auto *disable = new QCheckBox(QStringLiteral("Disable"), frame);
        disable->setObjectName(QStringLiteral("NO_SET_%1").arg(i));
        disable->setAccessibleName(name + QStringLiteral(" disabled"));
        connect(bank, &QComboBox::activated, &keys,
                [&keys, bank, i](int) { keys.setBank(i, bank->currentText().toInt()); });
        connect(channel, &QComboBox::activated, &keys, [&keys, i](int index) { keys.setPosition(i, index); });
        connect(disable, &QCheckBox::clicked, &keys,
                [&keys, i](bool checked) { keys.setDisabled(i, checked); });
        // A hidden list keeps its place, so the rows do not jump.
        for (QWidget *widget : {static_cast<QWidget *>(bank), static_cast<QWidget *>(channel)}) {
            QSizePolicy policy = widget->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            widget->setSizePolicy(policy);
        }
        grid->addWidget(new QLabel(QString::number(i + 1), frame), i + 1, 0);
        grid->addWidget(bank, i + 1, 1);
        grid->addWidget(channel, i + 1, 2);
        grid->addWidget(disable, i + 1, 3);
        otmBank[static_cast<std::size_t>(i)] = bank;
        otmCh[static_cast<std::size_t>(i)] = channel;
        NO_SET[static_cast<std::size_t>(i)] = disable;
    }
    grid->addLayout(FrameButtons(session, frame, QStringLiteral("COMMON_ONE_TOUCH_RESET"),
                                 QStringLiteral("READ_ONE_TOUCH"), QStringLiteral("WRITE_ONE_TOUCH"),
                                 {[this] { COMMON_ONE_TOUCH_RESET_Click(); },
                                  [this] {
                                      RunRadioCommand(
                                          session, this,
                                          [this] {
                                              return OneTouchRead(session.link(), session.image().oneTouch,
                                                                  session.progress());
                                          },
                                          FixedText::OneTouchReadSucceeded());
                                  },
                                  [this] {
                                      RunRadioCommand(
                                          session, this,
                                          [this] {
                                              return OneTouchWrite(session.link(), session.image().oneTouch,
                                                                   session.progress());
                                          },
                                          FixedText::OneTouchWriteSucceeded());
                                  }}),
                    KeyCount + 1, 0, 1, 4);
    return frame;
}

QGroupBox *CommonPage::buildTitleFrame()
{
    OpeningTitle &title = session.image().title;
    titleFrame = new QGroupBox(this);
    titleFrame->setObjectName(QStringLiteral("TitleFrame"));
    auto *layout = new QVBoxLayout(titleFrame);
    TITLE_TEXT = new QLineEdit(titleFrame);
    TITLE_TEXT->setObjectName(QStringLiteral("TITLE_TEXT"));
    TITLE_TEXT->setAccessibleName(QStringLiteral("Title"));
    TITLE_TEXT->setMinimumWidth(fontMetrics().horizontalAdvance(QString(18, QLatin1Char('W'))));
    connect(TITLE_TEXT, &QLineEdit::textEdited, &title, &OpeningTitle::setText);
    layout->addWidget(TITLE_TEXT);
    // The title as the radio will show it, when it holds a custom glyph.
    titlePreview = new QLabel(titleFrame);
    titlePreview->setObjectName(QStringLiteral("TITLE_PREVIEW"));
    titlePreview->setAccessibleName(QStringLiteral("Title as the radio shows it"));
    layout->addWidget(titlePreview);
    connect(&session.image().glyphs, &FontGlyphs::changed, this, &CommonPage::refreshTitle);

    auto *glyphs = new QHBoxLayout;
    for (int i = 0; i < 8; ++i) {
        QPushButton *button =
            Button(titleFrame, QString::number(i + 1), QStringLiteral("Command2_%1").arg(i));
        button->setAccessibleName(QStringLiteral("Title glyph %1").arg(i + 1));
        button->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("888")) + 12);
        connect(button, &QPushButton::clicked, &title, [&title, i] { title.appendGlyph(i + 1); });
        new BusyGate(session, button);
        glyphs->addWidget(button);
    }
    glyphs->addStretch(1);
    // The glyph editor, where the pictures behind "1".."8" are drawn.
    QPushButton *font = Button(titleFrame, QStringLiteral("FONT"), QStringLiteral("cmdFontDialogOpen"));
    font->setAccessibleName(QStringLiteral("Edit custom glyphs"));
    connect(font, &QPushButton::clicked, this, [this] { OpenFontEditor(session, window()); });
    new BusyGate(session, font);
    glyphs->addWidget(font);
    layout->addLayout(glyphs);

    auto *motion = new QHBoxLayout;
    DOUSA = new QLabel(titleFrame);
    DOUSA->setObjectName(QStringLiteral("DOUSA"));
    OP_DOUSA = new QComboBox(titleFrame);
    OP_DOUSA->setObjectName(QStringLiteral("OP_DOUSA"));
    DOUSA->setBuddy(OP_DOUSA);
    connect(OP_DOUSA, &QComboBox::activated, &title, &OpeningTitle::setMotion);
    motion->addWidget(DOUSA);
    motion->addWidget(OP_DOUSA);
    motion->addStretch(1);
    layout->addLayout(motion);
    layout->addLayout(FrameButtons(
        session, titleFrame, QStringLiteral("TITLE_CLEAR"), QStringLiteral("TITLE_READ"),
        QStringLiteral("TITLE_WRITE"),
        {[this] { TITLE_CLEAR_Click(); },
         [this] {
             RunRadioCommand(
                 session, this,
                 [this] { return TitleRead(session.link(), session.image().title, session.progress()); },
                 FixedText::TitleReadSucceeded());
         },
         [this] {
             RunRadioCommand(
                 session, this,
                 [this] { return TitleWrite(session.link(), session.image().title, session.progress()); },
                 FixedText::TitleWriteSucceeded());
         }}));
    return titleFrame;
}

QWidget *CommonPage::buildSettingFrame()
{
    setting =
        std::make_unique<OptionFrameView>(session.image().settings, OptionFrame::CommonSetting, this, 2);
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(setting->box());
    layout->addLayout(
        FrameButtons(session, column, QStringLiteral("SETTING_RESET"), QStringLiteral("SETTING_READ"),
                     QStringLiteral("SETTING_WRITE"),
                     {[this] { SETTING_RESET_Click(); }, [this] { SETTING_READ_Click(session, this); },
                      [this] { SETTING_WRITE_Click(session, this); }}));
    layout->addStretch(1);
    return column;
}

void CommonPage::refreshOneTouch()
{
    const OneTouchKeys &keys = session.image().oneTouch;
    for (int i = 0; i < KeyCount; ++i) {
        const OneTouchKeys::Key &key = keys.key(i);
        const auto at = static_cast<std::size_t>(i);
        ShowItems(otmBank[at], keys.bankEntries(),
                  static_cast<int>(keys.bankEntries().indexOf(QString::number(key.bank))));
        QStringList positions;
        for (int p = 0; p < keys.positionCount(i); ++p)
            positions << QString::number(p);
        ShowItems(otmCh[at], positions, key.position);
        const QSignalBlocker quiet(NO_SET[at]);
        NO_SET[at]->setChecked(key.disabled);
        otmBank[at]->setVisible(!key.disabled);
        otmCh[at]->setVisible(!key.disabled);
    }
}

void CommonPage::refreshTitle()
{
    const OpeningTitle &title = session.image().title;
    const Language language = session.image().settings.language();
    titleFrame->setTitle(TitleFrameCaption(language));
    DOUSA->setText(TitleMotionCaption(language));
    OP_DOUSA->setAccessibleName(TitleMotionCaption(language));
    ShowItems(OP_DOUSA, TitleMotionTexts(language), title.motion());
    if (TITLE_TEXT->text() != title.text())
        TITLE_TEXT->setText(title.text());
    const bool preview = HasGlyphCode(title.text());
    if (preview)
        titlePreview->setPixmap(RadioTextPixmap(title.text(), session.image().glyphs, TITLE_TEXT->font(),
                                                palette().color(QPalette::Active, QPalette::Text)));
    titlePreview->setVisible(preview);
}

void CommonPage::COMMON_ONE_TOUCH_RESET_Click()
{
    session.image().oneTouch.reset();
}

void CommonPage::TITLE_CLEAR_Click()
{
    session.image().title.reset();
}

void CommonPage::SETTING_RESET_Click()
{
    session.image().settings.CommonSettingReset();
}

} // namespace n35
