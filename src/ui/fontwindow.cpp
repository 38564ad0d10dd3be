#include "ui/fontwindow.h"

#include "link/glyphtransfer.h"
#include "link/progress.h"
#include "model/fixedtexts.h"
#include "model/glyphs.h"
#include "session/session.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"
#include "ui/twips.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>

namespace n35
{

namespace
{

constexpr int Cell = 400;
constexpr int WindowHeight = 9435;
constexpr int LeftOfOwner = 3000;
const QColor SetColour(0, 0, 128);

// The window's own bar; the main window's bar stays at rest while the editor transfers.
class WindowProgress : public Progress
{
public:
    explicit WindowProgress(QProgressBar *bar) : bar(bar) {}
    void start(int maximum) override
    {
        bar->setRange(0, std::max(maximum, 1));
        bar->setValue(0);
    }
    void advance() override { bar->setValue(std::min(bar->value() + 1, bar->maximum())); }

private:
    QProgressBar *bar;
};

// The selection is laid over the pixels rather than painted instead of them, so a selected rectangle
// still shows what "Select Setting" or "Select Delete" will change.
class PixelDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QVariant background = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect, background.isValid() ? background.value<QBrush>()
                                                            : option.palette.brush(QPalette::Base));
        if (option.state & QStyle::State_Selected) {
            QColor highlight = option.palette.color(QPalette::Highlight);
            highlight.setAlpha(110);
            painter->fillRect(option.rect, highlight);
        }
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
    }
};

} // namespace

FontWindow::FontWindow(Session &owner, QWidget *parent)
    : QDialog(parent), session(owner), glyphs(owner.image().glyphs)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(FixedText::FontWindowCaption());
    setModal(true);

    const int cell = twips(Cell);
    MSFlexGrid1 = new QTableWidget(FontGlyphs::Size, FontGlyphs::Size, this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(QStringLiteral("Glyph pixels"));
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    MSFlexGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setItemDelegate(new PixelDelegate(MSFlexGrid1));
    for (QHeaderView *header : {MSFlexGrid1->horizontalHeader(), MSFlexGrid1->verticalHeader()}) {
        header->hide();
        header->setMinimumSectionSize(cell);
        header->setDefaultSectionSize(cell);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    for (int row = 0; row < FontGlyphs::Size; ++row) {
        for (int column = 0; column < FontGlyphs::Size; ++column) {
            auto *item = new QTableWidgetItem;
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            MSFlexGrid1->setItem(row, column, item);
        }
    }
    MSFlexGrid1->setFixedSize(FontGlyphs::Size * cell + 2 * MSFlexGrid1->frameWidth(),
                              FontGlyphs::Size * cell + 2 * MSFlexGrid1->frameWidth());
    MSFlexGrid1->installEventFilter(this);
    connect(MSFlexGrid1, &QTableWidget::cellClicked, this, [this](int row, int column) {
        // Shift or Ctrl with a click shapes the selection; it is not meant to paint.
        if (!(QGuiApplication::keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
            glyphs.togglePixel(currentGlyph(), row, column);
    });

    FONT_LIST = new QComboBox(this);
    FONT_LIST->setObjectName(QStringLiteral("FONT_LIST"));
    FONT_LIST->setAccessibleName(QStringLiteral("Glyph"));
    for (int glyph = 1; glyph <= FontGlyphs::GlyphCount; ++glyph)
        FONT_LIST->addItem(QString::number(glyph));
    connect(FONT_LIST, &QComboBox::currentIndexChanged, this, &FontWindow::ShowGlyph);

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));
    ProgressBar1->setRange(0, 2);
    ProgressBar1->setValue(0);
    progress = std::make_unique<WindowProgress>(ProgressBar1);

    auto *side = new QVBoxLayout;
    side->addWidget(FONT_LIST);
    auto *steps = new QHBoxLayout;
    steps->addWidget(addButton(QStringLiteral("BACK"), QStringLiteral("FONT_BACK"), [this] {
        if (FONT_LIST->currentIndex() > 0)
            FONT_LIST->setCurrentIndex(FONT_LIST->currentIndex() - 1);
    }));
    steps->addWidget(addButton(QStringLiteral("NEXT"), QStringLiteral("FONT_NEXT"), [this] {
        if (FONT_LIST->currentIndex() < FontGlyphs::GlyphCount - 1)
            FONT_LIST->setCurrentIndex(FONT_LIST->currentIndex() + 1);
    }));
    side->addLayout(steps);
    side->addSpacing(twips(120));
    side->addWidget(addButton(QStringLiteral("Read"), QStringLiteral("cmdFont_1_read"), [this] {
        const int glyph = currentGlyph();
        runTransfer([glyph](RadioLink &link, FontGlyphs &g, Progress &p) {
            return FontEditorRead(link, g, glyph, p);
        });
    }));
    side->addWidget(addButton(QStringLiteral("Write"), QStringLiteral("cmdFont_1_write"), [this] {
        const int glyph = currentGlyph();
        runTransfer([glyph](RadioLink &link, FontGlyphs &g, Progress &p) {
            return FontEditorWrite(link, g, glyph, p);
        });
    }));
    side->addWidget(addButton(QStringLiteral("Read ALL"), QStringLiteral("cmdFontAllRead"),
                              [this] { runTransfer(&FontEditorReadAll); }));
    side->addWidget(addButton(QStringLiteral("Write ALL"), QStringLiteral("cmdFontAllWrite"),
                              [this] { runTransfer(&FontEditorWriteAll); }));
    side->addSpacing(twips(120));
    side->addWidget(addButton(QStringLiteral("Select Setting"), QStringLiteral("IKKATU_ON"),
                              [this] { SetSelectedPixels(true); }));
    side->addWidget(addButton(QStringLiteral("Select Delete"), QStringLiteral("IKKATU_OFF"),
                              [this] { SetSelectedPixels(false); }));
    side->addWidget(addButton(QStringLiteral("Clear"), QStringLiteral("FONT_CLEAR"),
                              [this] { glyphs.clearGlyph(currentGlyph()); }));
    side->addWidget(
        addButton(QStringLiteral("All Clear"), QStringLiteral("ALL_CLEAR"), [this] { glyphs.reset(); }));
    side->addStretch(1);
    side->addWidget(addButton(FixedText::Ok(), QStringLiteral("Command1"), [this] { accept(); }));

    auto *left = new QVBoxLayout;
    left->addWidget(MSFlexGrid1);
    left->addStretch(1);
    left->addWidget(ProgressBar1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(side);

    connect(&glyphs, &FontGlyphs::changed, this, &FontWindow::paintGlyph);
    ShowGlyph(0);

    // The height is the least the window takes; a larger system font makes it grow instead of cutting.
    resize(layout->sizeHint().width(), std::max(twips(WindowHeight), layout->sizeHint().height()));
    if (parent)
        move(parent->window()->pos() + QPoint(twips(LeftOfOwner), 0));
    MSFlexGrid1->setFocus();
}

FontWindow::~FontWindow() = default;

QPushButton *FontWindow::addButton(const QString &caption, const QString &name,
                                   const std::function<void()> &click)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    // Enter in the grid must not start a transfer.
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, click);
    buttons << button;
    return button;
}

