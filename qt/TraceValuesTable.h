#pragma once
// The Qt face of the trace values window: a table model that asks the
// toolkit-free CTraceValuesView for each cell it shows (so a 65,537-point
// spectrum costs no more than the screenful in sight), and a widget with a
// QTableView on it and the window's commands: save as tab- or
// comma-separated file, copy, select all. Copying hands the table's
// selection to the view, which goes through the host's clipboard.

#include "trace/output/TraceValuesFrame.h"

#include <QAbstractTableModel>
#include <QWidget>

class QTableView;

class CTraceValuesModel : public QAbstractTableModel {
public:
    explicit CTraceValuesModel(CTraceValuesView& view, QObject* parent = nullptr);
    ~CTraceValuesModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Called with every change the view reports, after the model has followed it.
    void SetAfterChange(std::function<void(CTraceValuesView::EChange)> fnAfter) { m_fnAfter = std::move(fnAfter); }

private:
    void OnChange(CTraceValuesView::EChange eChange);

    CTraceValuesView& m_view;
    int m_iRows = 0; // the row count Qt was last told
    std::function<void(CTraceValuesView::EChange)> m_fnAfter;
};

class CTraceValuesWidget : public QWidget {
public:
    explicit CTraceValuesWidget(CQXTrace* pTrace, QWidget* parent = nullptr);
    ~CTraceValuesWidget() override;

    CTraceValuesFrame& GetFrame() { return m_frame; }
    QTableView* GetTable() const { return m_pTable; }
    // Copies the table's selected rows into the view and copies them.
    bool Copy();
    QSize sizeHint() const override { return {720, 480}; }

private:
    // Column widths and visibility from the view (a hidden column has width 0).
    void ApplyColumns();
    void UpdateTitle();

    CTraceValuesFrame m_frame;
    CTraceValuesModel* m_pModel = nullptr;
    QTableView* m_pTable = nullptr;
};
