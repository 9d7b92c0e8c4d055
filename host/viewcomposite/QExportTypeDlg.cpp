#include "QExportTypeDlg.h"

#include "QOkCancel.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

QExportTypeDlg::QExportTypeDlg(QWidget* parent) : QBaseDlg(parent)
{
    setObjectName(QStringLiteral("EXPORTTYPEDLG"));
    setTitle(tr("STR_EXPORT_FILE_TYPE"));
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    m_buttons = new QOkCancel(this, 0);
    connect(m_buttons, &QOkCancel::SigOk, this, &QExportTypeDlg::accept);
    connect(m_buttons, &QOkCancel::SigCancel, this, &QExportTypeDlg::reject);

    auto* prompt = new QLabel(tr("STR_EXPORT_CHOOSE_FILE_TYPE"), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, TitleHeight + 12, 20, 12);
    layout->setSpacing(8);
    layout->addWidget(prompt);
    layout->addSpacing(4);
    layout->addWidget(m_buttons);
    setMinimumWidth(320);
    setFileTypes({TypeFuncodeServo, TypeCsv, TypeXlsx});
}

QExportTypeDlg::~QExportTypeDlg() = default;

QString QExportTypeDlg::typeText(int type)
{
    switch (type) {
    case TypeFuncodeServo:
        return tr("STR_FILE_TYPE_FUNCODESERVO");
    case TypeCsv:
        return tr("STR_FILE_TYPE_CSV");
    case TypeXlsx:
        return tr("STR_FILE_TYPE_XLSX");
    default:
        return QString();
    }
}

void QExportTypeDlg::setFileTypes(const QList<int>& types)
{
    QList<int> kept;
    for (int type : types) {
        if (!typeText(type).isEmpty() && !kept.contains(type)) {
            kept.append(type);
        }
    }
    if (kept.isEmpty()) {
        return;
    }
    const QList<QAbstractButton*> old = m_group->buttons();
    for (QAbstractButton* button : old) {
        m_group->removeButton(button);
        delete button;
    }
    m_types = kept;
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    for (int i = 0; i < m_types.size(); ++i) {
        auto* radio = new QRadioButton(typeText(m_types.at(i)), this);
        radio->setObjectName(QStringLiteral("radioFileType_%1").arg(m_types.at(i)));
        m_group->addButton(radio, m_types.at(i));
        // Below the prompt and the spacing, above the buttons.
        layout->insertWidget(2 + i, radio);
    }
    m_group->button(m_types.first())->setChecked(true);
}

void QExportTypeDlg::setFileType(int type)
{
    if (QAbstractButton* button = m_group->button(type)) {
        button->setChecked(true);
    }
}

int QExportTypeDlg::getFileType() const
{
    return m_chosen;
}

void QExportTypeDlg::accept()
{
    m_chosen = m_group->checkedId();
    QBaseDlg::accept();
}

void QExportTypeDlg::reject()
{
    m_chosen = TypeNone;
    QBaseDlg::reject();
}
