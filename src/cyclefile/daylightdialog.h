#pragma once

#include "cyclefile/daylightfit.h"
#include "cyclefile/sky.h"
#include "platform/bilingual.h"

#include <QByteArray>
#include <QDate>
#include <QDialog>
#include <QList>

#include <memory>
#include <optional>

class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;
class DaylightPreview;

// File > New from Daylight: the user picks a place (a named one, or a
// latitude, longitude and time zone of their own), a date and the light's
// options, and sees the day's light and the cycle fitted to it at once. The
// caller takes the cycle from fit() or cycleFileText() after exec() accepts.
// Nothing is remembered from one opening to the next.
class DaylightDialog : public QDialog
{
    Q_OBJECT
public:
    DaylightDialog(bool english, QWidget *parent = nullptr);
    ~DaylightDialog() override;

    daycycle::Fit fit() const { return m_fit; }
    // The fitted cycle as the text of a cycle file.
    QByteArray cycleFileText() const;
    // The window's title until the cycle is saved: the place and the date,
    // "Amsterdam 2027-06-21", or "52.37, 4.90 2027-06-21" for coordinates.
    Bilingual title() const;
    daycycle::Place place() const;
    QDate date() const;
    daycycle::Options options() const;

private:
    void placeChosen(int index);
    // Sets the coordinates and the zone of a named place.
    void fillFrom(const daycycle::Place &p);
    void coordinatesEdited();
    // The place or the date changed: the sky is worked out anew.
    void skyChanged();
    void recompute();
    QString summaryText() const;
    // The place's name in one language: a named place's, or its coordinates.
    QString placeName(bool english) const;

    bool m_english;
    QList<daycycle::Place> m_places;
    // Set while the dialog itself fills the coordinates and the zone.
    bool m_filling = false;
    std::optional<daycycle::Sky> m_sky;
    std::unique_ptr<daycycle::Ideal> m_ideal;
    daycycle::Fit m_fit;

    QComboBox *m_place = nullptr;
    QDoubleSpinBox *m_latitude = nullptr;
    QDoubleSpinBox *m_longitude = nullptr;
    QComboBox *m_zone = nullptr;
    QDateEdit *m_date = nullptr;
    QSpinBox *m_peak[3] = {};
    QSpinBox *m_moon = nullptr;
    QSpinBox *m_shift = nullptr;
    QSpinBox *m_photoperiod = nullptr;
    QSpinBox *m_points = nullptr;
    DaylightPreview *m_preview = nullptr;
    QLabel *m_summary = nullptr;
};
