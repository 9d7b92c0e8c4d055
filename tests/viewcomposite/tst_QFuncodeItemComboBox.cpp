#include "QFuncodeItemComboBox.h"
#include "QKeyTranslator.h"

#include <QAbstractItemView>
#include <QWheelEvent>
#include <QtTest>

class tst_QFuncodeItemComboBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QKeyTranslator::installForApplication(QStringLiteral("en")); }
    void popupWidth();
    void wheelWithoutFocusChangesNothing();
};

void tst_QFuncodeItemComboBox::popupWidth()
{
    QFuncodeItemComboBox combo;
    combo.addMultiItemFixWidth({"0:Off", "1:On"}, 300);
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.popupWidth(), 300);
    const QString longItem = "1:Position control with internal multi-step reference and homing";
    QFuncodeItemComboBox wide;
    wide.addMultiItemFixWidth({"0:Off", longItem}, 60);
    QCOMPARE(wide.view()->minimumWidth(), wide.popupWidth());
    QVERIFY(wide.popupWidth() > QFontMetrics(wide.view()->font()).horizontalAdvance(longItem));
}

void tst_QFuncodeItemComboBox::wheelWithoutFocusChangesNothing()
{
    QFuncodeItemComboBox combo;
    combo.addMultiItemFixWidth({"0:Off", "1:On", "2:Auto"}, 80);
    combo.setCurrentIndex(1);
    QWheelEvent wheel(QPointF(5, 5), combo.mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&combo, &wheel);
    QCOMPARE(combo.currentIndex(), 1);
    QVERIFY(!wheel.isAccepted());
}

QTEST_MAIN(tst_QFuncodeItemComboBox)
#include "tst_QFuncodeItemComboBox.moc"
