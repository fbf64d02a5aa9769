// Picture lists of the keyboard's response curves: one 67 x 131 picture per curve, one visible
// at a time; scrolling selects the picture now at the top. CAftertouchCurveList holds the 8
// aftertouch curves (green), CVelocityCurveList the 32 velocity curves (blue).
#pragma once

#include <QColor>
#include <QListWidget>
#include <QPixmap>

#include <vector>

class CCurveList : public QListWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCurveList)

public:
    static constexpr int kPictureWidth = 67;
    static constexpr int kPictureHeight = 131;

    using CurveFunction = double (*)(int curve, double x);

    CCurveList(int curveCount, CurveFunction function, QColor colour, QWidget* parent);

    // Selects the curve and scrolls it to the top without any notification.
    void ShowCurve(int curve);
    // Draws the picture of one curve into the rectangle: black frame, white ground.
    void PaintCurve(QPainter& painter, const QRect& frame, int curve) const;
    // The picture of a curve, drawn once per device pixel ratio and kept.
    const QPixmap& Picture(int curve, qreal devicePixelRatio) const;

protected:
    void verticalScrollbarValueChanged(int value) override;
    // Draws the plain frame as four filled bands, the pixels the style's nested rectangles
    // give at a device pixel ratio of 1, at a small part of their cost.
    bool event(QEvent* event) override;

private:
    void OnScrolled(int value);

    CurveFunction function;
    QColor colour;
    mutable std::vector<QPixmap> pictures;
    mutable qreal picturesRatio = 0;
    bool showing = false;
};

class CAftertouchCurveList final : public CCurveList {
    Q_OBJECT
public:
    explicit CAftertouchCurveList(QWidget* parent = nullptr);
};

class CVelocityCurveList final : public CCurveList {
    Q_OBJECT
public:
    explicit CVelocityCurveList(QWidget* parent = nullptr);
};
