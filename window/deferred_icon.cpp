#include "deferred_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QString &path, QSize size)
        : path_(path)
        , size_(size)
    {
    }

    QSize actualSize(const QSize &wanted, QIcon::Mode, QIcon::State) override
    {
        return size_.width() <= wanted.width() && size_.height() <= wanted.height()
            ? size_
            : size_.scaled(wanted, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize &wanted, QIcon::Mode mode, QIcon::State state) override
    {
        if (picture_.isNull() && !picture_.load(path_))
            return {};
        QPixmap shown = picture_;
        const QSize fitting = actualSize(wanted, mode, state);
        if (fitting != picture_.size())
            shown = picture_.scaled(fitting, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode == QIcon::Normal)
            return shown;
        // Greyed or highlighted as the style draws any icon in that state.
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, shown, &option);
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const QPixmap shown
            = pixmap(rect.size() * painter->device()->devicePixelRatio(), mode, state);
        painter->drawPixmap(rect, shown);
    }

    bool isNull() override { return path_.isEmpty(); }
    QString key() const override { return QStringLiteral("deferred"); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    QString path_;
    QSize size_;
    QPixmap picture_;
};

} // namespace

QIcon deferred_icon(const QString &path, QSize size)
{
    return QIcon(new DeferredIconEngine(path, size));
}
