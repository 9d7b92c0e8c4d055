#include "ServoResources.h"

#include <QDirIterator>
#include <QImage>
#include <QtTest>

class tst_ServoResources : public QObject
{
    Q_OBJECT

private slots:
    void everyImageHasADoubleSizeTwin();
};

void tst_ServoResources::everyImageHasADoubleSizeTwin()
{
    initServoResources();
    initServoResources(); // a second call is harmless
    int images = 0;
    QDirIterator it(QStringLiteral(":/img"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String("@2x"))) {
            continue;
        }
        ++images;
        const QImage image(path);
        QVERIFY2(!image.isNull() && image.hasAlphaChannel(), qPrintable(path));
        QCOMPARE(image.width(), image.height());
        QVERIFY2(QList<int>({16, 24, 32}).contains(image.width()), qPrintable(path));
        QCOMPARE(QImage(path + QStringLiteral("@2x")).size(), image.size() * 2);
    }
    QVERIFY(images >= 48);
}

QTEST_MAIN(tst_ServoResources)
#include "tst_ServoResources.moc"
