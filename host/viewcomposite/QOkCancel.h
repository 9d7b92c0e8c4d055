#pragma once

#include <QWidget>

class QPushButton;

// The OK/Cancel bar at the bottom of the host's dialogs: the two buttons at the right.
// Button texts by type: 0 "OK"/"Cancel", 1 "Save"/"Cancel", 2 "Import"/"Cancel" (other types as 0).
class QOkCancel : public QWidget
{
    Q_OBJECT
public:
    explicit QOkCancel(QWidget* parent = nullptr, int type = 0);
    ~QOkCancel() override;

    int type() const { return m_type; }
    void setOkBtnEnabled(bool enabled);
    bool isOkBtnEnabled() const;
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void SigOk();
    void SigCancel();

private:
    int m_type = 0;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
