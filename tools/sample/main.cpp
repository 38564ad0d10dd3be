// Writes the sample clone image the program ships:
//   hvn35-sample data/sample.N35

#include "files/imagefile.h"
#include "model/cloneimage.h"
#include "sample/sampleimage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hvn35-sample FILE.N35\n");
        return 2;
    }
    n35::CloneImage image;
    n35::FillSampleImage(image);
    const QDateTime when = QDateTime::fromString(QString::fromLatin1(n35::SampleSaveDate), Qt::ISODate);
    if (const n35::Status saved = n35::SaveImageFile(QString::fromLocal8Bit(argv[1]), image, 1, when);
        !saved) {
        std::fprintf(stderr, "hvn35-sample: %s\n", qPrintable(saved.problem().describe()));
        return 1;
    }
    return 0;
}
