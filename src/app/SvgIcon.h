// Icons drawn from the program's SVG pictures only when a size is first asked for: making the
// toolbar's and menus' icons reads no picture, and a picture shown only in a closed menu is
// never read at start-up. They look exactly like icons made from the SVG file by QIcon. The
// sizes the window shows at a pixel ratio of 1 come from pixel files drawn from the same pictures
// at build time (tools/icons), so start-up draws no SVG and decodes no PNG; every other size is
// drawn from the SVG by Qt's SVG icon engine, a plugin loaded at that first need, so the SVG
// library is not loaded before.
#pragma once

#include <QIcon>
#include <QString>

// An icon for an SVG file (a resource path such as ":/presetor/toolbar/new.svg").
QIcon SvgIcon(const QString& path);
