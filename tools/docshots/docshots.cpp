// The user guide's screenshots, every one made by the program itself:
//   QT_QPA_PLATFORM=offscreen hvn35-docshots OUTDIR        (./build.sh docs writes docs/images/)
//
// A radio emulator gets a varied memory through "Write All Data" of one window; a second window reads it
// back with "Read All Data", as a user with a cable would, and every window, page, menu and the main
// message boxes are rendered from there, the language-dependent pages in English and Japanese.

#include "emulator/emulatorsession.h"
#include "files/readfile.h"
#include "files/savefile.h"
#include "model/channelcells.h"
#include "model/imagediff.h"
#include "sample/sampleimage.h"
#include "ui/banklinkwindow.h"
#include "ui/channeleditor.h"
#include "ui/filecommands.h"
#include "ui/findbar.h"
#include "ui/fontwindow.h"
#include "ui/mainwindow.h"
#include "ui/memorypage.h"
#include "ui/messages.h"
#include "ui/rowcommands.h"
#include "ui/setmodepage.h"
#include "ui/splash.h"
#include "ui/twips.h"
#include "ui/versiondialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <memory>

using namespace n35;

namespace
{

class Shooter
{
public:
    explicit Shooter(const QDir &out) : out(out) {}

    // A window with a plain title bar of its caption (the offscreen screen draws no frames), as a palette
    // image: a window shot needs far fewer than 256 colours, and the guide stays small.
    void save(QWidget &widget, const QString &name)
    {
        settle();
        const QImage content = widget.grab().toImage();
        QImage framed = content;
        if (widget.isWindow() && !widget.windowTitle().isEmpty()) {
            QFont font = widget.font();
            font.setBold(true);
            const int bar = QFontMetrics(font).height() + 10;
            framed = QImage(content.width() + 2, content.height() + bar + 1, QImage::Format_RGB32);
            framed.fill(QColor(0x44, 0x4a, 0x55));
            QPainter painter(&framed);
            painter.setFont(font);
            painter.setPen(Qt::white);
            // The title as a title bar shows it: "[*]" is where the unsaved-changes mark goes.
            QString title = widget.windowTitle().trimmed();
            title.replace(QStringLiteral("[*]"), widget.isWindowModified() ? QStringLiteral("*") : QString());
            painter.drawText(QRect(10, 0, framed.width() - 20, bar), Qt::AlignVCenter | Qt::AlignLeft, title);
            painter.drawImage(1, bar, content);
        }
        const QImage image = framed.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        const QString path = out.filePath(name + QStringLiteral(".png"));
        if (!image.save(path, "PNG", 0)) { // 0: the smallest file
            std::fprintf(stderr, "hvn35-docshots: could not write %s\n", qPrintable(path));
            failed = true;
            return;
        }
        std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
    }

    // A menu dropped down from the menu bar, as the user sees it.
    void saveMenu(MainWindow &window, const char *objectName, const QString &name)
    {
        auto *menu = window.findChild<QMenu *>(QString::fromLatin1(objectName));
        if (!menu) {
            std::fprintf(stderr, "hvn35-docshots: the window has no menu %s\n", objectName);
            failed = true;
            return;
        }
        menu->popup(window.mapToGlobal(QPoint(0, window.menuBar()->height())));
        save(*menu, name);
        menu->hide();
    }

    // A message box as ShowMessage and AskYesNo make it, with the details open.
    void saveMessage(QWidget *parent, const CapturedMessage &message, const QString &name)
    {
        QMessageBox box(parent);
        PrepareMessageBox(box, message.text, message.title, message.detail, message.informative);
        box.setStandardButtons(message.question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
        box.show();
        settle();
        for (QAbstractButton *button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::ActionRole)
                button->click(); // "Show Details..."
        }
        save(box, name);
    }

