// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/commandbutton.h"
#include "platform/textbox.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace kestrune {

QFont windowFont(double pointSize, bool bold)
{
    QFont font;
    font.setFamilies({ QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
        QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
        QStringLiteral("DejaVu Sans") });
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

namespace {

// Smallest size a caption is shrunk to; below it the text would no longer be legible.
constexpr double kSmallestPointSize = 6.0;
constexpr double kShrinkStep = 0.25;

// Where a control draws its caption, how it aligns it there, and the text as shown.
struct CaptionArea {
    QRectF rect;
    int flags = 0;
    QString text;
};

CaptionArea captionArea(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect contents
            = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return { QRectF(contents), Qt::AlignCenter | Qt::TextShowMnemonic, button->text() };
    }
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const int margin = label->margin();
        int flags = static_cast<int>(label->alignment());
        if (label->wordWrap()) flags |= Qt::TextWordWrap;
        return { QRectF(label->contentsRect().adjusted(margin, margin, -margin, -margin)), flags,
            label->text() };
    }
    return {};
}

// Whether the caption, drawn in `font`, stays inside its area: the laid-out text across, and the
// ink of a single line up and down (a line's box is taller than its letters, and a label may be
// exactly as tall as the letters it shows).
bool captionFits(const CaptionArea &area, const QFont &font)
{
    const QFontMetricsF metrics(font);
    const QRectF layout = metrics.boundingRect(area.rect, area.flags, area.text);
    constexpr double tolerance = 0.01;
    if (layout.left() < area.rect.left() - tolerance
        || layout.right() > area.rect.right() + tolerance)
        return false;
    if (area.flags & Qt::TextWordWrap) return layout.height() <= area.rect.height() + tolerance;
    // The text as shown: "&" before an access key is not drawn, "&&" is one "&".
    QString shown;
    for (qsizetype i = 0; i < area.text.size(); ++i) {
        if ((area.flags & Qt::TextShowMnemonic) && area.text.at(i) == QLatin1Char('&')
            && i + 1 < area.text.size())
            ++i;
        shown += area.text.at(i);
    }
    // Glyph outlines are measured in whole pixels: half a pixel over the edge is no cut letter.
    constexpr double inkTolerance = 0.5;
    const QRectF ink = metrics.tightBoundingRect(shown).translated(
        layout.left(), layout.top() + metrics.ascent());
    return ink.left() >= area.rect.left() - inkTolerance
        && ink.right() <= area.rect.right() + inkTolerance
        && ink.top() >= area.rect.top() - inkTolerance
        && ink.bottom() <= area.rect.bottom() + inkTolerance;
}

class CaptionFitter : public QObject {
public:
    explicit CaptionFitter(QWidget *control) : QObject(control), m_control(control)
    {
        m_designed = control->font();
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_control) return false;
        switch (event->type()) {
        case QEvent::Polish:
            // The window has set the control's font, size and wrapping by now.
            m_polished = true;
            fit();
            break;
        case QEvent::FontChange:
            // A font set by the window (a heading's larger size) is the new design; one set here
            // is only the design shrunk.
            if (m_fitting) break;
            m_designed = m_control->font();
            fit();
            break;
        case QEvent::Resize:
            fit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void fit()
    {
        if (!m_polished) return;
        const CaptionArea area = captionArea(m_control);
        if (area.text.isEmpty() || area.rect.isEmpty()) return;
        QFont font = m_designed;
        double size = font.pointSizeF();
        while (size > kSmallestPointSize && !captionFits(area, font)) {
            size -= kShrinkStep;
            font.setPointSizeF(size);
        }
        if (font == m_control->font()) return;
        m_fitting = true;
        m_control->setFont(font);
        m_fitting = false;
    }

    QWidget *m_control;
    QFont m_designed;
    bool m_fitting = false;
    bool m_polished = false;
};

} // namespace

void fitCaptionToControl(QWidget *control)
{
    new CaptionFitter(control);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, QRect geometry,
    Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty("caption", caption);
    label->setTextFormat(Qt::PlainText);
    label->setText(QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&")));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    label->setFont(windowFont());
    fitCaptionToControl(label);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, QRect geometry)
{
    auto *button = new CommandButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setFont(windowFont());
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    fitCaptionToControl(button);
    return button;
}

void setButtonFace(QPushButton *button, const QColor &colour)
{
    if (auto *command = qobject_cast<CommandButton *>(button)) command->setFaceColour(colour);
}

TextBox *makeTextBox(QWidget *parent, const char *name, int maxLength, QRect geometry)
{
    auto *box = new TextBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxLength(maxLength);
    box->setGeometry(geometry);
    box->setFont(windowFont());
    return box;
}

QString storedCaption(const QWidget *control)
{
    if (const auto *button = qobject_cast<const QPushButton *>(control)) return button->text();
    if (const QVariant caption = control->property("caption"); caption.isValid())
        return caption.toString();
    if (const auto *label = qobject_cast<const QLabel *>(control)) return label->text();
    return {};
}

} // namespace kestrune
