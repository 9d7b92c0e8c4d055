#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVector>

// The target drives of a batch download: the drives of the project of one model, each with a check box
// (checked: to be downloaded), its model, whether it is online, and the state of its run. Follows the
// project (drives added or removed) and the drives' online state.
class QBatchTargetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The outcome comes right after the drive, so that a narrow window still shows it.
    enum enColumn
    {
        COL_ALIAS = 0,
        COL_STATE,
        COL_MODEL,
        COL_ONLINE,
        COL_COUNT
    };
    enum enRunState
    {
        RUN_IDLE = 0,
        RUN_WAITING,
        RUN_RUNNING,
        RUN_SUCCEEDED,
        RUN_FAILED,
        RUN_STOPPED
    };

    explicit QBatchTargetModel(QObject* parent = nullptr);
    ~QBatchTargetModel() override;

    // Offers only the drives of this model (empty: none).
    void setModelFilter(const QString& devName);
    QString modelFilter() const { return m_devName; }
    // Reads the project's drives again, keeping check marks and states of drives that stay.
    void refresh();

    QStringList aliases() const;
    QStringList checkedAliases() const;
    void setAllChecked(bool checked);
    void setRunState(const QString& alias, int state);
    // How far a running drive is (0 to 100), shown with its state.
    void setProgress(const QString& alias, int percent);
    int runState(const QString& alias) const;
    QStringList aliasesInState(int state) const;
    // While locked (a batch runs) the check boxes cannot be changed.
    void setLocked(bool locked);
    QString aliasAt(int row) const;
    static QString runStateText(int state);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void checkedChanged();

private:
    struct Row
    {
        QString alias;
        bool checked = true;
        int state = RUN_IDLE;
        int percent = 0;
    };

    int rowOf(const QString& alias) const;
    void onDevStatus(const QString& alias);
    QVariant displayData(const Row& row, int column) const;
    QVariant stateColor(int state) const;

    QString m_devName;
    QVector<Row> m_rows;
    bool m_locked = false;
};
