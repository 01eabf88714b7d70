#pragma once

// The program's icons, from the resource files ":/icons/NAME.png" and, for
// high-density screens, ":/icons/NAME@2x.png".
//
// An icon reads its files when it is first drawn, not when it is made: the
// window builds about sixty icons at start-up and shows fewer, and the picture
// holders are never shown at all. Icons are shared, so each file is decoded
// once however many buttons carry it.

#include <QIcon>
#include <QString>

class QLabel;

namespace icons {

// The icon NAME; its disabled look is generated from it.
QIcon get(const QString &name);

// The icon NAME with DISABLED drawn for the disabled state.
QIcon withDisabled(const QString &name, const QString &disabled);

// A picture holder carries the name of its image; these give its icon and a
// button icon from an enabled and a disabled holder.
void setPicture(QLabel *holder, const QString &name);
QString pictureName(const QLabel *holder);
QIcon picture(const QLabel *holder);
QIcon pictures(const QLabel *enabled, const QLabel *disabled);

} // namespace icons
