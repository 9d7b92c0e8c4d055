#pragma once

#include "QImportFuncodeSelectorWidget.h"
#include "tagExportFuncode_Servo.h"

class QDeviceServo;

// Where the codes of a servo batch download come from: a function-code file (as the export writes it) or
// a source drive of the project, read whole. The tree shows the source's values per axis (and a drive's
// defaults), with codes that differ from the selected drive highlighted.
class QServoImportFunSelectorWgt : public QImportFuncodeSelectorWidget
{
    Q_OBJECT
public:
    explicit QServoImportFunSelectorWgt(QWidget* parent = nullptr);

protected:
    QFunOperationModel* createModel() override;
    void initTreeModelData() override;
    void resetColumnWidth() override;
    bool readFileData(const QString& path) override;
    bool readDeviceData(const QString& alias) override;

private:
    int sourceAxisCount() const;
    void markCurrentDevice(const QList<FunOperationDataUnitPtr>& units) const;
    QList<FunOperationDataUnitPtr> deviceUnits(const QDeviceServo* dev) const;
    void refuse(const QString& text);
    bool checkFileHead(const QString& path, QString* refusal) const;
    static QString knownDeviceName(const QString& name);
};
