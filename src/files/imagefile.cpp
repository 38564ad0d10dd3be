#include "files/imagefile.h"

#include "files/fileproblems.h"
#include "files/readfile.h"
#include "files/savefile.h"
#include "model/channelcodec.h"
#include "model/cloneimage.h"
#include "model/fixedtexts.h"
#include "model/hex.h"

#include <QStringList>
#include <algorithm>
#include <numeric>

namespace n35
{

namespace
{

// "CH0850:", "SYS1:": a key, a decimal number with leading zeros and ":".
QString Numbered(const char *key, int number, int width)
{
    return QLatin1String(key) + QStringLiteral("%1:").arg(number, width, 10, QLatin1Char('0'));
}

// What the lines of one load share: the image they decode into, and the bank counts, which arrive in two
// lines and are taken as a whole.
struct LoadContext {
    CloneImage &image;
    BankPartition::Counts banks;
    bool banksPending = false;
    QList<Notice> notices;
    int line = 0;
    // The line of settings bytes stored since the options were last read from them, or 0.
    int settingsLine = 0;

    void applyBanks()
    {
        if (!image.banks.applyDecoded(banks)) {
            notices << Notice{FixedText::BankTotalInitialize(), FixedText::CautionTitle(),
                              QStringLiteral("The file's banks held %1 channels in all; every bank holds "
                                             "0 to 500 and all together 500.")
                                  .arg(std::accumulate(banks.begin(), banks.end(), 0))};
        }
        banks = image.banks.counts();
        banksPending = false;
    }
};

Problem BadKey(const QString &what, const QString &why)
{
    return Problem{what, QString(), why};
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A line is read by its first two characters; the payload follows the first ":" (the whole line when
// there is none).
struct Reader {
    const char *key;
    Status (*handle)(const QString &line, const QString &payload, LoadContext &context);
};

const Reader Readers[] = {
    {"CH",
     [](const QString &line, const QString &payload, LoadContext &context) -> Status {
         const QString digits = line.mid(2, 4);
         if (digits.size() != 4 || !std::all_of(digits.begin(), digits.end(), IsDigit) ||
             digits.toInt() >= ChannelCount)
             return BadKey(QStringLiteral("the channel line"),
                           QStringLiteral("\"%1\" is not a row number 0000 to 0951").arg(digits));
         return DecodeChannel(payload, digits.toInt() + 1, context.image.channels);
     }},
    {"BK",
     [](const QString &line, const QString &payload, LoadContext &context) -> Status {
         const QChar digit = line.size() > 2 ? line.at(2) : QChar();
         if (digit != QLatin1Char('0') && digit != QLatin1Char('1'))
             return BadKey(QStringLiteral("the bank line"), QStringLiteral("its block is not 0 or 1"));
         const int block = digit.digitValue();
         if (Status decoded = DecodeBankBlock(payload, block, context.banks); !decoded)
             return decoded;
         context.banksPending = true;
         if (block == 1)
             context.applyBanks();
         return {};
     }},
    {"OT", [](const QString &, const QString &payload,
              LoadContext &context) { return context.image.oneTouch.ExpandOneTouchData(payload); }},
    {"DT", [](const QString &, const QString &payload,
              LoadContext &context) { return context.image.dtmf.decode(payload); }},
    {"TI", [](const QString &, const QString &payload,
              LoadContext &context) { return context.image.title.ExpandTitleData(payload); }},
    {"LI", [](const QString &, const QString &payload,
              LoadContext &context) { return context.image.bankLinks.ExpandBankLink(payload); }},
    {"WP",
     [](const QString &, const QString &payload, LoadContext &context) -> Status {
         bool ok = false;
         const int index = payload.toInt(&ok, 16);
         if (!ok)
             return BadKey(QStringLiteral("the write-protect line"),
                           QStringLiteral("it is not a hex number"));
         return context.image.settings.decodeWriteProtect(index);
     }},
    {"SY",
     [](const QString &line, const QString &payload, LoadContext &context) -> Status {
         const QChar block = line.size() > 3 ? line.at(3) : QChar();
         const int start = block == QLatin1Char('0') ? 0 : block == QLatin1Char('1') ? 64 : 128;
         SetModeSettings &settings = context.image.settings;
         if (Status stored = settings.StoreSettingsBytes(payload, start); !stored || start != 128) {
             if (stored)
                 context.settingsLine = context.line;
             return stored;
         }
         // The last block completes the image; only then can the options be shown.
         context.settingsLine = 0;
         return settings.ExpandSettingData();
     }},
    // "FONT", not "FO": the settings file's "FOLDER_" lines are none of the image's, and are passed over.
    {"FONT",
     [](const QString &line, const QString &payload, LoadContext &context) -> Status {
         const QChar glyph = line.size() > 4 ? line.at(4) : QChar();
         if (glyph < QLatin1Char('0') || glyph >= QLatin1Char('0' + FontGlyphs::GlyphCount))
             return BadKey(QStringLiteral("the glyph line"), QStringLiteral("its glyph is not 0 to 7"));
         return context.image.glyphs.ExpandFontData(payload, glyph.digitValue());
     }},
};

struct Applied {
    Status status;
    int line = 0;
    QList<Notice> notices;
};

// Lines 2.. in file order, each by its reader; stops at the first line a reader refuses.
Applied ApplyLines(const QStringList &lines, CloneImage &image)
{
    LoadContext context{image, image.banks.counts(), false, {}, 0, 0};
    ClearChannelRows(image.channels, 1, ChannelCount);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const auto reader = std::find_if(std::begin(Readers), std::end(Readers), [&](const Reader &r) {
            return line.startsWith(QLatin1String(r.key));
        });
        if (reader == std::end(Readers))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QString payload = colon < 0 ? line : line.mid(colon + 1);
        context.line = static_cast<int>(i + 1);
        if (Status status = reader->handle(line, payload, context); !status)
            return {status, static_cast<int>(i + 1), {}};
    }
    // A first bank block without its second still counts.
    if (context.banksPending)
        context.applyBanks();
    // Settings bytes with no block 2 after them are read all the same: the image must never keep a byte
    // its list cannot show, or the next save would write it to a file this reader refuses, and to the radio.
    if (context.settingsLine) {
        if (Status status = context.image.settings.ExpandSettingData(); !status)
            return {status, context.settingsLine, {}};
    }
    return {{}, 0, context.notices};
}

// A stand-in for `image` on which a file is tried first. A line can fail only by its own text, the
// partition (the settings' bank lists) and the settings image (block 2 decodes all 192 bytes), so those
// are copied; nothing else of the image matters to the outcome.
void PrepareTrial(CloneImage &trial, const CloneImage &image)
{
    trial.banks.setCounts(image.banks.counts());
    const SetModeSettings::Image &bytes = image.settings.image();
    for (int start = 0; start < SetModeSettings::ImageBytes; start += 64) {
        QString hex;
        for (int i = start; i < start + 64; ++i)
            hex += ByteHex(bytes[static_cast<std::size_t>(i)]);
        trial.settings.StoreSettingsBytes(hex, start);
    }
}

// Lines end in CR LF as written, LF or CR alone as other tools may leave them.
QStringList SplitLines(const QByteArray &content)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at <= content.size(); ++at) {
        const char c = at < content.size() ? content.at(at) : '\n';
        if (c != '\n' && c != '\r')
            continue;
        // Only the header may hold other than ASCII, and it is never read.
        lines << QString::fromLatin1(content.mid(start, at - start));
        if (c == '\r' && at + 1 < content.size() && content.at(at + 1) == '\n')
            ++at;
        start = at + 1;
    }
    return lines;
}

Problem BadLine(const Applied &applied)
{
    return Problem{QString(), QStringLiteral("line %1").arg(applied.line),
                   applied.status.problem().describe(), false, ProblemKind::BadLine};
}

const QString FileEndLine = QStringLiteral("File End");

bool KnownLine(const QString &line)
{
    return line.startsWith(QLatin1String("COMPORT:")) ||
           std::any_of(std::begin(Readers), std::end(Readers),
                       [&](const Reader &r) { return line.startsWith(QLatin1String(r.key)); });
}

} // namespace

