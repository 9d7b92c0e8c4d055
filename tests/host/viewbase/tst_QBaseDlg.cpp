#include "ModalAnswer.h"
#include "QBaseDlg.h"
#include "QDlgTitleBar.h"
#include "QTestUi.h"
#include "ServoResources.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// Laid out as the host's dialogs are: one layout with a top margin of the title height.
class SampleDlg : public QBaseDlg
{
public:
    SampleDlg()
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(2, TitleHeight, 2, 2);
        layout->addWidget(content);
        resize(400, 300);
    }
    QLabel* content = new QLabel("content", this);
};

// A drag with the left button held; QTest's mouse moves carry no buttons.
void drag(QWidget* target, const QPoint& from, const QPoint& to)
{
    const auto send = [target](QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
                               Qt::MouseButtons held) {
        QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}
} // namespace

class tst_QBaseDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initServoResources(); }

    void titleBarDragResizeAndMaximise_data()
    {
        QTest::addColumn<bool>("permit");
        QTest::newRow("resizing and maximising permitted") << true;
        QTest::newRow("not permitted") << false;
    }

    void titleBarDragResizeAndMaximise()
    {
        QFETCH(bool, permit);
        SampleDlg dlg;
        dlg.setPermitDefaultResize(permit);
        dlg.showMaxBtn(permit);
        dlg.move(100, 100);
        QVERIFY(QTestUi::show(&dlg, {400, 300}));
        const QPoint start = dlg.pos();
        drag(dlg.titleBar(), QPoint(80, 20), QPoint(110, 35));
        QTRY_COMPARE(dlg.pos(), start + QPoint(30, 15));
        const QPoint corner(dlg.width() - 2, dlg.height() - 2);
        drag(&dlg, corner, corner + QPoint(40, 30));
        QTRY_COMPARE(dlg.size(), permit ? QSize(440, 330) : QSize(400, 300));
        QCOMPARE(QTestUi::child<QToolButton>(&dlg, "DLG_MAXBTN")->isVisible(), permit);
        QTest::mouseDClick(dlg.titleBar(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
        QTRY_COMPARE(bool(dlg.windowState() & Qt::WindowMaximized), permit);
    }

    void closeButtonAndEscapeReject()
    {
        SampleDlg dlg;
        for (bool byButton : {true, false}) {
            answerModal([&](QWidget*) {
                byButton ? QTestUi::child<QToolButton>(&dlg, "DLG_CLOSEBTN")->click()
                         : QTest::keyClick(&dlg, Qt::Key_Escape);
            });
            QCOMPARE(dlg.exec(), int(QDialog::Rejected));
            QVERIFY(!dlg.isVisible());
        }
    }
};

QTEST_MAIN(tst_QBaseDlg)
#include "tst_QBaseDlg.moc"
