#include "ui/shared/window_style.h"

#include <optional>

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>

namespace tobarin {

namespace {

// An icon asked of the base style when it is first drawn or measured; empty
// if that style is gone by then.
class DeferredIcon : public QIconEngine {
public:
    DeferredIcon(QStyle *style, QStyle::StandardPixmap which)
        : m_style(style)
        , m_which(which)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(
        const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new DeferredIcon(*this); }
    QString key() const override { return QStringLiteral("tobarin.deferred"); }

private:
    const QIcon &icon()
    {
        if (!m_icon) {
            m_icon = m_style ? m_style->standardIcon(m_which) : QIcon();
        }
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

class WindowStyle : public QProxyStyle {
public:
    QIcon standardIcon(
        StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton
            || which == SP_ToolBarVerticalExtensionButton) {
            return QIcon(new DeferredIcon(baseStyle(), which));
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

}  // namespace

void useWindowStyle()
{
    QApplication::setStyle(new WindowStyle);
}

}  // namespace tobarin
