#pragma once

#include "QBaseDlg.h"

#include <QList>

class QButtonGroup;
class QOkCancel;

// Asks which kind of function-code file to write. After exec, getFileType gives the choice:
// 0 function-code file (.funcodeservo), 1 comma-separated file (.csv), 2 workbook (.xlsx);
// -1 when the dialog was cancelled. A caller that writes only some kinds offers only those.
class QExportTypeDlg : public QBaseDlg
{
    Q_OBJECT
public:
    enum FileType
    {
        TypeNone = -1,
        TypeFuncodeServo = 0,
        TypeCsv = 1,
        TypeXlsx = 2
    };

    explicit QExportTypeDlg(QWidget* parent = nullptr);
    ~QExportTypeDlg() override;

    // The kinds offered, in this order; the first is chosen at start (default: all three).
    void setFileTypes(const QList<int>& types);
    QList<int> fileTypes() const { return m_types; }
    // Chooses a kind (when offered).
    void setFileType(int type);
    int getFileType() const;

public slots:
    void accept() override;
    void reject() override;

private:
    static QString typeText(int type);

    QList<int> m_types;
    QButtonGroup* m_group = nullptr;
    QOkCancel* m_buttons = nullptr;
    int m_chosen = TypeNone;
};
