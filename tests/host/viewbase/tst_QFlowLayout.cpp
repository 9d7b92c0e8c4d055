#include "QFlowLayout.h"

#include <QLabel>
#include <QtTest>

// Fixed-size items, so that the expected lines follow from the widths alone.
class tst_QFlowLayout : public QObject
{
    Q_OBJECT
private slots:
    void wrapsWhereTheNextItemDoesNotFit_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<int>>("lineOfItem");
        // Items 100, 100, 100 px wide, 10 px apart, 20 px high.
        QTest::newRow("all on one line") << 500 << QList<int>{0, 0, 0};
        QTest::newRow("exactly room for three") << 320 << QList<int>{0, 0, 0};
        QTest::newRow("room for two") << 250 << QList<int>{0, 0, 1};
        QTest::newRow("narrower than one item") << 60 << QList<int>{0, 1, 2};
    }
    void wrapsWhereTheNextItemDoesNotFit()
    {
        QFETCH(int, width);
        QFETCH(QList<int>, lineOfItem);
        QWidget host;
        auto* flow = new QFlowLayout(&host, 10, 5);
        flow->setContentsMargins(0, 0, 0, 0);
        QList<QLabel*> items;
        for (int i = 0; i < 3; ++i) {
            auto* label = new QLabel(&host);
            label->setFixedSize(100, 20);
            flow->addWidget(label);
            items.append(label);
        }
        const int lines = lineOfItem.last() + 1;
        QCOMPARE(flow->heightForWidth(width), lines * 20 + (lines - 1) * 5);
        flow->setGeometry(QRect(0, 0, width, flow->heightForWidth(width)));
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items.at(i)->geometry().y(), lineOfItem.at(i) * 25);
        }
        // Never asks for more width than its widest item, so that it cannot widen its window.
        QCOMPARE(flow->minimumSize().width(), 100);
    }

    void takesLayoutsAsItems()
    {
        QWidget host;
        auto* flow = new QFlowLayout(&host, 10, 0);
        auto* pair = new QHBoxLayout;
        auto* icon = new QLabel(&host);
        icon->setFixedSize(18, 18);
        pair->addWidget(icon);
        flow->addLayout(pair);
        QCOMPARE(flow->count(), 1);
        QCOMPARE(pair->parent(), flow);
        QVERIFY(flow->sizeHint().width() >= 18);
    }
};

QTEST_MAIN(tst_QFlowLayout)
#include "tst_QFlowLayout.moc"
