#include "QButtonManager.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QtTest>

class tst_QButtonManager : public QObject
{
    Q_OBJECT

private slots:
    // Buttons a host never adopted die with the manager; adopted ones stay with the host's tool bar.
    void unadoptedButtonsDieWithTheManager()
    {
        QWidget toolBar;
        QPointer<QAbstractButton> adopted, loose, replaced;
        {
            QButtonManager manager;
            const QList<QAbstractButton*> buttons = manager.getButtonGroupByType(9)->buttons();
            std::tie(adopted, loose, replaced) = std::make_tuple(buttons.at(0), buttons.at(1), buttons.at(2));
            adopted->setParent(&toolBar);
            // A group replaced by a host's own still loses its loose buttons with the manager.
            QButtonGroup custom;
            manager.setButtonGroup(9, &custom);
            manager.setButtonGroup(9, nullptr);
            QVERIFY(replaced);
        }
        QVERIFY(adopted && !loose && !replaced);
    }
};

QTEST_MAIN(tst_QButtonManager)
#include "tst_QButtonManager.moc"
