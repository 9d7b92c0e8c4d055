#include "QSaveAsDialog.h"

#include <QRegularExpression>

QSaveAsDialog::QSaveAsDialog(QWidget* parent, const QString& caption, const QString& suggested,
                             const QString& filter)
    : QFileDialog(parent, caption, suggested, filter)
{
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(suffixOfFilter(selectedNameFilter()));
}

QString QSaveAsDialog::suffixOfFilter(const QString& nameFilter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.([^\\s;)*]+)"));
    return firstPattern.match(nameFilter).captured(1);
}

QString QSaveAsDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                                       const QString& filter)
{
    QSaveAsDialog dialog(parent, caption, suggested, filter);
    if (dialog.exec() != QDialog::Accepted) {
        return QString();
    }
    return dialog.selectedFiles().value(0);
}

// The filter may have been changed since the dialog opened: the suffix follows it.
void QSaveAsDialog::accept()
{
    setDefaultSuffix(suffixOfFilter(selectedNameFilter()));
    QFileDialog::accept();
}
