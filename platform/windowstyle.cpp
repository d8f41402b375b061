// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowstyle.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace kestrune {

namespace {

// The style whose text box frames have been checked, pixel for pixel at several scale factors,
// to come out of the cache exactly as the style draws them.
constexpr QLatin1StringView kCheckedStyle("fusion");

// The images kept stay below this many bytes (a box of the main window is 7 KiB at 100%), and
// the frames remembered below this number; beyond either, the cache starts afresh.
constexpr qsizetype kCacheBytes = qsizetype(1024) * 1024;
constexpr std::size_t kFrames = 128;

// Boxes larger than this (in device pixels) are drawn directly: a copy would cost as much.
constexpr int kLargestCachedSide = 1024;

// Device pixels covering `logical` logical pixels at `quarters` quarters of a device pixel each.
int devicePixels(int logical, int quarters)
{
    return (logical * quarters + 3) / 4;
}

// Everything that shapes the pixels of a text box panel as the checked style draws it.
struct FrameKey {
    int width = 0;
    int height = 0;
    quint32 state = 0;
    int direction = 0;
    int lineWidth = 0;
    int midLineWidth = 0;
    int features = 0;
    int frameShape = 0;
    int palette = 0;
    int colourGroup = 0;
    int renderHints = 0;
    // The device pixels per logical pixel, in quarters.
    int scaleQuarters = 0;
    // Whole logical pixels left of and above the box that the image also covers, so that the
    // image starts on a device pixel: they stand for where the box starts within a device pixel.
    int marginX = 0;
    int marginY = 0;
    // The pixels the box is drawn on: its window's plain background, in the screen's format.
    int format = 0;
    quint32 background = 0;

    bool operator==(const FrameKey &) const = default;

    // The image of the frame, in device pixels: the box and the margins left of and above it.
    QSize imageSize() const
    {
        return { devicePixels(width + marginX, scaleQuarters),
            devicePixels(height + marginY, scaleQuarters) };
    }
};

// A frame drawn at least once; its image is made the second time it is drawn.
struct Frame {
    FrameKey key;
    QImage image;
};

bool isWhole(qreal value)
{
    return value == static_cast<qreal>(static_cast<qint64>(value));
}

// The smallest number of whole logical pixels m (0 to 3) such that a box starting at device
// coordinate `origin` at `scale` device pixels per logical pixel, moved m logical pixels back,
// starts on a whole device pixel; -1 where there is none.
int marginToWholePixel(qreal origin, qreal scale)
{
    for (int m = 0; m < 4; ++m) {
        if (isWhole(origin - m * scale)) return m;
    }
    return -1;
}

// Plain colours only: a pattern, gradient or texture brush depends on where it is drawn.
bool hasPlainColours(const QPalette &palette)
{
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const QBrush &brush = palette.brush(
                static_cast<QPalette::ColorGroup>(group), static_cast<QPalette::ColorRole>(role));
            if (brush.style() > Qt::SolidPattern || !brush.transform().isIdentity()) return false;
        }
    }
    return true;
}

// Whether every pixel of `image` in `area` holds one opaque colour, and which. The first row is
// checked pixel by pixel, the others as a whole against it.
bool isPlain(const QImage &image, const QRect &area, quint32 &colour)
{
    const auto *top
        = reinterpret_cast<const quint32 *>(image.constScanLine(area.top())) + area.left();
    const quint32 first = top[0];
    const auto width = static_cast<std::size_t>(area.width());
    if (qAlpha(first) != 255
        || !std::all_of(top, top + width, [first](quint32 pixel) { return pixel == first; }))
        return false;
    for (int y = area.top() + 1; y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y)) + area.left();
        if (std::memcmp(line, top, width * sizeof(quint32)) != 0) return false;
    }
    colour = first;
    return true;
}

} // namespace

class WindowStyle::FrameCache {
public:
    explicit FrameCache(bool checkedStyle) : m_checkedStyle(checkedStyle) { }

    // Draws the panel from the cache; false where the cache cannot give the exact pixels, or the
    // frame is drawn for the first time, and the caller draws it directly.
    bool draw(const QStyle *base, const QStyleOptionFrame &option, QPainter *painter,
        const QWidget *widget);

    Counts counts;

private:
    bool describe(const QStyleOptionFrame &option, const QPainter *painter, const QWidget *widget,
        FrameKey &key);
    int paletteNumber(const QPalette &palette);
    Frame *find(const FrameKey &key);
    void render(const QStyle *base, const QStyleOptionFrame &option, const QPainter *painter,
        const QWidget *widget, Frame &frame);

