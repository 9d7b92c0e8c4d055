#pragma once

#include <QHeaderView>
#include <QString>

// The horizontal header of the monitored list: a standard header with a title text that stretches its
// last section. sigUpCheckChanged and sigDownCheckChanged ask the view to move the current code.
class QHeaderPushBtnView : public QHeaderView
{
    Q_OBJECT
public:
    explicit QHeaderPushBtnView(Qt::Orientation orientation, QWidget* parent = nullptr);
    ~QHeaderPushBtnView() override;

    void setTitle(const QString& title);
    QString getTitle() const { return m_title; }

signals:
    void sigUpCheckChanged();
    void sigDownCheckChanged();

private:
    QString m_title;
};
