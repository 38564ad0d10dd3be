#pragma once

#include "model/result.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <vector>

class QPagedPaintDevice;

class QWidget;

namespace n35
{

class CloneImage;
class Session;

// The channel list on paper: every used row with its label, frequency, mode, tones or codes, shift,
// offset, skip and name (custom glyphs drawn as the radio shows them), the opening title and the date at
// the top of each page, "Page n of m" at the bottom.

// What was laid out: the channels of every printed line, page by page.
struct PrintedListing {
    std::vector<std::vector<int>> pages;
    int lineCount() const;
};

// Lays the list out on a printer or a PDF writer, page by page, in its page size.
PrintedListing PaintChannelListing(QPagedPaintDevice &device, const CloneImage &image, const QDateTime &when);

// Page `pageIndex` (from 0) of the list as a picture of an A4 page at `dpi`, to look at.
QImage ChannelListingPage(const CloneImage &image, const QDateTime &when, int pageIndex, int dpi = 100);

// The list as a PDF file (A4), written in one piece: a failure leaves an older file as it was.
Status ExportChannelListingPdf(const QString &path, const CloneImage &image, const QDateTime &when,
                               PrintedListing *laidOut = nullptr);

// File > Print... and File > Export PDF...: a dialog, then the list; each tells the user how it ended.
void FilePrint_Click(Session &session, QWidget *parent);
void ExportPdf_Click(Session &session, QWidget *parent);
// Export PDF... after the dialog.
void ExportPdfCommand(Session &session, QWidget *parent, const QString &path);

} // namespace n35
