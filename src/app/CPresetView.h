// The list of all presets in use: name and "bank.place (serial)" per row. Selecting a row makes
// that preset current; dragging a row onto another copies the dragged preset over it (one undo
// step), with the target row highlighted and a picture of the row following the cursor; near
// the top or bottom edge the list scrolls while dragging.
#pragma once

#include <QPoint>
#include <QTreeWidget>

#include <memory>
#include <optional>

class CAppDoc;
class QLabel;
class QPainter;
class QRegion;

class CPresetView final : public QTreeWidget {
    Q_OBJECT

public:
    explicit CPresetView(CAppDoc& doc, QWidget* parent = nullptr);
    ~CPresetView() override;

    // Width that shows both columns and a vertical scroll bar.
    int IdealWidth() const;
    // Row under a point of the viewport, taken at x = 2 so that any x over a row counts; -1
    // when the point is beside the rows.
    int RowAt(const QPoint& viewportPos) const;
    // Row carrying the drop highlight, -1 when none.
    int DropTarget() const { return dropHighlighted ? dropTarget : -1; }
    bool IsDragging() const { return dragging; }
    // The picture following the cursor while dragging (null otherwise).
    QWidget* DragImage() const;

    // Writes a name into column 0 of the current row.
    void UpdateCurrentName(const QString& name);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void verticalScrollbarValueChanged(int value) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void PaintRows(QPainter& painter, const QRegion& region) const;
    void OnUpdate(int hint);
    void Rebuild();
    void RewriteNames();
    void SizeColumns();
    void BeginDrag(int row, const QPoint& viewportPos);
    void DragMove(const QPoint& viewportPos);
    void EndDrag(const QPoint& viewportPos);
    void SetDropHighlight(int row, bool on);

    CAppDoc& doc;
    bool dragging = false;
    int dragSource = -1;
    int dropTarget = -1;
    bool dropHighlighted = false;
    int pressRow = -1;
    QPoint pressPos;
    std::unique_ptr<QLabel> dragImage;
    // What each row's name cell shows, so that a preset switch (which rewrites the names) finds
    // the unchanged ones without asking each item for its text.
    QList<QString> shownNames;
    // Where the pointer is over the rows (viewport coordinates), for the row under it.
    std::optional<QPoint> pointer;
};
