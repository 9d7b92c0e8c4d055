#include "QOkCancel.h"

#include <QHBoxLayout>
#include <QPushButton>

QOkCancel::QOkCancel(QWidget* parent, int type) : QWidget(parent)
{
    m_type = (type >= 0 && type <= 2) ? type : 0;
    setObjectName(QStringLiteral("OKCANCEL"));
    QString okText;
    switch (m_type) {
    case 1:
        okText = tr("STR_SAVE");
        break;
    case 2:
        okText = tr("STR_IMPORT");
        break;
    default:
        okText = tr("STR_OK");
        break;
    }
    m_ok = new QPushButton(okText, this);
    m_ok->setObjectName(QStringLiteral("btnOk"));
    m_ok->setDefault(true);
    m_ok->setMinimumWidth(80);
    m_cancel = new QPushButton(tr("STR_CANCEL"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_cancel->setAutoDefault(false);
    m_cancel->setMinimumWidth(80);
    connect(m_ok, &QPushButton::clicked, this, &QOkCancel::SigOk);
    connect(m_cancel, &QPushButton::clicked, this, &QOkCancel::SigCancel);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addStretch(1);
    layout->addWidget(m_ok);
    layout->addWidget(m_cancel);
}

QOkCancel::~QOkCancel() = default;

void QOkCancel::setOkBtnEnabled(bool enabled)
{
    m_ok->setEnabled(enabled);
}

bool QOkCancel::isOkBtnEnabled() const
{
    return m_ok->isEnabled();
}
