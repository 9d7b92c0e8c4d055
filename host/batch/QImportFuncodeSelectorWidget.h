#pragma once

#include "FunOperationDataUnit.h"

#include <QList>
#include <QString>
#include <QWidget>

class QButtonGroup;
class QComboBox;
class QFunOperationModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;

// Where the function codes of a batch download come from: a function-code file or a source drive of
// the project, and the tree of their codes with check boxes. Subclasses read the sources (readFileData,
// readDeviceData) and shape the tree (createModel, initTreeModelData, resetColumnWidth); a reader hands
// its result to setSourceData.
class QImportFuncodeSelectorWidget : public QWidget
{
    Q_OBJECT
public:
    enum enSource
    {
        SOURCE_NONE = 0,
        SOURCE_FILE,
        SOURCE_DEVICE
    };

    explicit QImportFuncodeSelectorWidget(QWidget* parent = nullptr);
    ~QImportFuncodeSelectorWidget() override;

    // Builds the model; called once by the dialog that shows the widget (virtual calls are not made
    // from the constructor).
    void initSelector();

    // Reads a source; false (and the previous source kept) when it could not be read.
    bool loadFile(const QString& path);
    bool loadDevice(const QString& alias);

    int sourceKind() const { return m_sourceKind; }
    // The file path or the drive alias the codes come from.
    QString sourceKey() const { return m_sourceKey; }
    QString devName() const { return m_devName; }
    QString devVersion() const { return m_devVersion; }
    QList<FunOperationDataUnitPtr> sourceUnits() const { return m_units; }
    QList<FunOperationDataUnitPtr> getDownloadFuncode() const;
    QFunOperationModel* model() const { return m_model; }
    QTreeView* treeView() const { return m_view; }
    // While a batch runs the source and the selection stay as they are.
    void setLocked(bool locked);

signals:
    void sigSourceChanged();
    void sigCheckedCountChanged(int count);

protected:
    virtual QFunOperationModel* createModel();
    // Gives the model its headers and title and loads the source units.
    virtual void initTreeModelData();
    virtual void resetColumnWidth();
    virtual bool readFileData(const QString& path);
    virtual bool readDeviceData(const QString& alias);
    // What a reader found: the source's model and version and its codes.
    void setSourceData(int kind, const QString& key, const QString& devName, const QString& devVersion,
                       const QList<FunOperationDataUnitPtr>& units);
    void changeEvent(QEvent* event) override;

private:
    void buildUi();
    QWidget* buildSourceRow();
    QWidget* buildSelectRow();
    void retranslate();
    void fillDevices();
    void onBrowse();
    void onReadDevice();
    void onSourceToggled();
    void onCheckedCountChanged(int count);
    void updateSummary();

    QFunOperationModel* m_model = nullptr;
    QTreeView* m_view = nullptr;
    QRadioButton* m_fileRadio = nullptr;
    QRadioButton* m_deviceRadio = nullptr;
    QButtonGroup* m_sourceGroup = nullptr;
    QLineEdit* m_pathEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QComboBox* m_deviceCombo = nullptr;
    QPushButton* m_readButton = nullptr;
    QPushButton* m_allButton = nullptr;
    QPushButton* m_noneButton = nullptr;
    QPushButton* m_diffButton = nullptr;
    QLabel* m_summary = nullptr;

    int m_sourceKind = SOURCE_NONE;
    QString m_sourceKey;
    QString m_devName;
    QString m_devVersion;
    QList<FunOperationDataUnitPtr> m_units;
};
