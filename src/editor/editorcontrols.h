#pragma once

#include "platform/icons.h"

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

// Small helpers for the editor's controls: field text colours and button
// pictures taken from the hidden image holders.
namespace editor {

inline const QColor kNavy(0, 0, 128);
inline const QColor kOrange(255, 192, 0);

inline void setTextColour(QLineEdit *field, const QColor &colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Active, QPalette::Text, colour);
    palette.setColor(QPalette::Inactive, QPalette::Text, colour);
    field->setPalette(palette);
}

inline QColor textColour(const QLineEdit *field) { return field->palette().color(QPalette::Active, QPalette::Text); }

// The button's picture and disabled picture.
inline void setPictures(QPushButton *button, const QLabel *enabled, const QLabel *disabled)
{
    button->setIcon(icons::pictures(enabled, disabled));
}

// Puts a text into a field; the caret keeps its place when the text is the
// same, so that restoring an unchanged field moves nothing.
inline void putText(QLineEdit *field, const QString &text, int caret)
{
    if (field->text() != text)
        field->setText(text);
    field->setCursorPosition(caret);
}

} // namespace editor
