// The one way files are replaced: the complete new file or the old one untouched, never a cut file
// reported as saved.

#include "files/savefile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace n35;

namespace
{

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The process may write no file past `bytes` while it lives: the kernel answers such writes with EFBIG,
// the way a full disk answers with ENOSPC, and no root is needed to bring it about.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved{};
};

} // namespace

class TestSaveFile : public QObject
{
    Q_OBJECT

private slots:
    void replacesWhole();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();
};

void TestSaveFile::replacesWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("radio.N35"));
    QVERIFY(SaveFileAtomically(path, QByteArray(1000, 'a')).ok());
    const QByteArray second(200000, 'b');
    QVERIFY(SaveFileAtomically(path, second).ok());
    QCOMPARE(ReadAll(path), second);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("radio.N35")});
}

void TestSaveFile::failureKeepsOldFile_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("size");
    // A small file (Qt once buffered it whole and lost the failed final flush) and a large one.
    QTest::newRow("nothing fits, small file") << 0 << 2000;
    QTest::newRow("cut in the middle, small file") << 1000 << 2000;
    QTest::newRow("cut in the middle, image-sized file") << 65536 << 140000;
}

void TestSaveFile::failureKeepsOldFile()
{
    QFETCH(int, limit);
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("good.N35"));
    const QByteArray old("the old file\r\n");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    Status saved;
    {
        const FileSizeLimit disk(static_cast<rlim_t>(limit));
        saved = SaveFileAtomically(path, QByteArray(size, 'x'));
    }
    QVERIFY(!saved.ok());
    QVERIFY2(saved.problem().describe().contains(path), qPrintable(saved.problem().describe()));
    QCOMPARE(ReadAll(path), old);
    // No temporary file stays behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("good.N35")});
}

QTEST_GUILESS_MAIN(TestSaveFile)
#include "test_savefile.moc"
