#pragma once
// CLegendWidget: the thin Qt view of a CQuickLegend: a table of its rows
// (on/off mark, colour swatch, channel, editable name, copy mark). Clicks,
// row selection and name edits go to the legend; Refresh shows its rows.

#include "trace/display/QuickLegend.h"

#include <QTableWidget>

class CLegendWidget : public QTableWidget {
public:
    CLegendWidget(CGraphFrame& frame, QWidget* parent = nullptr);
    // Rebuilds the table from the document (cheap; call after any change).
    void Refresh();

protected:
    // The right button on a row makes its trace current and opens its trace menu.
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ShowRows();

    CGraphFrame& m_frame;
    CQuickLegend m_legend;
    bool m_bFilling = false;
};
