// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How Kestrune's windows are drawn: the platform's own widget style, except that the panel and
// rounded frame of a text box, which look the same at every repaint while the text inside them
// changes, are kept as an image once they have been drawn a second time, and copied from then
// on. A keystroke repaints two boxes, a Calculate nine; drawing each frame anew (antialiased
// rounded outlines and shading lines) was half of what the user waited for.
//
// A copy is used only where it gives exactly the pixels the style itself would draw. The image
// is drawn by the style, at the same position within a device pixel, onto the same plain
// background the box stands on (read from the window's pixels under the box), and kept for one
// combination of everything that shapes those pixels: the box's size and state, the colours of
// its palette, the scale factor, the painter's settings and that background. It is made only for
// the style it has been checked against. In every other case (another widget style, printing, a
// rotated, clipped or faded painter, a scale factor that is not a multiple of a quarter, a box on
// a picture or a pattern, a line edit inside a spin box or combo box, colours that are not plain)
// the style draws as usual.

#include <QProxyStyle>

namespace kestrune {

// The windows' style: the base style the application would use, with text box frames copied
// from a small cache where that is exact (see above).
class WindowStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Over `baseStyle`, which the new style owns from then on.
    explicit WindowStyle(QStyle *baseStyle);
    // Over a new style of the name QStyleFactory knows it by.
    explicit WindowStyle(const QString &baseStyleName);
    ~WindowStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;

    // How the text box panels were drawn since the style was made: copied from the cache; drawn
    // into the cache, then copied (the second time a frame is drawn); drawn directly the first
    // time; or drawn directly because a copy would not have been exact.
    struct Counts {
        long copied = 0;
        long cached = 0;
        long firstSeen = 0;
        long direct = 0;
    };
    Counts counts() const;

private:
    class FrameCache;
    FrameCache *m_cache;
};

// Makes WindowStyle the style of the whole application, on top of the style it would use
// otherwise. Call once, after the QApplication is made and before the first window is.
void installWindowStyle();

} // namespace kestrune