Result<QByteArray> ImageFileContent(const CloneImage &image, int portNumber, const QDateTime &when,
                                    const QStringList &extraLines)
{
    QStringList lines;
    lines << QStringLiteral("Save Date and Time ") + when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (image.channels.cell(channel, ColFrequency).isEmpty()) {
            // An empty CALL row (a radio read erased) is written as an empty record: a load keeps a CALL
            // row without a line as it was, and a new window's holds its default channel.
            if (IsCallChannel(channel))
                lines << Numbered("CH", channel - 1, 4) + QStringLiteral("00").repeated(64);
            continue;
        }
        const Result<QString> record = EncodeChannel(channel, image.channels);
        if (!record)
            return record.problem();
        lines << Numbered("CH", channel - 1, 4) + *record;
    }
    // An unfinished partition is not saved: loading it would only be refused, and the one-touch keys
    // name channels by it.
    if (image.banks.total() == BankChannelTotal) {
        lines << QStringLiteral("BK0:") + EncodeBankBlock(image.banks, 0);
        lines << QStringLiteral("BK1:") + EncodeBankBlock(image.banks, 1);
        lines << QStringLiteral("OTM:") + image.oneTouch.MakeOneTouchData();
    }
    lines << QStringLiteral("DTMF:") + image.dtmf.MakeDtmfData();
    lines << QStringLiteral("TITLE:") + image.title.encode();
    lines << QStringLiteral("LINK:") + image.bankLinks.MakeBankLink();
    for (int block = 0; block < 3; ++block)
        lines << Numbered("SYS", block, 1) + image.settings.MakeSettingData(block);
    for (int glyph = 0; glyph < FontGlyphs::GlyphCount; ++glyph)
        lines << Numbered("FONT", glyph, 1) + image.glyphs.MakeFontData(glyph);
    lines << QStringLiteral("WP:%1").arg(image.settings.writeProtect(), 2, 16, QLatin1Char('0')).toUpper();
    lines << QStringLiteral("COMPORT:%1").arg(portNumber, 2, 10, QLatin1Char('0'));
    lines << extraLines;
    lines << FileEndLine;

    // Every line is ASCII: hex payloads, keys and a numeric date.
    return lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

