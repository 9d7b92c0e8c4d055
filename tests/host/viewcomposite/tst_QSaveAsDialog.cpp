#include "ModalAnswer.h"
#include "QSaveAsDialog.h"

#include <QtTest>

// A name typed without a suffix takes the suffix of the filter chosen when the dialog is accepted.
class tst_QSaveAsDialog : public QObject
{
    Q_OBJECT

private slots:
    void theChosenFilterGivesTheSuffix_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("filter changed") << "out" << 1 << "out.xlsx";
        QTest::newRow("any file") << "out" << 2 << "out";
        QTest::newRow("a suffix of its own") << "out.txt" << 1 << "out.txt";
    }

    void theChosenFilterGivesTheSuffix()
    {
        QFETCH(QString, typed);
        QFETCH(int, filter);
        QFETCH(QString, chosen);
        QTemporaryDir dir;
        answerModalOfType<QFileDialog>([&](QFileDialog* files) {
            files->selectNameFilter(files->nameFilters().at(filter));
            files->selectFile(dir.filePath(typed));
            static_cast<QDialog*>(files)->accept();
        });
        const QString path = QSaveAsDialog::getSaveFileName(
            nullptr, "Save", QString(), "csv Files (*.csv);;xlsx Files (*.xlsx);;Other Files (*.*)");
        QCOMPARE(path, dir.filePath(chosen));
    }
};

QTEST_MAIN(tst_QSaveAsDialog)
#include "tst_QSaveAsDialog.moc"