int FontWindow::currentGlyph() const
{
    return FONT_LIST->currentIndex();
}

void FontWindow::ShowGlyph(int glyph)
{
    {
        const QSignalBlocker quiet(FONT_LIST);
        FONT_LIST->setCurrentIndex(glyph);
    }
    paintGlyph();
    MSFlexGrid1->setCurrentCell(0, 0);
}

void FontWindow::paintGlyph()
{
    const int glyph = currentGlyph();
    MSFlexGrid1->setUpdatesEnabled(false);
    for (int row = 0; row < FontGlyphs::Size; ++row) {
        for (int column = 0; column < FontGlyphs::Size; ++column) {
            const bool set = glyphs.pixel(glyph, row, column);
            QTableWidgetItem *item = MSFlexGrid1->item(row, column);
            item->setData(Qt::BackgroundRole, set ? QVariant(QBrush(SetColour)) : QVariant());
            item->setData(Qt::AccessibleTextRole,
                          QStringLiteral("Row %1, column %2, %3")
                              .arg(row + 1)
                              .arg(column + 1)
                              .arg(set ? QStringLiteral("set") : QStringLiteral("clear")));
        }
    }
    MSFlexGrid1->setUpdatesEnabled(true);
}

void FontWindow::SetSelectedPixels(bool on)
{
    QItemSelectionModel *selection = MSFlexGrid1->selectionModel();
    const QModelIndex current = selection->currentIndex();
    const QItemSelection selected = selection->selection();
    int top = current.row(), bottom = current.row(), left = current.column(), right = current.column();
    if (!selected.isEmpty()) {
        top = left = FontGlyphs::Size;
        bottom = right = -1;
        for (const QItemSelectionRange &range : selected) {
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
            left = std::min(left, range.left());
            right = std::max(right, range.right());
        }
    } else if (!current.isValid()) {
        return;
    }
    glyphs.setRectangle(currentGlyph(), top, left, bottom, right, on);
    selection->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    selection->select(selected, QItemSelectionModel::ClearAndSelect);
}

void FontWindow::LockFontWindow()
{
    locked = true;
    for (QPushButton *button : buttons)
        button->setEnabled(false);
    FONT_LIST->setEnabled(false);
    // A pixel changed under a running "Write ALL" would go out half-edited.
    MSFlexGrid1->setEnabled(false);
}

void FontWindow::UnlockFontWindow()
{
    for (QPushButton *button : buttons)
        button->setEnabled(true);
    FONT_LIST->setEnabled(true);
    MSFlexGrid1->setEnabled(true);
    ProgressBar1->setValue(0);
    locked = false;
}

void FontWindow::runTransfer(const Command &command)
{
    LockFontWindow();
    const TransferOutcome outcome =
        session.runRadioCommand([&] { return command(session.link(), glyphs, *progress); });
    if (outcome.ok)
        ShowMessage(this, FixedText::Ok(), FixedText::Ok());
    else
        ShowMessage(this, outcome.message.text, outcome.message.title, outcome.message.detail);
    UnlockFontWindow();
}

void FontWindow::reject()
{
    // A transfer waits in a nested event loop further up the stack; the window must outlive it.
    if (!locked)
        QDialog::reject();
}

bool FontWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Space toggles the current cell, as a click does, for those who edit from the keyboard.
    if (watched == MSFlexGrid1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Space && MSFlexGrid1->currentIndex().isValid()) {
        glyphs.togglePixel(currentGlyph(), MSFlexGrid1->currentRow(), MSFlexGrid1->currentColumn());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OpenFontEditor(Session &session, QWidget *parent)
{
    FontWindow editor(session, parent);
    editor.exec();
}

} // namespace n35
