#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// Small state flags live in the "Tag" text of controls and menu items, as
// one-letter texts ("D", "E", "I", "U", "C", "M", "S", "H", "P").
inline QString tag(const QObject *object) { return object->property("Tag").toString(); }

inline void setTag(QObject *object, const QString &value) { object->setProperty("Tag", value); }

inline bool hasTag(const QObject *object, QStringView value) { return tag(object) == value; }
