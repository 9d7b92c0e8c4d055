#include "QAddDriveDlg.h"

#include "QDriveCatalogue.h"
#include "QProjectCore.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
const int kBaudRates[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};
const int kDefaultTcpPort = 502;
} // namespace

QAddDriveDlg::QAddDriveDlg(const QStringList& models, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ADD_DRIVE_DLG"));
    setWindowTitle(tr("STR_ADD_DRIVE_TITLE"));
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("LINK_KIND"));
    m_kind->addItems({tr("STR_LINK_SIMULATED"), tr("STR_LINK_MODBUS_TCP"), tr("STR_LINK_MODBUS_RTU")});
    m_model = new QComboBox(this);
    m_model->setObjectName(QStringLiteral("MODEL"));
    m_model->addItems(models);
    m_alias = new QLineEdit(this);
    m_alias->setObjectName(QStringLiteral("ALIAS"));
    m_alias->setPlaceholderText(tr("STR_ADD_DRIVE_ALIAS_HINT"));
    m_unit = new QSpinBox(this);
    m_unit->setObjectName(QStringLiteral("UNIT"));
    m_unit->setRange(1, QDriveLinkSettings::kMaxUnitId);
    m_timeout = new QSpinBox(this);
    m_timeout->setObjectName(QStringLiteral("TIMEOUT"));
    m_timeout->setRange(10, 60000);
    m_timeout->setSuffix(QStringLiteral(" ms"));
    m_timeout->setValue(QDriveLinkSettings::kDefaultTimeoutMs);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(new QWidget(this));
    m_pages->addWidget(createTcpPage());
    m_pages->addWidget(createRtuPage());
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("PROBLEM"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #b00020"));

    auto* form = new QFormLayout;
    form->addRow(tr("STR_ADD_DRIVE_LINK"), m_kind);
    form->addRow(tr("STR_ADD_DRIVE_MODEL"), m_model);
    form->addRow(tr("STR_ADD_DRIVE_ALIAS"), m_alias);
    auto* busForm = new QFormLayout;
    busForm->addRow(tr("STR_ADD_DRIVE_UNIT"), m_unit);
    busForm->addRow(tr("STR_ADD_DRIVE_TIMEOUT"), m_timeout);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QAddDriveDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pages);
    layout->addLayout(busForm);
    layout->addWidget(m_problem);
    layout->addWidget(buttons);
    connect(m_kind, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &QAddDriveDlg::onKindChanged);
    onKindChanged(0);
}

QWidget* QAddDriveDlg::createTcpPage()
{
    auto* page = new QWidget(this);
    m_host = new QLineEdit(QStringLiteral("127.0.0.1"), page);
    m_host->setObjectName(QStringLiteral("HOST"));
    m_tcpPort = new QSpinBox(page);
    m_tcpPort->setObjectName(QStringLiteral("TCP_PORT"));
    m_tcpPort->setRange(1, 65535);
    m_tcpPort->setValue(kDefaultTcpPort);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("STR_ADD_DRIVE_HOST"), m_host);
    form->addRow(tr("STR_ADD_DRIVE_TCP_PORT"), m_tcpPort);
    return page;
}

QWidget* QAddDriveDlg::createRtuPage()
{
    auto* page = new QWidget(this);
    m_serialPort = new QComboBox(page);
    m_serialPort->setObjectName(QStringLiteral("SERIAL_PORT"));
    m_serialPort->setEditable(true);
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : ports) {
        m_serialPort->addItem(info.systemLocation());
    }
    m_baud = new QComboBox(page);
    m_baud->setObjectName(QStringLiteral("BAUD"));
    m_baud->setEditable(true);
    for (int rate : kBaudRates) {
        m_baud->addItem(QString::number(rate));
    }
    m_baud->setCurrentText(QStringLiteral("115200"));
    m_parity = new QComboBox(page);
    m_parity->setObjectName(QStringLiteral("PARITY"));
    m_parity->addItems({tr("STR_PARITY_NONE"), tr("STR_PARITY_EVEN"), tr("STR_PARITY_ODD")});
    m_parity->setCurrentIndex(QDriveLinkSettings::ParityEven);
    auto* form = new QFormLayout(page);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("STR_ADD_DRIVE_SERIAL_PORT"), m_serialPort);
    form->addRow(tr("STR_ADD_DRIVE_BAUD"), m_baud);
    form->addRow(tr("STR_ADD_DRIVE_PARITY"), m_parity);
    return page;
}

void QAddDriveDlg::onKindChanged(int index)
{
    m_pages->setCurrentIndex(index);
    const bool bus = index != QDriveLinkSettings::Simulated;
    m_unit->setEnabled(bus);
    m_timeout->setEnabled(bus);
    m_problem->clear();
}

void QAddDriveDlg::setKind(QDriveLinkSettings::enKind kind)
{
    m_kind->setCurrentIndex(kind);
}

QString QAddDriveDlg::modelName() const
{
    return m_model->currentText();
}

QString QAddDriveDlg::alias() const
{
    return m_alias->text().trimmed();
}

QDriveLinkSettings QAddDriveDlg::settings() const
{
    QDriveLinkSettings s;
    s.kind = static_cast<QDriveLinkSettings::enKind>(m_kind->currentIndex());
    s.unitId = m_unit->value();
    s.timeoutMs = m_timeout->value();
    s.host = m_host->text().trimmed();
    s.port = m_tcpPort->value();
    s.serialPort = m_serialPort->currentText().trimmed();
    s.baudRate = m_baud->currentText().toInt();
    s.parity = static_cast<QDriveLinkSettings::enParity>(m_parity->currentIndex());
    return s;
}

int QAddDriveDlg::axisNumOf(const QString& model) const
{
    const QDriveModelPtr m = QProjectCore::self()->getCatalogue()->model(model);
    return m ? m->axisNum : 1;
}

void QAddDriveDlg::accept()
{
    QString problem;
    if (modelName().isEmpty()) {
        problem = tr("STR_MENU_NO_MODELS");
    } else {
        settings().check(axisNumOf(modelName()), &problem);
    }
    m_problem->setText(problem);
    if (problem.isEmpty()) {
        QDialog::accept();
    }
}
