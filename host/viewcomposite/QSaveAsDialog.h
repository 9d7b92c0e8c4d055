#pragma once

#include <QFileDialog>
#include <QString>

// Asks for the name of a file to write, the same way for every export: a name typed without a suffix gets
// the suffix of the chosen filter before the dialog looks for an existing file, so that replacing
// "result.csv" is asked about also when "result" was typed.
class QSaveAsDialog : public QFileDialog
{
    Q_OBJECT
public:
    // Like QFileDialog::getSaveFileName, the suggestion may name a folder, a file, or a file in a folder.
    QSaveAsDialog(QWidget* parent, const QString& caption, const QString& suggested, const QString& filter);

    // The chosen file, or an empty text when the user cancelled.
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                   const QString& filter);
    // The suffix a name filter stands for ("csv Files (*.csv)" gives "csv"); empty for "*" and "*.*".
    static QString suffixOfFilter(const QString& nameFilter);

public slots:
    void accept() override;
};
