#include "QScreenManager.h"

#include <QDockWidget>
#include <QLabel>
#include <QMainWindow>
#include <QtTest>

class tst_QScreenManager : public QObject
{
    Q_OBJECT

private slots:
    void moveToCenter()
    {
        QScreenManager* screens = QScreenManager::self();
        const QRect area = screens->availableGeometry();
        screens->moveToCenter(nullptr); // harmless
        QWidget parent;
        auto* dialog = new QWidget(&parent, Qt::Dialog);
        dialog->resize(250, 150);
        screens->moveToCenter(dialog);
        QVERIFY((dialog->frameGeometry().center() - area.center()).manhattanLength() <= 2);
        // A window larger than the screen keeps its top left corner on the screen.
        QWidget huge;
        huge.resize(area.size() * 2);
        screens->moveToCenter(&huge);
        QVERIFY(huge.frameGeometry().left() >= area.left() && huge.frameGeometry().top() >= area.top());
    }

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
    }
};

QTEST_MAIN(tst_QScreenManager)
#include "tst_QScreenManager.moc"
