#include "QScreenManager.h"

#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QtTest>

class tst_QScreenManager : public QObject
{
    Q_OBJECT

private slots:
    void fullScreenAndBack()
    {
        QMainWindow window;
        auto* dock = new QDockWidget("Function codes", &window);
        dock->setWidget(new QLabel("table"));
        window.addDockWidget(Qt::LeftDockWidgetArea, dock);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QScreenManager* screens = QScreenManager::self();
        screens->enterFullScreen(dock);
        QVERIFY(screens->isFullScreen(dock) && dock->isFloating());
        QTRY_VERIFY(dock->windowState() & Qt::WindowFullScreen);
        screens->exitFullScreen(dock);
        QVERIFY(!screens->isFullScreen(dock) && !dock->isFloating());
        QVERIFY(!(dock->windowState() & Qt::WindowFullScreen));
        QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        screens->exitFullScreen(dock); // not full screen: changes nothing
        QVERIFY(!dock->isFloating());
        screens->moveToCenter(nullptr); // harmless
    }
};

QTEST_MAIN(tst_QScreenManager)
#include "tst_QScreenManager.moc"