Status SaveImageFile(const QString &path, const CloneImage &image, int portNumber, const QDateTime &when,
                     const QStringList &extraLines)
{
    const Result<QByteArray> made = ImageFileContent(image, portNumber, when, extraLines);
    if (!made)
        return made.problem();
    return SaveFileAtomically(path, *made);
}

Result<LoadNotices> LoadImageFile(const QString &path, CloneImage &image)
{
    if (path.right(4).toUpper() != QLatin1String(".N35"))
        return FileProblem(path, ImageNameText(), ProblemKind::WrongName);
    const Result<QByteArray> content = ReadFileBytes(path);
    if (!content)
        return content.problem();
    Result<LoadNotices> loaded = LoadImageContent(*content, image);
    if (!loaded && loaded.problem().kind == ProblemKind::NotThisFormat)
        return FileProblem(path, loaded.problem().why, ProblemKind::NotThisFormat);
    return loaded;
}

Result<LoadNotices> LoadImageContent(const QByteArray &content, CloneImage &image)
{
    const QStringList lines = SplitLines(content);
    // A file must say it is one (a line the format knows) and that it is whole ("File End"): anything
    // else, blank or cut short, would load as a partly blank image and could reach the radio. Lines after
    // "File End" are read all the same, as they always were.
    const auto body = lines.begin() + std::min<qsizetype>(1, lines.size());
    const bool known = std::any_of(body, lines.end(), KnownLine);
    const bool whole = std::find(body, lines.end(), FileEndLine) != lines.end();
    if (!known || !whole)
        return Problem{QString(), QString(), known ? NoFileEndText() : NoImageLineText(), false,
                       ProblemKind::NotThisFormat};

    // The whole file is decoded on a trial image first, so a bad line changes nothing at all.
    CloneImage trial;
    PrepareTrial(trial, image);
    const Applied tried = ApplyLines(lines, trial);
    if (!tried.status)
        return BadLine(tried);
    const Applied applied = ApplyLines(lines, image);
    if (!applied.status) // cannot happen after the trial; reported rather than hidden all the same
        return BadLine(applied);
    return applied.notices;
}

} // namespace n35
