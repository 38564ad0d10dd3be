#include "ui/channelprint.h"

#include "files/savefile.h"
#include "model/channellisting.h"
#include "model/cloneimage.h"
#include "model/fixedtexts.h"
#include "session/session.h"
#include "ui/filecommands.h"
#include "ui/glyphpreview.h"
#include "ui/messages.h"
#include "ui/radiocommand.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>
#include <functional>
#include <utility>

namespace n35
{

namespace
{

constexpr int PointSize = 9;
constexpr int ColumnGapPoints = 10;

// Lays the list out page by page on a printer, a PDF writer or a picture: `nextPage` starts the next
// page and says whether to go on.
class ListingPainter
{
public:
    ListingPainter(QPaintDevice &device, QSize pageSize, std::function<bool(QPainter &)> nextPage,
                   const CloneImage &image, const QDateTime &when)
        : device(device), pageSize(pageSize), nextPage(std::move(nextPage)), image(image), when(when),
          rows(ListingRows(image.channels))
    {
    }

    PrintedListing paint()
    {
        PrintedListing laidOut;
        QPainter painter;
        if (!painter.begin(&device))
            return laidOut;
        QFont font(QStringLiteral("Sans Serif"));
        font.setPointSizeF(PointSize);
        painter.setFont(font);
        const int dpi = device.logicalDpiY();
        const QRect page(QPoint(0, 0), pageSize);
        const QFontMetrics metrics = painter.fontMetrics();
        gap = dpi * ColumnGapPoints / 72;
        const int rowHeight = metrics.height() * 5 / 4;
        const int top = rowHeight * 3;    // the heading, the title and date line, a space
        const int bottom = rowHeight * 2; // a space and the page number
        const int perPage = std::max(1, (page.height() - top - bottom) / rowHeight - 1);
        QFont bold = font;
        bold.setBold(true);
        const std::vector<int> widths = columnWidths(metrics, QFontMetrics(bold, &device), page.width());
        const int pageCount = std::max<int>(1, (static_cast<int>(rows.size()) + perPage - 1) / perPage);

        for (int pageIndex = 0; pageIndex < pageCount; ++pageIndex) {
            if (pageIndex > 0 && !nextPage(painter))
                break;
            std::vector<int> &channels = laidOut.pages.emplace_back();
            paintHeading(painter, page, rowHeight);
            int y = top;
            paintLine(painter, ListingHeaders(), widths, y, rowHeight, true);
            y += rowHeight;
            painter.drawLine(0, y - 1, page.width(), y - 1);
            const auto first = static_cast<std::size_t>(pageIndex) * static_cast<std::size_t>(perPage);
            const std::size_t end = std::min(rows.size(), first + static_cast<std::size_t>(perPage));
            for (std::size_t i = first; i < end; ++i) {
                paintLine(painter, ListingTexts(rows[i]), widths, y, rowHeight, false);
                channels.push_back(rows[i].channel);
                y += rowHeight;
            }
            painter.drawText(QRect(0, page.height() - rowHeight, page.width(), rowHeight),
                             Qt::AlignHCenter | Qt::AlignVCenter,
                             QStringLiteral("Page %1 of %2").arg(pageIndex + 1).arg(pageCount));
        }
        painter.end();
        return laidOut;
    }

private:
    // Each column as wide as its widest text; the name takes what is left, and when even the least is
    // too wide the gaps shrink.
    std::vector<int> columnWidths(const QFontMetrics &metrics, const QFontMetrics &headerMetrics,
                                  int pageWidth)
    {
        const QStringList headers = ListingHeaders();
        std::vector<int> widths;
        for (const QString &header : headers)
            widths.push_back(headerMetrics.horizontalAdvance(header));
        for (const ListingRow &row : rows) {
            const QStringList texts = ListingTexts(row);
            for (qsizetype column = 0; column + 1 < texts.size(); ++column) {
                int &width = widths[static_cast<std::size_t>(column)];
                width = std::max(width, metrics.horizontalAdvance(texts.at(column)));
            }
        }
        int used = 0;
        for (std::size_t column = 0; column + 1 < widths.size(); ++column)
            used += widths[column];
        const int columns = static_cast<int>(widths.size());
        // A name of twelve wide letters at least; the gaps give way first.
        const int leastName = metrics.horizontalAdvance(QString(12, QLatin1Char('W')));
        gap = std::clamp((pageWidth - used - leastName) / (columns - 1),
                         metrics.horizontalAdvance(QLatin1Char(' ')), gap);
        widths.back() = std::max(0, pageWidth - used - gap * (columns - 1));
        return widths;
    }

