#pragma once

#include <QDockWidget>

class QTableView;

namespace editor {

class CycleDocument;
class PointsTableModel;

// The points table: every point of the document in a dock beside the window,
// the current point as the current row. It only shows the document; a row
// picked, a cell edited and rows pasted are handed to the window, which runs
// the editor's rules on them.
class PointsTablePanel : public QDockWidget
{
    Q_OBJECT
public:
    PointsTablePanel(const CycleDocument &document, QWidget *parent);

    PointsTableModel &model() const { return *m_model; }
    QTableView &view() const { return *m_view; }

    // Reads the document's rows again, with times as hh:mm:ss or seconds and
    // the headings in a language, and selects the current point; a wider
    // selection that already holds it is left as the user made it.
    void refresh(bool hms, bool english, const QString &title);
    // Whether cells take edits, and whether the table moves the editor at all
    // (it can still be read and copied when it does not).
    void setAccess(bool editable, bool enabled);
    // The width that shows every column whole.
    int columnsWidth() const;
    // Docked beside `window`'s controls (which need `controlsWidth`), the
    // table takes the width of its columns as far as the window can spare it;
    // where the window cannot spare half of that, it floats beside the window
    // instead of pushing the controls under a scroll bar.
    void showBeside(QMainWindow &window, int controlsWidth);

    // The selected rows to the clipboard as tab-separated lines.
    void copyRows() const;

Q_SIGNALS:
    void pointPicked(int point);
    // After the cell's editor has closed, so that a refusal's message does
    // not come up while the editor still holds the keyboard.
    void cellEdited(int point, int column, const QString &text);
    void pasteAsked();

private:
    const CycleDocument &m_document;
    QTableView *m_view = nullptr;
    PointsTableModel *m_model = nullptr;
    bool m_selecting = false; // the table itself moves its current row
};

} // namespace editor
