#include "QScreenManager.h"

#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QtTest>

class tst_QScreenManager : public QObject
{
    Q_OBJECT

private slots:
    void availableGeometry();
    void moveToCenter_data();
    void moveToCenter();
    void moveToCenterOfNothing();
    void fullScreenAndBack();
};

void tst_QScreenManager::availableGeometry()
{
    QVERIFY(QScreenManager::self() == QScreenManager::self());
    QVERIFY(!QScreenManager::self()->availableGeometry().isEmpty());
}

void tst_QScreenManager::moveToCenter_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("withParent");
    QTest::newRow("small window") << QSize(300, 200) << false;
    QTest::newRow("dialog of a parent") << QSize(250, 150) << true;
}

void tst_QScreenManager::moveToCenter()
{
    QFETCH(QSize, size);
    QFETCH(bool, withParent);
    QWidget parent;
    QWidget* widget = withParent ? new QWidget(&parent, Qt::Dialog) : new QWidget;
    widget->resize(size);
    QScreenManager::self()->moveToCenter(widget);
    const QRect area = QScreenManager::self()->availableGeometry();
    const QPoint offset = widget->frameGeometry().center() - area.center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("off by %1,%2").arg(offset.x()).arg(offset.y())));
    if (!withParent) {
        delete widget;
    }
}

void tst_QScreenManager::moveToCenterOfNothing()
{
    QScreenManager::self()->moveToCenter(nullptr);
    const QRect area = QScreenManager::self()->availableGeometry();
    QWidget huge;
    huge.resize(area.width() * 2, area.height() * 2);
    QScreenManager::self()->moveToCenter(&huge);
    QVERIFY(huge.frameGeometry().left() >= area.left());
    QVERIFY(huge.frameGeometry().top() >= area.top());
}

void tst_QScreenManager::fullScreenAndBack()
{
    QMainWindow window;
    auto* dock = new QDockWidget(QStringLiteral("Function codes"), &window);
    dock->setWidget(new QLabel(QStringLiteral("table")));
    window.addDockWidget(Qt::LeftDockWidgetArea, dock);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(!dock->isFloating());

    QScreenManager::self()->enterFullScreen(dock);
    QVERIFY(QScreenManager::self()->isFullScreen(dock));
    QVERIFY(dock->isFloating());
    QTRY_VERIFY(dock->windowState() & Qt::WindowFullScreen);

    QScreenManager::self()->exitFullScreen(dock);
    QVERIFY(!QScreenManager::self()->isFullScreen(dock));
    QVERIFY(!dock->isFloating());
    QVERIFY(!(dock->windowState() & Qt::WindowFullScreen));
    QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);

    // Leaving a dock that is not full screen changes nothing.
    QScreenManager::self()->exitFullScreen(dock);
    QVERIFY(!dock->isFloating());
}

QTEST_MAIN(tst_QScreenManager)
#include "tst_QScreenManager.moc"
