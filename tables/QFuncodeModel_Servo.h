#pragma once

#include "QFuncodeModelBase_Servo.h"

// The rows of one function-code group of the selected device: the group's list in the device's group
// map. The list belongs to the device; the model keeps the map it was handed and the shown group's name.
class QFuncodeModel_Servo : public QFuncodeModelBase_Servo
{
    Q_OBJECT
public:
    explicit QFuncodeModel_Servo(QObject* parent = nullptr);
    ~QFuncodeModel_Servo() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QString getGroup() const { return m_group; }

    // Rows stay the device's group list: nothing to rebuild.
    void reloadRows() override;
    tagSubFuncode_Servo* getSubFuncode(int row) const override;
    QString groupOf(const QModelIndex& index) const override;
    int rowOf(const QModelIndex& index) const override;
    // Shows another group (model reset).
    void setGroup(const QString& name) override;
    // Takes the group map; the views are reset only when the shown group's rows differ.
    void setGroupMap(const QMap<QString, QList<tagSubFuncode_Servo*>>& map) override;
    QList<tagSubFuncode_Servo*> allFuncodes() const override;
    // The codes of count rows of the group from firstRow on (clipped to the group), but the row being
    // edited: a read must not change the value under the editor.
    QList<tagSubFuncode_Servo*> visibleFuncodes(const QString& group, int firstRow, int count) const;
    int rowOfFuncode(const QString& funIndex, const QString& aliasName) const override;
    QStringList funcodesInModel(const QStringList& funIndexList, const QString& aliasName) const override;

private:
    const QList<tagSubFuncode_Servo*>& rows() const;
    bool isOtherDevice(const QString& aliasName) const;

    QMap<QString, QList<tagSubFuncode_Servo*>> m_groupMap;
    QString m_group;
};
