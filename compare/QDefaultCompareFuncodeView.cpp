#include "QDefaultCompareFuncodeView.h"

#include "QDefaultCompareFuncodeModel.h"

#include "QBatchReadWrite_Servo.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"

#include <QCursor>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <iterator>

namespace {
QDeviceServo* selectedServo()
{
    return QProjectCore::self()->getDevMgr()->getSelectServo();
}
} // namespace

QDefaultCompareFuncodeView::QDefaultCompareFuncodeView(QWidget* parent) : QBaseTableView(parent)
{
    hide();
    setContextMenuPolicy(Qt::CustomContextMenu);
    m_model = new QDefaultCompareFuncodeModel(this);
    setModel(m_model);
    m_menu = new QMenu(this);
    connect(m_menu->addAction(tr("STR_REFRESH")), &QAction::triggered, this,
            &QDefaultCompareFuncodeView::OnRefresh);
    connect(this, &QDefaultCompareFuncodeView::customContextMenuRequested, this,
            &QDefaultCompareFuncodeView::rightMenuClicked);
    setEnableLeftClickSignal(true);
    setEnableUpAndDownSelect(true);
    static const int widths[] = {100, 260, 70, 180, 180};
    for (int column = 0; column < int(std::size(widths)); ++column) {
        setColumnWidth(column, widths[column]);
    }
    horizontalHeader()->setStretchLastSection(true);
}

QDefaultCompareFuncodeView::~QDefaultCompareFuncodeView() = default;

void QDefaultCompareFuncodeView::rightMenuClicked()
{
    m_menu->exec(QCursor::pos());
}

void QDefaultCompareFuncodeView::OnRefresh()
{
    // A read processes events; a show or a second refresh arriving meanwhile must not start another.
    if (m_refreshing) {
        return;
    }
    QDeviceServo* device = selectedServo();
    if (!device) {
        return;
    }
    m_refreshing = true;
    if (device->isDeviceOnline()) {
        QBatchReadWrite_Servo reader(device->getAliasName(), tr("STR_READ"), this, 0);
        reader.batchReadFuncode(QStringList());
    }
    // The drive may have been removed while it was read.
    if (QDeviceServo* current = selectedServo()) {
        m_model->setModelData(current->getCompareFuncodeDefault());
    }
    m_refreshing = false;
}

void QDefaultCompareFuncodeView::showEvent(QShowEvent* event)
{
    QBaseTableView::showEvent(event);
    OnRefresh();
    initFirstSelectIndex();
}

void QDefaultCompareFuncodeView::paintEvent(QPaintEvent* event)
{
    QBaseTableView::paintEvent(event);
    if (m_model->rowCount() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(viewport()->rect(), Qt::AlignCenter, tr("STR_DEFAULT_COMPARE_NONE"));
}

void QDefaultCompareFuncodeView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_menu->actions().constFirst()->setText(tr("STR_REFRESH"));
        // The rows hold the drive's texts as they were when filled.
        if (QDeviceServo* device = selectedServo()) {
            m_model->setModelData(device->getCompareFuncodeDefault());
        }
    }
    QBaseTableView::changeEvent(event);
}