    void paintHeading(QPainter &painter, const QRect &page, int rowHeight) const
    {
        painter.save();
        QFont bold = painter.font();
        bold.setBold(true);
        bold.setPointSizeF(PointSize * 1.4);
        painter.setFont(bold);
        painter.drawText(QRect(0, 0, page.width(), rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("HV-N35 channel list"));
        painter.restore();
        const QRect line(0, rowHeight, page.width(), rowHeight);
        const QString date = QLocale().toString(when, QLocale::ShortFormat);
        painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, date);
        const QString caption = QStringLiteral("Title: ");
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, caption);
        const int indent = painter.fontMetrics().horizontalAdvance(caption);
        PaintRadioText(painter, line.adjusted(indent, 0, 0, 0), image.title.text(), image.glyphs, Qt::black);
    }

    void paintLine(QPainter &painter, const QStringList &texts, const std::vector<int> &widths, int y,
                   int rowHeight, bool header) const
    {
        painter.save();
        if (header) {
            QFont bold = painter.font();
            bold.setBold(true);
            painter.setFont(bold);
        }
        int x = 0;
        for (qsizetype column = 0; column < texts.size(); ++column) {
            const int width = widths[static_cast<std::size_t>(column)];
            const QRect cell(x, y, width, rowHeight);
            if (!header && column + 1 == texts.size())
                PaintRadioText(painter, cell, texts.at(column), image.glyphs, Qt::black);
            else
                painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, texts.at(column));
            x += width + gap;
        }
        painter.restore();
    }

    QPaintDevice &device;
    QSize pageSize;
    std::function<bool(QPainter &)> nextPage;
    const CloneImage &image;
    QDateTime when;
    std::vector<ListingRow> rows;
    int gap = 0;
};

} // namespace

int PrintedListing::lineCount() const
{
    int count = 0;
    for (const std::vector<int> &page : pages)
        count += static_cast<int>(page.size());
    return count;
}

PrintedListing PaintChannelListing(QPagedPaintDevice &device, const CloneImage &image, const QDateTime &when)
{
    const QSize page = device.pageLayout().paintRectPixels(device.logicalDpiY()).size();
    return ListingPainter(
               device, page, [&device](QPainter &) { return device.newPage(); }, image, when)
        .paint();
}

QImage ChannelListingPage(const CloneImage &image, const QDateTime &when, int pageIndex, int dpi)
{
    // A4 less margins of 15 mm, as the PDF has it.
    const QSize page(qRound((210 - 30) / 25.4 * dpi), qRound((297 - 30) / 25.4 * dpi));
    QImage picture(page, QImage::Format_RGB32);
    picture.setDotsPerMeterX(qRound(dpi / 0.0254));
    picture.setDotsPerMeterY(qRound(dpi / 0.0254));
    picture.fill(Qt::white);
    int current = 0;
    ListingPainter(
        picture, page,
        [&](QPainter &painter) {
            if (current == pageIndex)
                return false;
            ++current;
            painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);
            return true;
        },
        image, when)
        .paint();
    return picture;
}

Status ExportChannelListingPdf(const QString &path, const CloneImage &image, const QDateTime &when,
                               PrintedListing *laidOut)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("HV-N35 channel list"));
        writer.setCreator(QStringLiteral("HV-N35 Writer"));
        const PrintedListing listing = PaintChannelListing(writer, image, when);
        if (laidOut)
            *laidOut = listing;
    }
    return SaveFileAtomically(path, pdf.data());
}

void ExportPdfCommand(Session &session, QWidget *parent, const QString &path)
{
    PrintedListing listing;
    const Status written =
        ExportChannelListingPdf(path, session.image(), QDateTime::currentDateTime(), &listing);
    if (written)
        ShowMessage(
            parent, FixedText::SaveFile(), FixedText::FileFinishTitle(),
            QStringLiteral("%1 channels on %2 page(s).").arg(listing.lineCount()).arg(listing.pages.size()));
    else
        ShowProblem(parent, FixedText::FileNotSaved(), FixedText::FileErrorTitle(), written.problem(), path);
}

void ExportPdf_Click(Session &session, QWidget *parent)
{
    const QString path =
        AskSavePath(session, parent, QStringLiteral("Export PDF"), "PDF",
                    QStringLiteral("PDF Files (*.pdf *.PDF);;All Files (*)"), QStringLiteral(".pdf"));
    if (!path.isEmpty())
        ExportPdfCommand(session, parent, path);
}

void FilePrint_Click(Session &session, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("HV-N35 channel list"));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Channel List"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PrintedListing listing =
        PaintChannelListing(printer, session.image(), QDateTime::currentDateTime());
    if (listing.pages.empty())
        ShowMessage(parent, FixedText::ChannelListNotPrinted(), FixedText::FileErrorTitle(),
                    QStringLiteral("The printer could not be started."));
}

} // namespace n35
