#include "golden_table.h"

#include <QCryptographicHash>
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
    for (const QString program : {"Qelview", "Velview"}) {
        QSet<int> numbers;
        for (const GoldenEntry& entry : goldenEntries(program))
            numbers.insert(entry.picture);
        for (const char* key : {"startup picture", "reset picture"})
            if (const QString number = goldenFact(program, key); !number.isEmpty())
                numbers.insert(number.toInt());
        QSet<QByteArray> digests;
        for (int number : numbers) {
            QFile file(QStringLiteral(DEMO_PROGRAM_DIR "/%1/%2.jpg")
                           .arg(goldenFact(program, "folder"))
                           .arg(number));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QByteArray bytes = file.readAll();
            // SOF0 marks a baseline frame.
            QVERIFY2(bytes.startsWith("\xFF\xD8") && bytes.contains("\xFF\xC0"),
                     qPrintable(file.fileName()));
            QCOMPARE(QImage::fromData(bytes, "JPEG").size(), QSize(300, 300));
            digests.insert(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1));
        }
        QCOMPARE(digests.size(), numbers.size());
    }
}

QTEST_MAIN(DemoPicturesTest)
#include "tst_demo_pictures.moc"
