#include "ui/findbar.h"

#include "model/channelsearch.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <utility>

namespace n35
{

namespace
{

QPushButton *AddButton(QHBoxLayout *row, QWidget *parent, const QString &text, const char *name,
                       const QString &accessible)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    row->addWidget(button);
    return button;
}

} // namespace

FindBar::FindBar(const ChannelTable &channels, std::function<int()> current, QWidget *parent)
    : QWidget(parent), table(channels), currentChannel(std::move(current))
{
    setObjectName(QStringLiteral("FindBar"));
    setAccessibleName(QStringLiteral("Find bar"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);

    auto *findLabel = new QLabel(QStringLiteral("Find:"), this);
    findLabel->setObjectName(QStringLiteral("FindLabel"));
    findText = new QLineEdit(this);
    findText->setObjectName(QStringLiteral("FindText"));
    findText->setAccessibleName(QStringLiteral("Find a frequency or a name"));
    findText->setPlaceholderText(QStringLiteral("frequency or name"));
    findText->setClearButtonEnabled(true);
    findLabel->setBuddy(findText);
    row->addWidget(findLabel);
    row->addWidget(findText, 2);
    QPushButton *previous =
        AddButton(row, this, QStringLiteral("Previous"), "FindPrevious", QStringLiteral("Find previous"));
    QPushButton *next = AddButton(row, this, QStringLiteral("Next"), "FindNext", QStringLiteral("Find next"));
    row->addSpacing(12);

    auto *goToLabel = new QLabel(QStringLiteral("Go to row:"), this);
    goToLabel->setObjectName(QStringLiteral("GoToLabel"));
    goToText = new QLineEdit(this);
    goToText->setObjectName(QStringLiteral("GoToText"));
    goToText->setAccessibleName(QStringLiteral("Go to a row by its label"));
    goToText->setPlaceholderText(QStringLiteral("Bank03-010"));
    goToLabel->setBuddy(goToText);
    row->addWidget(goToLabel);
    row->addWidget(goToText, 1);
    QPushButton *go = AddButton(row, this, QStringLiteral("Go"), "GoToRow", QStringLiteral("Go to row"));

    statusText = new QLabel(this);
    statusText->setObjectName(QStringLiteral("FindStatus"));
    statusText->setAccessibleName(QStringLiteral("Find result"));
    statusText->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("\"Bank03-010\" not found")));
    row->addWidget(statusText, 1);

    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("FindClose"));
    close->setAccessibleName(QStringLiteral("Close the find bar"));
    close->setText(QStringLiteral("Close"));
    close->setAutoRaise(true);
    row->addWidget(close);

    connect(findText, &QLineEdit::returnPressed, this, &FindBar::findNext);
    connect(findText, &QLineEdit::textEdited, this, [this] { say({}); });
    connect(next, &QPushButton::clicked, this, &FindBar::findNext);
    connect(previous, &QPushButton::clicked, this, &FindBar::findPrevious);
    connect(goToText, &QLineEdit::returnPressed, this, &FindBar::goTo);
    connect(go, &QPushButton::clicked, this, &FindBar::goTo);
    connect(close, &QToolButton::clicked, this, &FindBar::closeBar);
    for (QLineEdit *field : {findText, goToText})
        field->installEventFilter(this);
}

void FindBar::openFind()
{
    show();
    findText->setFocus(Qt::ShortcutFocusReason);
    findText->selectAll();
}

void FindBar::openGoTo()
{
    show();
    goToText->setFocus(Qt::ShortcutFocusReason);
    goToText->selectAll();
}

bool FindBar::findNext()
{
    return find(true);
}

bool FindBar::findPrevious()
{
    return find(false);
}

bool FindBar::find(bool forward)
{
    const QString text = findText->text().trimmed();
    if (text.isEmpty()) {
        say({});
        return false;
    }
    const std::optional<FoundChannel> found = FindChannel(table, text, currentChannel(), forward);
    if (!found) {
        say(QStringLiteral("\"%1\" not found").arg(text));
        return false;
    }
    say(found->wrapped ? (forward ? QStringLiteral("Continued from the top")
                                  : QStringLiteral("Continued from the bottom"))
                       : QString());
    emit channelFound(found->channel);
    return true;
}

bool FindBar::goTo()
{
    const QString text = goToText->text().trimmed();
    if (text.isEmpty()) {
        say({});
        return false;
    }
    const std::optional<int> channel = ChannelOfLabel(table, text);
    if (!channel) {
        say(QStringLiteral("\"%1\" not found").arg(text));
        return false;
    }
    say({});
    emit channelFound(*channel);
    return true;
}

QString FindBar::status() const
{
    return statusText->text();
}

void FindBar::closeBar()
{
    hide();
    emit closed();
}

void FindBar::say(const QString &text)
{
    statusText->setText(text);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            closeBar();
            return true;
        }
        // Shift+Enter searches backwards, as in most find bars.
        if (watched == findText && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers().testFlag(Qt::ShiftModifier)) {
            findPrevious();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace n35
