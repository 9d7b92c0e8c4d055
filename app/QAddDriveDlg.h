#pragma once

#include "QDriveLinkSettings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QStackedWidget;

// "Add drive": the model, an alias, and how the drive is reached: simulated in the process, on
// Modbus TCP (host, port, unit id) or on Modbus RTU (serial port, baud rate, parity, unit id).
// OK is taken only with settings that can be used; the reason shows in the dialog otherwise.
class QAddDriveDlg : public QDialog
{
    Q_OBJECT
public:
    explicit QAddDriveDlg(const QStringList& models, QWidget* parent = nullptr);

    void setKind(QDriveLinkSettings::enKind kind);
    QString modelName() const;
    QString alias() const;
    QDriveLinkSettings settings() const;

    void accept() override;

private:
    QWidget* createTcpPage();
    QWidget* createRtuPage();
    void onKindChanged(int index);
    int axisNumOf(const QString& model) const;

    QComboBox* m_kind = nullptr;
    QComboBox* m_model = nullptr;
    QLineEdit* m_alias = nullptr;
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_host = nullptr;
    QSpinBox* m_tcpPort = nullptr;
    QComboBox* m_serialPort = nullptr;
    QComboBox* m_baud = nullptr;
    QComboBox* m_parity = nullptr;
    QSpinBox* m_unit = nullptr;
    QSpinBox* m_timeout = nullptr;
    QLabel* m_problem = nullptr;
};
