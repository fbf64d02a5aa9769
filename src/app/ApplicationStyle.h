// The application's look: its style, as the platform chose it, wrapped so that nothing at
// start-up asks the image format plugins (the toolbar's extension arrow is read as the PNG it
// is, the group frame picture is found in QPixmap's cache; everything else is drawn by the
// wrapped style, the bars, the tab frame and the focus outline under clips that spare Qt's
// thread pool and its filling pixel by pixel), and its texts laid out without shaping where
// their script does not need it.
#pragma once

#include <QProxyStyle>

class ApplicationStyle final : public QProxyStyle {
    Q_OBJECT

public:
    // Takes the platform's style over.
    explicit ApplicationStyle(QStyle* platformStyle);

    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption* option,
                       const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;
};

// Wraps the application's style once and puts the pictures the style reads by file name into
// QPixmap's cache; leaves it alone where a style sheet decorates it.
void UseApplicationStyle();
// Lays the application's texts out without OpenType shaping where their script does not need it
// (Latin, Greek and Cyrillic do not): no kerning pairs or ligatures, which a window's short
// labels, names and numbers do not need, and no harfbuzz pass (nor its code and tables in
// memory) for every text measured or painted. Scripts that need shaping still get it. The
// application's font is otherwise the desktop's as it is at start-up. Printed pages choose
// their fonts themselves and keep their kerning.
void UseUnshapedText();
// The style the platform chose: the application's style, or the one it wraps.
QStyle* PlatformStyle();
// Qt's Fusion style, or a proxy of it.
bool IsFusion(const QStyle* style);
// Qt's Fusion or Windows style, or a proxy of either: both take the toolbar's extension arrows from
// the common style's pictures, and both draw their controls without animations.
bool IsFusionOrWindows(const QStyle* style);

// The key under which QPixmap keeps a picture it loaded from the file.
QString FilePixmapKey(const QString& file);
// Reads the PNG file into QPixmap's cache under that key, unless it is there already.
void CacheFilePixmap(const QString& file);
