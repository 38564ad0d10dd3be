#pragma once

#include "link/outcome.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace n35
{

class FontGlyphs;
class Session;
class Progress;
class RadioLink;

// "Font" (Form4): the 16 x 16 pixel editor of the eight custom glyphs. A view of the clone image's
// glyphs, so edits outlive the window; it keeps nothing of its own beyond which glyph it shows.
class FontWindow : public QDialog
{
    Q_OBJECT
public:
    FontWindow(Session &owner, QWidget *parent);
    ~FontWindow() override;

    // 0..7, the index of FONT_LIST.
    int currentGlyph() const;

    // Paints glyph n and puts the current cell at row 0, column 0.
    void ShowGlyph(int glyph);
    // Sets or clears the grid's selected rectangle, leaving the current cell and the selection as they were.
    void SetSelectedPixels(bool on);
    void LockFontWindow();
    void UnlockFontWindow();

    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using Command = std::function<TransferOutcome(RadioLink &, FontGlyphs &, Progress &)>;

    QPushButton *addButton(const QString &caption, const QString &name, const std::function<void()> &click);
    void paintGlyph();
    void runTransfer(const Command &command);

    Session &session;
    FontGlyphs &glyphs;
    QTableWidget *MSFlexGrid1 = nullptr;
    QComboBox *FONT_LIST = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    std::unique_ptr<Progress> progress;
    QList<QPushButton *> buttons;
    bool locked = false;
};

// The common page's "FONT": opens the editor modally and unloads it when it closes.
void OpenFontEditor(Session &session, QWidget *parent);

} // namespace n35
