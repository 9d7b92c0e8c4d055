#include "QFuncodeItemComboBox.h"
#include "QKeyTranslator.h"

#include <QAbstractItemView>
#include <QWheelEvent>
#include <QtTest>

class tst_QFuncodeItemComboBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void popupWidth_data();
    void popupWidth();
    void wheelWithoutFocusChangesNothing();
};

void tst_QFuncodeItemComboBox::initTestCase()
{
    // The dialogs show English texts, as the application does.
    QKeyTranslator::installForApplication(QStringLiteral("en"));
}

void tst_QFuncodeItemComboBox::popupWidth_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("cellWidth");
    QTest::addColumn<bool>("widened");

    QTest::newRow("short items keep the cell width") << QStringList{"0:Off", "1:On"} << 300 << false;
    QTest::newRow("long item widens the list")
        << QStringList{"0:Off", "1:Position control with internal multi-step reference and homing"} << 60
        << true;
    QTest::newRow("empty list") << QStringList{} << 120 << false;
}

void tst_QFuncodeItemComboBox::popupWidth()
{
    QFETCH(QStringList, items);
    QFETCH(int, cellWidth);
    QFETCH(bool, widened);

    QFuncodeItemComboBox combo;
    combo.addMultiItemFixWidth(items, cellWidth);
    QCOMPARE(combo.count(), items.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(combo.itemText(i), items.at(i));
    }
    QCOMPARE(combo.view()->minimumWidth(), combo.popupWidth());
    if (!widened) {
        QCOMPARE(combo.popupWidth(), cellWidth);
        return;
    }
    const QFontMetrics metrics(combo.view()->font());
    QVERIFY(combo.popupWidth() > cellWidth);
    QVERIFY(combo.popupWidth() > metrics.horizontalAdvance(items.last()));
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
