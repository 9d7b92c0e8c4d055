#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

class QDeviceServo;
class QLabel;
struct tagSubFuncode_Servo;

// A small frameless card that hovers beside the cursor with the essentials of one function code of the
// selected drive: number and name, the current value of each axis, range, default, unit, when a change
// takes effect, the access right and the remark. Its values follow the hub's SigFuncodeChanged_Servo
// for the code. An empty or unknown number shows only a short "no information" text.
class QFuncodeDetailInfoWidget : public QWidget
{
    Q_OBJECT
public:
    // A tool window without frame, whatever flags are given besides (e.g. Qt::WindowStaysOnTopHint).
    explicit QFuncodeDetailInfoWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~QFuncodeDetailInfoWidget() override;

    // Shows the code of the selected drive (or the empty state).
    void setCurServoFuncode(const QString& funIndex);
    // Puts the card just below and right of the point, flipped to the left or above where the screen
    // ends, and always inside the available area of the screen under the point.
    void moveFunDetailInfoWidget(const QPoint& globalPos);
    // The top-left corner the card of this size gets for the point within area.
    static QPoint placeFor(const QPoint& globalPos, const QSize& size, const QRect& area);

    QString funIndex() const { return m_funIndex; }
    QString aliasName() const { return m_alias; }
    // False while the empty state is shown.
    bool hasFuncodeInfo() const { return m_hasInfo; }

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void onFuncodeChanged(QString aliasName, QStringList funIndexList);

private:
    // The captions of the rows in their order: the axes' values, range, default, unit, effect, right, remark.
    static QStringList captionTexts();
    void buildUi();
    QLabel* addRow(const QString& caption, const QString& objectName, QLabel** iconLabel = nullptr,
                   QLabel** captionOut = nullptr);
    QDeviceServo* device() const;
    void showEmpty();
    void fillDescription(const tagSubFuncode_Servo* fun, const QDeviceServo* device);
    void fillValues();

    QString m_funIndex;
    QString m_alias;
    bool m_hasInfo = false;

    QWidget* m_content = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_empty = nullptr;
    QList<QLabel*> m_captions; // in the order of captionTexts()
    QList<QLabel*> m_axisCaptions;
    QList<QLabel*> m_axisValues;
    QLabel* m_range = nullptr;
    QLabel* m_default = nullptr;
    QLabel* m_unit = nullptr;
    QLabel* m_effect = nullptr;
    QLabel* m_effectIcon = nullptr;
    QLabel* m_right = nullptr;
    QLabel* m_rightIcon = nullptr;
    QLabel* m_remark = nullptr;
    QLabel* m_remarkCaption = nullptr;
};
