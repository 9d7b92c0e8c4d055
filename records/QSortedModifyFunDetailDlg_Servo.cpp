#include "QSortedModifyFunDetailDlg_Servo.h"

#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"

#include "QDeviceServo.h"
#include "QFuncodeScaling.h"
#include "QWriteNoticeLabel.h"

#include <QAction>
#include <QVBoxLayout>

QSortedModifyFunDetailDlg_Servo::QSortedModifyFunDetailDlg_Servo(QWidget* parent) : QBaseDlg(parent)
{
    m_view = new QSortedModifyFunDetailView_Servo(this);
    auto* layout = new QVBoxLayout(this);
    // The top margin leaves room for the dialog's own title bar.
    layout->setContentsMargins(2, QBaseDlg::TitleHeight, 2, 2);
    layout->addWidget(m_view);
    layout->addWidget(new QWriteNoticeLabel(this)); // why a restore was refused
    auto* restore = new QAction(tr("STR_RESTORE_OLD_VALUE"), m_view);
    connect(restore, &QAction::triggered, this, [this]() { restoreOldValue(m_view->currentIndex().row()); });
    m_view->addAction(restore);
    m_view->setContextMenuPolicy(Qt::ActionsContextMenu);
    resize(450, 400);
}

QSortedModifyFunDetailDlg_Servo::~QSortedModifyFunDetailDlg_Servo() = default;

void QSortedModifyFunDetailDlg_Servo::setData(const QList<tagFuncodeModifyData>& events, int decimals)
{
    m_view->getModel()->setModifyData(events, decimals);
}

void QSortedModifyFunDetailDlg_Servo::setFuncode(QDeviceServo* device, const QString& funIndex)
{
    m_device = device;
    m_funIndex = funIndex;
}

QFuncodeWriteRoad_Servo::Result QSortedModifyFunDetailDlg_Servo::restoreOldValue(int row)
{
    const QList<tagFuncodeModifyData> events = m_view->getModel()->getModifyData();
    const tagSubFuncode_Servo* fun = m_device ? m_device->getFuncodePtrByFunIndex(m_funIndex) : nullptr;
    if (!fun || row < 0 || row >= events.size()) {
        return QFuncodeWriteRoad_Servo::Result();
    }
    // Events keep values in the editors' units.
    const qint64 raw = QFuncodeScaling::editorToRaw(*fun, events.at(row).oldValue);
    return QFuncodeWriteRoad_Servo::self()->restoreValue(m_device, m_funIndex, events.at(row).axisIndex, raw);
}
