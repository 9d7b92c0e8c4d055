#pragma once

#include "QFuncodeModelBase_Servo.h"

// The monitored function codes of the selected device, in the order the device keeps them. Numbers the
// device no longer knows are left out.
class QSelFunCodeModel_Servo : public QFuncodeModelBase_Servo
{
    Q_OBJECT
public:
    explicit QSelFunCodeModel_Servo(QObject* parent = nullptr);
    ~QSelFunCodeModel_Servo() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

    // Rebuilds the rows from the device's monitored list (model reset). Without a device the rows are
    // emptied, so that no pointer of a removed device stays behind.
    void reloadRows() override;
    // Moves the code one place in the device's list; the first row does not move up, the last not down.
    void moveRowUp(const QString& funIndex) override;
    void moveRowDown(const QString& funIndex) override;
    tagSubFuncode_Servo* getSubFuncode(int row) const override;
    QList<tagSubFuncode_Servo*> allFuncodes() const override;
    // The codes of count rows from first on, clipped to the list.
    QList<tagSubFuncode_Servo*> funcodesBetween(int first, int count) const;
    int rowOfFuncode(const QString& funIndex, const QString& aliasName) const override;
    QStringList funcodesInModel(const QStringList& funIndexList, const QString& aliasName) const override;

private:
    QList<tagSubFuncode_Servo*> m_rows;
};
