// Writes seeds for four of the fuzz targets from files and replies the program itself makes:
//   n35-fuzz-corpus DIR    (DIR/imagefile, DIR/csvfile, DIR/portsettings, DIR/decoders)
// Nothing runs it at build or fuzz time: it is built on demand in the fuzz build
// (cmake --build build-fuzz --target n35-fuzz-corpus) and run by hand with DIR = fuzz/corpus when a
// format changes, and the seeds it writes are checked in there. Beside them fuzz/corpus holds at most
// 50 other files: the hand-made seeds of the channel-list and backup readers, the image file whose
// settings lines lack their last block, and inputs the fuzzers found (named by their SHA-1), each kept
// for coverage the seeds lack: a libFuzzer set-cover merge (-merge=1 -set_cover_merge=1) with the seeds
// as the first directory, keeping the inputs that add the most features.

#include "files/csvfile.h"
#include "files/imagefile.h"
#include "model/channelcells.h"
#include "model/channelcodec.h"
#include "model/cloneimage.h"
#include "model/textcodec.h"
#include "support/channelfixtures.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace n35;

namespace
{

// The decoder target's first byte: the decoder, plus its block, channel or part times the decoder count.
enum Decoder { Channel, ChannelName, BankBlock, OneTouch, Title, Settings, Dtmf, Font, BankLink, Text };
constexpr int DecoderCount = 10;
// Positions in the decoder target's channel list.
constexpr int ChannelChoices[][2] = {{0, 1}, {4, 501}, {6, 601}, {12, 851}, {13, 852}, {14, 853}};

const QDateTime When(QDate(2024, 5, 6), QTime(7, 8, 9));

bool Write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size())
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

QByteArray Read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every region away from its start-up state; channels in every group but not all 952, to keep the
// seeds small.
void FillVaried(CloneImage &image)
{
    BankPartition::Counts counts{};
    counts[0] = 250, counts[7] = 200, counts[49] = 50;
    image.banks.setCounts(counts);
    image.oneTouch.followPartition(image.banks);
    image.settings.setBankEntries(image.banks);
    for (const auto &[first, last] :
         {std::pair{1, 12}, {495, 506}, {598, 606}, {798, 804}, {851, 852}, {853, 860}, {948, 952}})
        testing::FillVariedChannels(image.channels, first, last);
    // Mostly frequencies of the radio's bands, so a CSV import takes those rows and checks their other
    // cells; every fifth row keeps one outside them.
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        if (image.channels.cell(channel, ColFrequency).isEmpty() || channel % 5 == 0)
            continue;
        const bool band900 = channel % 7 == 0 || channel == Call900Channel;
        image.channels.setCell(
            channel, ColFrequency,
            FrequencyText((band900 ? 902'000'000U : 216'000'000U) + quint32(channel) * 12'500U));
    }
    testing::VaryRegions(image);
}

bool ImageSeeds(const QDir &dir, const CloneImage &varied, const CloneImage &startUp)
{
    return SaveImageFile(dir.filePath("varied.N35"), varied, 3, When) &&
           SaveImageFile(dir.filePath("startup.N35"), startUp, 1, When);
}

// The CSV target puts the header in front of inputs whose first byte is even.
bool CsvSeeds(const QDir &dir, const CloneImage &varied)
{
    const QString exported = dir.filePath("exported.csv");
    if (!ExportCsv(exported, varied.channels).ok())
        return false;
    const QByteArray content = Read(exported);
    QFile::remove(exported);
    const QList<QByteArray> lines = content.split('\n');
    QByteArray rows;
    for (qsizetype i = 1; i < std::min<qsizetype>(lines.size(), 40); ++i)
        rows += lines.at(i) + '\n';
    return Write(dir.filePath("whole-file"), '\x01' + content) && Write(dir.filePath("rows"), '\x00' + rows);
}

bool PortSeeds(const QDir &dir, const CloneImage &startUp)
{
    const QString path = dir.filePath("settings-file");
    if (!SaveImageFile(path, startUp, 7, When))
        return false;
    return Write(dir.filePath("comport-line"), "COMPORT:12\r\n");
}

bool DecoderSeeds(const QDir &dir, const CloneImage &varied)
{
    bool ok = true;
    auto seed = [&](const QString &name, int decoder, int choice, const QString &reply) {
        ok = ok && Write(dir.filePath(name), char(decoder + DecoderCount * choice) + reply.toLatin1());
    };
    for (const auto &[choice, channel] : ChannelChoices) {
        const Result<QString> record = EncodeChannel(channel, varied.channels);
        if (!record) {
            std::fprintf(stderr, "%s\n", qPrintable(record.problem().describe()));
            return false;
        }
        seed(QStringLiteral("channel-%1").arg(channel), Channel, choice, *record);
    }
    const QString name = varied.channels.cell(3, ColName);
    seed("channel-name", ChannelName, 0, MakeTextData(ConvertEscapeText(name)));
    seed("bank-0", BankBlock, 0, EncodeBankBlock(varied.banks, 0));
    seed("bank-1", BankBlock, 1, EncodeBankBlock(varied.banks, 1));
    seed("onetouch", OneTouch, 1, varied.oneTouch.MakeOneTouchData());
    seed("title", Title, 0, varied.title.encode());
    seed("settings", Settings, 0,
         varied.settings.MakeSettingData(0) + varied.settings.MakeSettingData(1) +
             varied.settings.MakeSettingData(2));
    const QString dtmf = varied.dtmf.MakeDtmfData();
    seed("dtmf-0", Dtmf, 0, dtmf);
    seed("dtmf-1", Dtmf, 1, dtmf.mid(0x33 * 2));
    seed("dtmf-2", Dtmf, 2, dtmf.mid(0x73 * 2));
    seed("dtmf-all", Dtmf, 3, dtmf);
    seed("font", Font, 3, varied.glyphs.MakeFontData(3));
    seed("banklink", BankLink, 0, varied.bankLinks.MakeBankLink());
    seed("text", Text, 0, MakeTextData(ConvertEscapeText(QStringLiteral("\\8x\\\\") + name)));
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char *target : {"imagefile", "csvfile", "portsettings", "decoders"}) {
        if (!root.mkpath(QString::fromLatin1(target)))
            return 1;
    }
    CloneImage varied;
    FillVaried(varied);
    const CloneImage startUp;
    const bool ok = ImageSeeds(QDir(root.filePath("imagefile")), varied, startUp) &&
                    CsvSeeds(QDir(root.filePath("csvfile")), varied) &&
                    PortSeeds(QDir(root.filePath("portsettings")), startUp) &&
                    DecoderSeeds(QDir(root.filePath("decoders")), varied);
    return ok ? 0 : 1;
}
