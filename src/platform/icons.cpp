#include "platform/icons.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

const char *const kNameProperty = "PictureName";

QString pathOf(const QString &name, const char *suffix = "")
{
    return QStringLiteral(":/icons/%1%2.png").arg(name, QLatin1String(suffix));
}

// Reads one PNG; the format is known, which spares the reader its probing.
void addImage(QIcon &icon, const QString &path, QIcon::Mode mode)
{
    QImageReader reader(path, QByteArrayLiteral("png"));
    const QImage image = reader.read();
    if (!image.isNull())
        icon.addPixmap(QPixmap::fromImage(image), mode);
}

// Forwards everything to an ordinary icon that it builds on first use.
class DeferredIconEngine final : public QIconEngine
{
public:
    DeferredIconEngine(QString name, QString disabled)
        : m_name(std::move(name))
        , m_disabled(std::move(disabled))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return loaded().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return loaded().availableSizes(mode, state);
    }
    // Asked by every button's size hint: answered from the resource tree,
    // without decoding.
    bool isNull() override { return m_loaded ? m_icon.isNull() : !QFile::exists(pathOf(m_name)); }
    QString key() const override { return QStringLiteral("OrvantaDeferredIcon"); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &loaded()
    {
        if (!m_loaded) {
            m_loaded = true;
            const bool dense = qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
            for (const auto &[name, mode] :
                 {std::pair{m_name, QIcon::Normal}, std::pair{m_disabled, QIcon::Disabled}}) {
                if (name.isEmpty())
                    continue;
                addImage(m_icon, pathOf(name), mode);
                if (dense && QFile::exists(pathOf(name, "@2x")))
                    addImage(m_icon, pathOf(name, "@2x"), mode);
            }
        }
        return m_icon;
    }

    QString m_name;
    QString m_disabled;
    bool m_loaded = false;
    QIcon m_icon;
};

QIcon shared(const QString &name, const QString &disabled)
{
    static QHash<QString, QIcon> made;
    const QString key = disabled.isEmpty() ? name : name + QLatin1Char('|') + disabled;
    auto it = made.find(key);
    if (it == made.end())
        it = made.insert(key, QIcon(new DeferredIconEngine(name, disabled)));
    return *it;
}

} // namespace

namespace icons {

QIcon get(const QString &name) { return shared(name, QString()); }

QIcon withDisabled(const QString &name, const QString &disabled) { return shared(name, disabled); }

void setPicture(QLabel *holder, const QString &name) { holder->setProperty(kNameProperty, name); }

QString pictureName(const QLabel *holder) { return holder->property(kNameProperty).toString(); }

QIcon picture(const QLabel *holder) { return get(pictureName(holder)); }

QIcon pictures(const QLabel *enabled, const QLabel *disabled)
{
    return withDisabled(pictureName(enabled), pictureName(disabled));
}

} // namespace icons