    const bool m_checkedStyle;
    // Set while a panel is drawn into an image.
    bool m_rendering = false;
    // The frames seen, those drawn lately first; and the bytes of their images.
    std::vector<Frame> m_frames;
    qsizetype m_bytes = 0;
    // Palettes with the same colours share a number, so that boxes with the same colours share
    // their images. A palette is looked up by its cache key first; a copy is kept with each key,
    // which makes sure that key is never reused for other colours.
    struct KnownPalette {
        qint64 cacheKey;
        QPalette palette;
        int number;
    };
    std::vector<QPalette> m_distinctPalettes;
    std::vector<KnownPalette> m_palettes;
};

int WindowStyle::FrameCache::paletteNumber(const QPalette &palette)
{
    const qint64 cacheKey = palette.cacheKey();
    for (const KnownPalette &known : m_palettes) {
        if (known.cacheKey == cacheKey) return known.number;
    }
    int number = -1;
    for (std::size_t i = 0; i < m_distinctPalettes.size(); ++i) {
        if (m_distinctPalettes[i] == palette) number = static_cast<int>(i);
    }
    if (number < 0 && hasPlainColours(palette) && m_distinctPalettes.size() < 64) {
        m_distinctPalettes.push_back(palette);
        number = static_cast<int>(m_distinctPalettes.size()) - 1;
    }
    // Palettes change seldom; should they change without end, the lookup starts afresh.
    if (m_palettes.size() >= 256) m_palettes.clear();
    m_palettes.push_back({ cacheKey, palette, number });
    return number;
}

bool WindowStyle::FrameCache::describe(
    const QStyleOptionFrame &option, const QPainter *painter, const QWidget *widget, FrameKey &key)
{
    // Only the plain line edits of a window: spin boxes and combo boxes draw their own frame
    // around the line edit inside them.
    if (!m_checkedStyle || m_rendering || !qobject_cast<const QLineEdit *>(widget)) return false;
    const QWidget *parent = widget->parentWidget();
    if (qobject_cast<const QAbstractSpinBox *>(parent) || qobject_cast<const QComboBox *>(parent))
        return false;
    if (option.version != QStyleOptionFrame::Version || option.rect.isEmpty()) return false;

    // Painting into an image in memory (the window's backing store), unclipped by the widget's
    // own painting, with nothing blended, faded, rotated or stretched unevenly.
    QPaintEngine *engine = painter->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || !engine->paintDevice()
        || engine->paintDevice()->devType() != QInternal::Image)
        return false;
    const auto *target = static_cast<const QImage *>(engine->paintDevice());
    if (target->format() != QImage::Format_RGB32
        && target->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    if (painter->hasClipping() || painter->opacity() != 1.0
        || painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const QTransform &transform = painter->deviceTransform();
    if (transform.type() > QTransform::TxScale) return false;
    const qreal scale = transform.m11();
    const int quarters = static_cast<int>(scale * 4);
    if (transform.m22() != scale || quarters != scale * 4 || quarters < 4 || quarters > 32)
        return false;
    if (devicePixels(option.rect.width(), quarters) > kLargestCachedSide
        || devicePixels(option.rect.height(), quarters) > kLargestCachedSide)
        return false;
    const QPointF origin = transform.map(QPointF(option.rect.topLeft()));
    key.marginX = marginToWholePixel(origin.x(), scale);
    key.marginY = marginToWholePixel(origin.y(), scale);
    if (key.marginX < 0 || key.marginY < 0) return false;

    key.palette = paletteNumber(option.palette);
    if (key.palette < 0) return false;
    key.colourGroup = option.palette.currentColorGroup();
    key.width = option.rect.width();
    key.height = option.rect.height();
    key.state = static_cast<quint32>(option.state);
    key.direction = option.direction;
    key.lineWidth = option.lineWidth;
    key.midLineWidth = option.midLineWidth;
    key.features = static_cast<int>(option.features);
    key.frameShape = option.frameShape;
    key.renderHints = static_cast<int>(painter->renderHints());
    key.scaleQuarters = quarters;
    key.format = target->format();

    // The image covers the box from a whole device pixel on. Antialiased edges are blended with
    // what lies under them, so the image is drawn on the same pixels the box is drawn on: the
    // window's background there must be one plain colour, wherever this painting reaches.
    const QRect covered(QPoint(static_cast<int>(origin.x() - key.marginX * scale),
                            static_cast<int>(origin.y() - key.marginY * scale)),
        key.imageSize());
    const QRegion clip = engine->systemClip();
    bool reachesAny = false;
    for (const QRect &part : clip.isEmpty() ? QRegion(covered) : clip) {
        const QRect reached = part & covered & target->rect();
        if (reached.isEmpty()) continue;
        quint32 colour = 0;
        if (!isPlain(*target, reached, colour) || (reachesAny && colour != key.background))
            return false;
        key.background = colour;
        reachesAny = true;
    }
    return reachesAny;
}

Frame *WindowStyle::FrameCache::find(const FrameKey &key)
{
    for (std::size_t i = 0; i < m_frames.size(); ++i) {
        if (!(m_frames[i].key == key)) continue;
        // A frame found moves one place forward, so the frames drawn most are found first.
        if (i == 0) return &m_frames[0];
        std::swap(m_frames[i], m_frames[i - 1]);
        return &m_frames[i - 1];
    }
    return nullptr;
}

void WindowStyle::FrameCache::render(const QStyle *base, const QStyleOptionFrame &option,
    const QPainter *painter, const QWidget *widget, Frame &frame)
{
    const FrameKey &key = frame.key;
    const qreal scale = key.scaleQuarters / 4.0;
    const QPoint corner = option.rect.topLeft() - QPoint(key.marginX, key.marginY);
    QImage image(key.imageSize(), static_cast<QImage::Format>(key.format));
    image.fill(key.background);
    {
        QPainter imagePainter(&image);
        imagePainter.setRenderHints(imagePainter.renderHints(), false);
        imagePainter.setRenderHints(painter->renderHints());
        // The same device coordinates as on the screen, less a whole number of pixels.
        imagePainter.setTransform(
            QTransform(scale, 0, 0, scale, -corner.x() * scale, -corner.y() * scale));
        m_rendering = true;
        base->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &imagePainter, widget);
        m_rendering = false;
    }
    image.setDevicePixelRatio(scale);
    m_bytes += image.sizeInBytes();
    frame.image = std::move(image);
}

