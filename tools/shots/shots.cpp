// Renders the main window's pages offscreen to PNG files, to look at them as a user would:
//   QT_QPA_PLATFORM=offscreen [N35_FONT_PT=14] [N35_SIZE=1024x700] hvn35-shots OUTDIR

#include "model/fixedtexts.h"
#include "model/glyphs.h"
#include "model/title.h"
#include "ui/bankpage.h"
#include "ui/channeleditor.h"
#include "ui/channelprint.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <cstdio>

using namespace n35;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hvn35-shots OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    // N35_FONT_PT=14: how the windows look with a larger system font.
    if (const int points = qEnvironmentVariableIntValue("N35_FONT_PT"); points > 0) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    QTemporaryDir settings;
    MainWindow window(nullptr, settings.filePath(QStringLiteral("HVN35Writer.INI")));
    window.show();
    // N35_SIZE=1024x700: the window at a given size (a small screen), instead of its own.
    if (const QStringList size = qEnvironmentVariable("N35_SIZE").split(QLatin1Char('x')); size.size() == 2)
        window.resize(size.at(0).toInt(), size.at(1).toInt());
    auto save = [&](QWidget &widget, const char *name) {
        QCoreApplication::processEvents(); // let layouts settle after a page switch or resize
        const QString path = out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (!widget.grab().save(path))
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
    };
    ChannelTable &table = window.session().image().channels;
    table.setCells(1, {QStringLiteral("223.50000MHz"), QStringLiteral("FM"), QStringLiteral("12.5KHz"),
                       QStringLiteral("T/R"), QStringLiteral("100.0Hz"), QStringLiteral("100.0Hz"),
                       QStringLiteral("023"), QStringLiteral("023"), QStringLiteral("-"),
                       QStringLiteral("1.60000MHz"), QStringLiteral("*"), QStringLiteral("REPEATER \\1")});
    table.setUsed(1, true);
    // Glyph 1: a small antenna mast; glyph 2 a frame.
    FontGlyphs &glyphs = window.session().image().glyphs;
    glyphs.setRectangle(0, 2, 7, 15, 8, true);
    glyphs.setRectangle(0, 2, 3, 3, 12, true);
    glyphs.setRectangle(1, 0, 0, 15, 15, true);
    glyphs.setRectangle(1, 2, 2, 13, 13, false);
    window.session().image().title.setText(QStringLiteral("CQ \\1 \\2 DE N35"));
    window.switchPage(1);
    save(window, "memory");
    window.switchPage(2);
    save(window, "bank");
    for (int channel : {1, 601}) {
        ChannelEditor editor(table, channel, &window);
        editor.show();
        save(editor, channel == 1 ? "editor" : "editor-pair");
    }
    window.switchPage(3);
    save(window, "common");
    window.switchPage(4);
    save(window, "setmode-english");
    SetModeSettings &options = window.session().image().settings;
    options.setIndex(SetModeSettings::LanguageOption, static_cast<int>(Language::Japanese));
    save(window, "setmode-japanese");
    window.switchPage(3);
    save(window, "common-japanese");
    options.setIndex(SetModeSettings::LanguageOption, static_cast<int>(Language::English));
    // The printed channel list's first page, as Print and Export PDF lay it out.
    window.session().image().title.setText(QStringLiteral("CQ \\1 \\2 DE N35"));
    table.setCells(2, table.cells(1));
    table.setCell(2, ColName, QString::fromUtf8("東京 レピータ"));
    table.setUsed(2, true);
    if (!ChannelListingPage(window.session().image(), QDateTime::currentDateTime(), 0)
             .save(out.filePath(QStringLiteral("print-page1.png"))))
        std::fprintf(stderr, "could not write print-page1.png\n");
    window.resize(window.width() * 3 / 2, window.height() * 3 / 2);
    window.switchPage(1);
    save(window, "memory-large");

    // The Communication menu with the backup items, and the end of a backed-up write.
    if (auto *menu = window.findChild<QMenu *>(QStringLiteral("Tusin_Botton"))) {
        menu->popup(window.mapToGlobal(QPoint(0, 0)));
        save(*menu, "menu-communication");
        menu->hide();
    }
    QMessageBox box(&window);
    PrepareMessageBox(
        box, FixedText::AllWriteSucceeded(), FixedText::FinishTitle(),
        QStringLiteral("5 blocks sent, 981 the radio already held."),
        QStringLiteral("The radio's former contents are in the backup\n/home/user/.local/share/HVN35Writer/"
                       "backups/hvn35-backup-20261207-044401.n35bak"));
    box.show();
    save(box, "message-write-done");
    return 0;
}
