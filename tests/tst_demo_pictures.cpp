#include "catalogue_rules.h"
#include "qelview_catalogue.h"
#include "velview_catalogue.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

// The build writes a demo picture set beside the programs: every picture each
// program reads, as a distinct 300 x 300 baseline JPEG.
class DemoPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void everyPictureIsThere();
};

void DemoPicturesTest::everyPictureIsThere()
{
    const std::u16string directory = QStringLiteral(DEMO_PROGRAM_DIR).toStdU16String();
    for (const ExpressionCatalogue* catalogue : {&qelviewCatalogue(), &velviewCatalogue()}) {
        QSet<QByteArray> digests;
        int pictures = 0;
        for (int number = 0; number <= 60; ++number) {
            const auto path = PicturePath(*catalogue, directory, number);
            if (!path)
                continue;
            QFile file(QString::fromStdU16String(*path));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QByteArray bytes = file.readAll();
            // SOF0 marks a baseline frame.
            QVERIFY2(bytes.startsWith("\xFF\xD8") && bytes.contains("\xFF\xC0"),
                     qPrintable(file.fileName()));
            QCOMPARE(QImage::fromData(bytes, "JPEG").size(), QSize(300, 300));
            digests.insert(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1));
            ++pictures;
        }
        QCOMPARE(digests.size(), pictures);
    }
}

QTEST_MAIN(DemoPicturesTest)
#include "tst_demo_pictures.moc"