    bool failed = false;

private:
    static void settle()
    {
        // Layouts settle over a few rounds of events after a page switch, a resize or a show.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    QDir out;
};

// The size the window takes on a large screen (the offscreen screen is smaller): the drawn size, widened
// for the set-mode page's four columns.
void ShowAtNaturalSize(MainWindow &window)
{
    const auto *setMode = window.findChild<SetModePage *>();
    window.resize(std::max(twips(13650), setMode->preferredWidth() + twips(1200)), twips(9150));
    window.show();
}

std::unique_ptr<MainWindow> NewWindow(const QTemporaryDir &folder, const QString &name,
                                      const n35emu::EmulatorSession &radio, int port)
{
    auto window = std::make_unique<MainWindow>(nullptr, folder.filePath(name + QStringLiteral(".INI")));
    window->session().portResolver().setLinkDirectory(radio.linkDirectory());
    window->session().portResolver().setSystemDevices({});
    window->session().setBackupBeforeWriting(false);
    window->MenuSetCom_Click(port);
    return window;
}

// The one message a transfer ended with, or a failure of the tool when it was not the expected one.
bool Expect(const MessageCapture &capture, const QString &text)
{
    if (capture.messages.size() == 1 && capture.messages.first().text == text)
        return true;
    std::fprintf(stderr, "hvn35-docshots: expected \"%s\", got:\n", qPrintable(text));
    for (const CapturedMessage &message : capture.messages)
        std::fprintf(stderr, "  %s | %s | %s\n", qPrintable(message.title), qPrintable(message.text),
                     qPrintable(message.detail));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HVN35Writer"));
    if (argc != 2) {
        std::fprintf(stderr, "usage: hvn35-docshots OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "hvn35-docshots: cannot make %s\n", argv[1]);
        return 1;
    }
    QTemporaryDir folder;
    Shooter shooter(out);

    n35emu::EmulatorSession radio({}, 1);
    QString error;
    if (!radio.start(&error)) {
        std::fprintf(stderr, "hvn35-docshots: the emulator did not start: %s\n", qPrintable(error));
        return 1;
    }

    // Into the radio through one window, back out through another.
    auto writer = NewWindow(folder, QStringLiteral("writer"), radio, 1);
    FillSampleImage(writer->session().image());
    {
        MessageCapture capture;
        writer->ALL_WRITE_Click();
        if (!Expect(capture, QStringLiteral("ALL write successed.")))
            return 1;
    }
    auto window = NewWindow(folder, QStringLiteral("reader"), radio, 1);
    MessageCapture reading;
    window->ALL_READ_Click();
    if (!Expect(reading, QStringLiteral("ALL read successed.")))
        return 1;
    if (const auto differences = CompareImages(writer->session().image(), window->session().image());
        !differences.empty()) {
        std::fprintf(stderr, "hvn35-docshots: the radio gave back something else, first: %s\n",
                     qPrintable(differences.front().describe()));
        return 1;
    }
    writer.reset();

    MainWindow &w = *window;
    ShowAtNaturalSize(w);
    shooter.saveMessage(&w, reading.messages.first(), QStringLiteral("message-read-done"));

    w.switchPage(1);
    shooter.save(w, QStringLiteral("memory-page"));
    {
        // Ctrl+F: the find bar under the grid, a name found.
        FindBar *bar = w.memoryPage()->findBar();
        bar->openFind();
        bar->findField()->setText(QStringLiteral("RPT"));
        bar->findNext();
        bar->findNext();
        shooter.save(w, QStringLiteral("memory-find"));
        bar->hide();
        w.memoryPage()->selectChannels(1, 1);
    }
    {
        FindDuplicatesCommand(w.session(), *w.memoryPage());
        if (auto *duplicates = w.findChild<QDialog *>(QStringLiteral("DuplicatesDialog"))) {
            shooter.save(*duplicates, QStringLiteral("duplicates"));
            delete duplicates;
        }
    }
    w.switchPage(2);
    shooter.save(w, QStringLiteral("bank-page"));
    {
        BankLinkWindow links(w.session(), &w);
        links.show();
        shooter.save(links, QStringLiteral("bank-links"));
    }
    for (const auto &[channel, name] :
         {std::pair{12, "channel-editor"}, std::pair{601, "channel-editor-dual"}}) {
        ChannelEditor editor(w.session().image().channels, channel, &w, &w.session().image().glyphs);
        editor.show();
        shooter.save(editor, QString::fromLatin1(name));
    }
    {
        // A repeater frequency typed into an empty row: the band plan fills shift and offset before "OK".
        ChannelEditor editor(w.session().image().channels, 40, &w, &w.session().image().glyphs);
        editor.show();
        for (const auto &[box, digits] :
             {std::pair{"DETAIL_FREQ_1", "224"}, std::pair{"DETAIL_FREQ_2", "94"}}) {
            auto *edit = editor.findChild<QLineEdit *>(QString::fromLatin1(box));
            edit->setFocus();
            for (const char *digit = digits; *digit; ++digit) {
                QKeyEvent key(QEvent::KeyPress, Qt::Key_0 + (*digit - '0'), Qt::NoModifier,
                              QString(QLatin1Char(*digit)));
                QCoreApplication::sendEvent(edit, &key);
            }
        }
        shooter.save(editor, QStringLiteral("channel-editor-shift"));
    }
    {
        FontWindow font(w.session(), &w);
        font.show();
        shooter.save(font, QStringLiteral("glyph-editor"));
    }
    SetModeSettings &options = w.session().image().settings;
    for (const Language language : {Language::English, Language::Japanese}) {
        options.setIndex(SetModeSettings::LanguageOption, static_cast<int>(language));
        const QString suffix = language == Language::English ? QStringLiteral("") : QStringLiteral("-ja");
        w.switchPage(3);
        shooter.save(w, QStringLiteral("common-page") + suffix);
        w.switchPage(4);
        // Tall enough for the whole page, which otherwise scrolls.
        const QSize size = w.size();
        const auto *scroll = w.findChild<SetModePage *>()->findChild<QScrollArea *>();
        QCoreApplication::processEvents();
        w.resize(size.width(), size.height() + std::max(0, scroll->widget()->sizeHint().height() -
                                                               scroll->viewport()->height()));
        shooter.save(w, QStringLiteral("setmode-page") + suffix);
        w.resize(size);
    }
    options.setIndex(SetModeSettings::LanguageOption, static_cast<int>(Language::English));
    w.switchPage(1);

    shooter.saveMenu(w, "File", QStringLiteral("menu-file"));
    shooter.saveMenu(w, "MenuEdit", QStringLiteral("menu-edit"));
    // As a user first sees it: backing up before writing is on unless turned off.
    w.session().setBackupBeforeWriting(true);
    shooter.saveMenu(w, "Tusin_Botton", QStringLiteral("menu-communication"));
    w.session().setBackupBeforeWriting(false);
    {
        // What a machine with one USB cable, one built-in port and one bound link shows.
        QTemporaryDir links;
        QFile::link(QStringLiteral("/dev/serial/by-id/usb-USB_Serial_Cable_0001-if00-port0"),
                    links.filePath(QStringLiteral("com5")));
        w.session().portResolver().setLinkDirectory(links.path());
        w.session().portResolver().setSystemDevices(
            {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS0")});
        shooter.saveMenu(w, "MenuComPort", QStringLiteral("menu-comport"));
        w.session().portResolver().setLinkDirectory(radio.linkDirectory());
        w.session().portResolver().setSystemDevices({});
    }
    {
        VersionDialog version(&w);
        version.show();
        shooter.save(version, QStringLiteral("version"));
        SplashWindow splash;
        splash.show();
        shooter.save(splash, QStringLiteral("splash"));
    }

    // The messages the guide explains most: a port with nothing behind it, a radio that does not
    // answer, and leaving the bank page with a partition that is not 500.
    {
        MessageCapture capture;
        w.MenuSetCom_Click(2);
        w.ALL_READ_Click();
        w.MenuSetCom_Click(1);
        if (capture.messages.size() == 1)
            shooter.saveMessage(&w, capture.messages.first(), QStringLiteral("message-port-error"));
    }
    radio.stop();
    n35emu::EmulatorSession silent({QStringLiteral("--fault"), QStringLiteral("silent")}, 1);
    if (silent.start(&error)) {
        w.session().portResolver().setLinkDirectory(silent.linkDirectory());
        MessageCapture capture;
        w.ALL_READ_Click();
        if (capture.messages.size() == 1)
            shooter.saveMessage(&w, capture.messages.first(), QStringLiteral("message-negotiation-error"));
    }
    {
        MessageCapture capture;
        capture.answer = false;
        w.switchPage(2);
        w.session().image().banks.setCount(0, 30);
        w.switchPage(1);
        if (capture.messages.size() == 1)
            shooter.saveMessage(&w, capture.messages.first(), QStringLiteral("message-bank-total"));
    }
    // A file that is no whole clone image file, and a CSV import that ends early.
    {
        QTemporaryDir files;
        const QString cut = files.filePath(QStringLiteral("radio-copy.N35"));
        const QString csv = files.filePath(QStringLiteral("short-list.csv"));
        SaveFileAtomically(cut, "Save Date and Time 2024/05/06 07:08:09\r\nCH0000:02\r\n");
        ExportCsvCommand(w.session(), &w, csv);
        const Result<QByteArray> lines = ReadFileBytes(csv);
        if (lines)
            SaveFileAtomically(csv, lines->left(lines->indexOf("\"Bank00-010\"")));
        MessageCapture capture;
        OpenImageCommand(w.session(), &w, cut);
        ImportCsvCommand(w.session(), &w, csv);
        if (capture.messages.size() >= 2) {
            shooter.saveMessage(&w, capture.messages.at(0), QStringLiteral("message-not-an-image"));
            shooter.saveMessage(&w, capture.messages.last(), QStringLiteral("message-csv-ends-early"));
        }
    }
    return shooter.failed ? 1 : 0;
}
