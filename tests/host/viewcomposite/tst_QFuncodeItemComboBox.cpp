#include "QFuncodeItemComboBox.h"

#include <QWheelEvent>
#include <QtTest>

class tst_QFuncodeItemComboBox : public QObject
{
    Q_OBJECT

private slots:
    void wheelWithoutFocusChangesNothing()
    {
        QFuncodeItemComboBox combo;
        combo.addMultiItemFixWidth({"0:Off", "1:On", "2:Auto"}, 80);
        combo.setCurrentIndex(1);
        QWheelEvent wheel(QPointF(5, 5), combo.mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&combo, &wheel);
        QCOMPARE(combo.currentIndex(), 1);
        QVERIFY(!wheel.isAccepted());
    }
};

QTEST_MAIN(tst_QFuncodeItemComboBox)
#include "tst_QFuncodeItemComboBox.moc"