bool WindowStyle::FrameCache::draw(
    const QStyle *base, const QStyleOptionFrame &option, QPainter *painter, const QWidget *widget)
{
    FrameKey key;
    if (!describe(option, painter, widget, key)) {
        ++counts.direct;
        return false;
    }
    Frame *frame = find(key);
    if (!frame) {
        // A frame is kept only once it is drawn a second time: a box drawn once (the first paint
        // of a window, a state that does not come back) costs no memory.
        if (m_frames.size() >= kFrames) {
            m_frames.clear();
            m_bytes = 0;
        }
        m_frames.push_back({ key, QImage() });
        ++counts.firstSeen;
        return false;
    }
    if (frame->image.isNull()) {
        const QSize size = key.imageSize();
        const qsizetype bytes = qsizetype(size.width()) * size.height() * 4;
        if (m_bytes + bytes > kCacheBytes) {
            for (Frame &kept : m_frames)
                kept.image = QImage();
            m_bytes = 0;
        }
        render(base, option, painter, widget, *frame);
        ++counts.cached;
    } else {
        ++counts.copied;
    }
    // The image's top left corner, in the box's logical coordinates, is on a whole device pixel.
    painter->drawImage(
        QPointF(option.rect.topLeft() - QPoint(key.marginX, key.marginY)), frame->image);
    return true;
}

WindowStyle::WindowStyle(QStyle *baseStyle) : QProxyStyle(baseStyle)
{
    m_cache = new FrameCache(this->baseStyle()->name() == kCheckedStyle);
}

WindowStyle::WindowStyle(const QString &baseStyleName) : QProxyStyle(baseStyleName)
{
    m_cache = new FrameCache(baseStyle()->name() == kCheckedStyle);
}

WindowStyle::~WindowStyle()
{
    delete m_cache;
}

WindowStyle::Counts WindowStyle::counts() const
{
    return m_cache->counts;
}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
    QPainter *painter, const QWidget *widget) const
{
    if (element == PE_PanelLineEdit) {
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
            if (m_cache->draw(baseStyle(), *frame, painter, widget)) return;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void installWindowStyle()
{
    QStyle *current = QApplication::style();
    if (const auto *installed = qobject_cast<const WindowStyle *>(current)) {
        // Installed again: over a new copy of the same style underneath.
        QApplication::setStyle(new WindowStyle(installed->baseStyle()->name()));
        return;
    }
    // The application's own style object becomes the base: creating a second one would only
    // cost time and memory at start. The new layer owns it from now on, so the application does
    // not delete it when its style changes.
    QApplication::setStyle(new WindowStyle(current));
}

} // namespace kestrune
