// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How Kestrune's windows are drawn: the platform's own widget style, except that the panel and
// rounded frame of a text box, which look the same at every repaint while the text inside them
// changes, are drawn once and then copied. A keystroke or a Calculate repaints up to eighteen
// boxes; drawing each frame anew (antialiased rounded outlines and shading lines) was most of
// what the user waited for.
//
// A copy is used only where it gives exactly the pixels the style itself would draw: it is kept
// for one combination of everything that shapes those pixels (the box's size and state, the
// colours of its palette, the screen's scale factor and the box's position within a device
// pixel, the painter's settings) and made only for the style it has been checked against. In
// every other case (another widget style, printing, a transformed or clipped painter, a line
// edit inside a spin box or combo box, colours that are not plain) the style draws as usual.

#include <QProxyStyle>

namespace kestrune {

// The windows' style: the base style the application would use, with text box frames copied
// from a small cache where that is exact (see above).
class WindowStyle : public QProxyStyle {
    Q_OBJECT
public:
    // `baseStyleName` as QStyleFactory knows it; empty for the application's current style.
    explicit WindowStyle(const QString &baseStyleName = {});
    ~WindowStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
        const QWidget *widget = nullptr) const override;

    // How the text box panels were drawn since the style was made: copied from the cache, drawn
    // into the cache first, or drawn directly because a copy would not have been exact.
    struct Counts {
        long copied = 0;
        long cached = 0;
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
