#include "cyclefile/daylightdialog.h"

#include "cyclefile/places.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr std::array<QRgb, 3> kChannelColours{qRgb(235, 70, 70), qRgb(70, 200, 90), qRgb(90, 140, 255)};

// Minutes shown as hours and minutes, "14:30"; the user may type either
// "14:30" or the minutes alone, "870".
class DurationSpinBox : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

protected:
    QString textFromValue(int value) const override
    {
        return u"%1:%2"_s.arg(value / 60).arg(value % 60, 2, 10, QChar(u'0'));
    }

    int valueFromText(const QString &text) const override { return minutes(text).value_or(minimum()); }

    QValidator::State validate(QString &input, int &) const override
    {
        if (input == specialValueText())
            return QValidator::Acceptable;
        static const QRegularExpression typing(u"^\\s*\\d{0,4}(:\\d{0,2})?\\s*$"_s);
        if (!typing.match(input).hasMatch())
            return QValidator::Invalid;
        const std::optional<int> value = minutes(input);
        if (value && *value >= minimum() && *value <= maximum())
            return QValidator::Acceptable;
        return QValidator::Intermediate;
    }

private:
    std::optional<int> minutes(const QString &text) const
    {
        if (text == specialValueText())
            return minimum();
        static const QRegularExpression whole(u"^\\s*(\\d{1,4})(?::(\\d{2}))?\\s*$"_s);
        const QRegularExpressionMatch m = whole.match(text);
        if (!m.hasMatch())
            return std::nullopt;
        if (!m.hasCaptured(2))
            return m.captured(1).toInt();
        const int mins = m.captured(2).toInt();
        return mins < 60 ? std::optional<int>(m.captured(1).toInt() * 60 + mins) : std::nullopt;
    }
};

} // namespace

// The day's 24 hours: the ideal light of each channel as a thin line and the
// fitted cycle over it, with the hours along the bottom.
class DaylightPreview : public QWidget
{
public:
    DaylightPreview(bool english, QWidget *parent)
        : QWidget(parent)
        , m_english(english)
    {
        setMinimumSize(320, 160);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    QSize sizeHint() const override { return {480, 240}; }

    void setDay(const daycycle::Ideal &ideal, const daycycle::Fit &fit)
    {
        m_ideal = &ideal;
        m_fit = fit;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(24, 24, 28));
        const int textHeight = fontMetrics().height();
        const QRectF plot =
            QRectF(rect()).adjusted(fontMetrics().horizontalAdvance(u"100"_s) + 10, 8, -10, -(textHeight + 8));
        const auto x = [&](double minute) { return plot.left() + plot.width() * minute / daycycle::kDayMinutes; };
        const auto y = [&](double percent) { return plot.bottom() - plot.height() * percent / 100; };

        p.setPen(QColor(70, 70, 78));
        for (const int level : {0, 50, 100}) {
            p.drawLine(QPointF(plot.left(), y(level)), QPointF(plot.right(), y(level)));
            p.drawText(QRectF(0, y(level) - textHeight / 2.0, plot.left() - 5, textHeight),
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
        }
        p.setPen(QColor(150, 150, 160));
        for (int hour = 0; hour <= 24; ++hour) {
            const double hx = x(hour * 60);
            p.drawLine(QPointF(hx, plot.bottom()), QPointF(hx, plot.bottom() + (hour % 3 == 0 ? 5 : 3)));
            if (hour % 3 == 0)
                p.drawText(QRectF(hx - 20, plot.bottom() + 5, 40, textHeight), Qt::AlignHCenter | Qt::AlignTop,
                           QString::number(hour));
        }
        if (m_ideal == nullptr || m_fit.points.isEmpty())
            return;

        // The cycle as a broad soft band, the day's light as a thin line
        // on it, so that both show where they run together.
        for (std::size_t ch = 0; ch < 3; ++ch) {
            // Each point holds its colour, then ramps to the next; the last
            // ramps back to the first point's colour at midnight.
            QPainterPath cycle;
            const QList<daycycle::FitPoint> &points = m_fit.points;
            cycle.moveTo(x(0), y(points.first().rgb[ch]));
            for (qsizetype k = 0; k < points.size(); ++k) {
                const daycycle::FitPoint &pt = points[k];
                const daycycle::FitPoint &next = k + 1 < points.size() ? points[k + 1] : points.first();
                const int nextTime = k + 1 < points.size() ? next.time : daycycle::kDaySeconds;
                cycle.lineTo(x(pt.time / 60.0), y(pt.rgb[ch]));
                cycle.lineTo(x((pt.time + pt.length) / 60.0), y(pt.rgb[ch]));
                cycle.lineTo(x(nextTime / 60.0), y(next.rgb[ch]));
            }
            p.strokePath(cycle, QPen(band(ch), 4));
        }
        for (std::size_t ch = 0; ch < 3; ++ch) {
            QPainterPath ideal;
            ideal.moveTo(x(0), y(m_ideal->minute[0][ch]));
            for (int m = 1; m < daycycle::kDayMinutes; ++m)
                ideal.lineTo(x(m), y(m_ideal->minute[std::size_t(m)][ch]));
            p.strokePath(ideal, QPen(QColor::fromRgb(kChannelColours[ch]).lighter(140), 1));
        }

        // The key, top left.
        const QPointF key = plot.topLeft() + QPointF(8, 6 + textHeight / 2.0);
        const int sample = 18;
        p.setPen(QPen(QColor(200, 200, 210, 110), 4));
        p.drawLine(key, key + QPointF(sample, 0));
        p.setPen(QColor(200, 200, 210));
        const QString cycleText = m_english ? u"cycle"_s : u"ciclo"_s;
        p.drawText(key + QPointF(sample + 4, textHeight / 3.0), cycleText);
        const QPointF key2 = key + QPointF(sample + 16 + fontMetrics().horizontalAdvance(cycleText), 0);
        p.drawLine(key2, key2 + QPointF(sample, 0));
        p.drawText(key2 + QPointF(sample + 4, textHeight / 3.0),
                   m_english ? u"the day's light"_s : u"luce del giorno"_s);
    }

private:
    static QColor band(std::size_t ch)
    {
        QColor c = QColor::fromRgb(kChannelColours[ch]);
        c.setAlpha(110);
        return c;
    }

    bool m_english;
    const daycycle::Ideal *m_ideal = nullptr;
    daycycle::Fit m_fit;
};

DaylightDialog::DaylightDialog(bool english, QWidget *parent)
    : QDialog(parent)
    , m_english(english)
    , m_places(daycycle::namedPlaces())
    , m_ideal(std::make_unique<daycycle::Ideal>())
{
    const auto text = [english](const char *en, const char *it) {
        return english ? QString::fromUtf8(en) : QString::fromUtf8(it);
    };
    const auto named = [](QWidget *w, const char *name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    setObjectName(u"DaylightDialog"_s);
    setWindowTitle(text("New from Daylight", "Nuovo da Luce del Giorno"));
    // The calendar's month and day names follow the program's language.
    setLocale(english ? QLocale(QLocale::English, QLocale::UnitedKingdom) : QLocale(QLocale::Italian, QLocale::Italy));

    // ----- Where and when
    auto *where = new QGroupBox(text("Place and date", "Luogo e data"), this);
    named(where, "DaylightWhere");
    auto *whereForm = new QFormLayout(where);
    m_place = new QComboBox(where);
    named(m_place, "DaylightPlace");
    m_place->addItem(text("Coordinates", "Coordinate"));
    for (const daycycle::Place &p : std::as_const(m_places))
        m_place->addItem(p.name.pick(english));
    m_place->setMaxVisibleItems(16);
    const auto degrees = [&](const char *name, double limit, const char *enTip, const char *itTip) {
        auto *box = new QDoubleSpinBox(where);
        named(box, name);
        // Coordinates are written with a decimal point in both languages.
        box->setLocale(QLocale::c());
        box->setRange(-limit, limit);
        box->setDecimals(2);
        box->setSuffix(u"\u00b0"_s);
        box->setToolTip(text(enTip, itTip));
        return box;
    };
    m_latitude = degrees("DaylightLatitude", 90, "North positive, south negative", "Nord positivo, sud negativo");
    m_longitude = degrees("DaylightLongitude", 180, "East positive, west negative", "Est positivo, ovest negativo");
    m_zone = new QComboBox(where);
    named(m_zone, "DaylightZone");
    for (const QByteArray &id : QTimeZone::availableTimeZoneIds())
        m_zone->addItem(QString::fromLatin1(id));
    m_zone->setMaxVisibleItems(16);
    m_zone->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_zone->setMinimumContentsLength(20);
    m_date = new QDateEdit(QDate::currentDate(), where);
    named(m_date, "DaylightDate");
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(u"yyyy-MM-dd"_s);
    m_date->setDateRange(QDate(1900, 1, 1), QDate(2100, 12, 31));
    whereForm->addRow(text("Place", "Luogo"), m_place);
    whereForm->addRow(text("Latitude", "Latitudine"), m_latitude);
    whereForm->addRow(text("Longitude", "Longitudine"), m_longitude);
    whereForm->addRow(text("Time zone", "Fuso orario"), m_zone);
    whereForm->addRow(text("Date", "Data"), m_date);

    // ----- The light
    auto *light = new QGroupBox(text("Light", "Luce"), this);
    named(light, "DaylightLight");
    auto *lightForm = new QFormLayout(light);
    const auto spin = [&](QSpinBox *box, const char *name, int low, int high, int value, const QString &suffix) {
        named(box, name);
        box->setRange(low, high);
        box->setValue(value);
        box->setSuffix(suffix);
        return box;
    };
    const char *peakNames[3] = {"DaylightPeakRed", "DaylightPeakGreen", "DaylightPeakBlue"};
    const Bilingual peakLabels[3] = {
        {u"Peak red"_s, u"Rosso massimo"_s}, {u"Peak green"_s, u"Verde massimo"_s}, {u"Peak blue"_s, u"Blu massimo"_s}};
    for (std::size_t ch = 0; ch < 3; ++ch) {
        m_peak[ch] = spin(new QSpinBox(light), peakNames[ch], 0, 100, 100, u" %"_s);
        lightForm->addRow(peakLabels[ch].pick(english), m_peak[ch]);
    }
    m_moon = spin(new QSpinBox(light), "DaylightMoon", 0, 100, 0, u" %"_s);
    m_moon->setSpecialValueText(text("none", "nessuna"));
    m_moon->setToolTip(text("Blue under a full moon", "Blu sotto la luna piena"));
    lightForm->addRow(text("Moonlight", "Luce lunare"), m_moon);
    m_shift = spin(new QSpinBox(light), "DaylightShift", -720, 720, 0, u" min"_s);
    m_shift->setSingleStep(5);
    m_shift->setToolTip(
        text("The whole day later (earlier when negative)", "Tutto il giorno pi\u00f9 tardi (prima se negativo)"));
    lightForm->addRow(text("Shift", "Spostamento"), m_shift);
    m_photoperiod = spin(new DurationSpinBox(light), "DaylightPhotoperiod", 0, daycycle::kDayMinutes, 0, {});
    m_photoperiod->setSingleStep(15);
    m_photoperiod->setSpecialValueText(text("no limit", "nessun limite"));
    m_photoperiod->setToolTip(text("The longest daylight, hours and minutes (14:30) or minutes (870)",
                                   "La luce pi\u00f9 lunga, ore e minuti (14:30) o minuti (870)"));
    lightForm->addRow(text("Longest daylight", "Luce pi\u00f9 lunga"), m_photoperiod);
    m_points = spin(new QSpinBox(light), "DaylightPoints", daycycle::kMinBudget, daycycle::kMaxBudget,
                    daycycle::kMaxBudget, {});
    m_points->setToolTip(text("The most points the cycle may use", "I punti che il ciclo pu\u00f2 usare al massimo"));
    lightForm->addRow(text("Points at most", "Punti al massimo"), m_points);

    // ----- What comes of it
    m_preview = new DaylightPreview(english, this);
    named(m_preview, "DaylightPreview");
    m_summary = new QLabel(this);
    named(m_summary, "DaylightSummary");
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    named(buttons, "DaylightButtons");
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    named(ok, "DaylightOk");
    ok->setText(u"OK"_s);
    QPushButton *cancel = buttons->button(QDialogButtonBox::Cancel);
    named(cancel, "DaylightCancel");
    cancel->setText(text("Cancel", "Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *left = new QVBoxLayout;
    left->addWidget(where);
    left->addWidget(light);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(m_preview, 1);
    right->addWidget(m_summary);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons);

    // A place of the clocks' own zone when there is one; else the equator
    // at the longitude where the zone's noon is the sun's.
    QByteArray systemZone = QTimeZone::systemTimeZoneId();
    if (!QTimeZone(systemZone).isValid())
        systemZone = QByteArrayLiteral("UTC");
    if (m_zone->findText(QString::fromLatin1(systemZone)) < 0)
        m_zone->insertItem(0, QString::fromLatin1(systemZone));
    m_zone->setCurrentText(QString::fromLatin1(systemZone));
    const auto home = std::find_if(m_places.cbegin(), m_places.cend(),
                                   [&](const daycycle::Place &p) { return p.zone.id() == systemZone; });
    if (home != m_places.cend()) {
        m_place->setCurrentIndex(int(home - m_places.cbegin()) + 1);
        fillFrom(*home);
    } else {
        const int offset = QTimeZone(systemZone).standardTimeOffset(QDateTime::currentDateTime());
        m_longitude->setValue(std::clamp(offset / 240.0, -180.0, 180.0));
    }

    connect(m_place, &QComboBox::currentIndexChanged, this, &DaylightDialog::placeChosen);
    connect(m_latitude, &QDoubleSpinBox::valueChanged, this, &DaylightDialog::coordinatesEdited);
    connect(m_longitude, &QDoubleSpinBox::valueChanged, this, &DaylightDialog::coordinatesEdited);
    connect(m_zone, &QComboBox::currentIndexChanged, this, &DaylightDialog::skyChanged);
    connect(m_date, &QDateEdit::dateChanged, this, &DaylightDialog::skyChanged);
    for (QSpinBox *box : {m_peak[0], m_peak[1], m_peak[2], m_moon, m_shift, m_photoperiod, m_points})
        connect(box, &QSpinBox::valueChanged, this, &DaylightDialog::recompute);
    skyChanged();
}

DaylightDialog::~DaylightDialog() = default;

QByteArray DaylightDialog::cycleFileText() const { return daycycle::cycleFileText(m_fit); }

Bilingual DaylightDialog::title() const
{
    const QString date = m_date->date().toString(Qt::ISODate);
    return {placeName(true) + u' ' + date, placeName(false) + u' ' + date};
}

daycycle::Place DaylightDialog::place() const
{
    return {m_latitude->value(),
            m_longitude->value(),
            QTimeZone(m_zone->currentText().toLatin1()),
            {placeName(true), placeName(false)}};
}

QDate DaylightDialog::date() const { return m_date->date(); }

daycycle::Options DaylightDialog::options() const
{
    daycycle::Options o;
    for (std::size_t ch = 0; ch < 3; ++ch)
        o.peak[ch] = m_peak[ch]->value();
    o.moonMax = m_moon->value();
    o.shiftMinutes = m_shift->value();
    o.photoperiodMinutes = m_photoperiod->value();
    o.budget = m_points->value();
    return o;
}

QString DaylightDialog::placeName(bool english) const
{
    const int index = m_place->currentIndex();
    if (index >= 1)
        return m_places[index - 1].name.pick(english);
    return u"%1, %2"_s.arg(m_latitude->value(), 0, 'f', 2).arg(m_longitude->value(), 0, 'f', 2);
}

void DaylightDialog::placeChosen(int index)
{
    if (m_filling || index < 1)
        return;
    fillFrom(m_places[index - 1]);
    skyChanged();
}

void DaylightDialog::fillFrom(const daycycle::Place &p)
{
    m_filling = true;
    m_latitude->setValue(p.latitude);
    m_longitude->setValue(p.longitude);
    const QString zone = QString::fromLatin1(p.zone.id());
    if (m_zone->findText(zone) < 0)
        m_zone->addItem(zone);
    m_zone->setCurrentText(zone);
    m_filling = false;
}

void DaylightDialog::coordinatesEdited()
{
    if (m_filling)
        return;
    // Coordinates of one's own are no longer the named place.
    m_filling = true;
    m_place->setCurrentIndex(0);
    m_filling = false;
    skyChanged();
}

void DaylightDialog::skyChanged()
{
    if (m_filling)
        return;
    m_sky.reset();
    recompute();
}

void DaylightDialog::recompute()
{
    if (!m_sky)
        m_sky.emplace(place(), m_date->date());
    const daycycle::Options o = options();
    *m_ideal = daycycle::idealDay(*m_sky, o);
    m_fit = daycycle::fitCycle(*m_ideal, o.budget);
    m_preview->setDay(*m_ideal, m_fit);
    m_summary->setText(summaryText());
}

QString DaylightDialog::summaryText() const
{
    const auto text = [this](const char *en, const char *it) {
        return m_english ? QString::fromUtf8(en) : QString::fromUtf8(it);
    };
    const auto at = [](const std::optional<QTime> &t) { return t ? t->toString(u"HH:mm"_s) : u"\u2014"_s; };
    const daycycle::SkyDay &sky = m_ideal->sky;
    QStringList lines;
    if (!sky.sunrise && !sky.sunset) {
        const int noon = sky.solarNoon ? sky.solarNoon->msecsSinceStartOfDay() / 1000 : daycycle::kDaySeconds / 2;
        lines << (m_sky->sunAltitude(noon) > daycycle::kSunriseAltitude
                      ? text("Polar day: the sun does not set", "Giorno polare: il sole non tramonta")
                      : text("Polar night: the sun does not rise", "Notte polare: il sole non sorge"));
    } else {
        lines << text("Sunrise %1, sunset %2", "Alba %1, tramonto %2").arg(at(sky.sunrise), at(sky.sunset));
    }
    lines << text("Solar noon %1", "Mezzogiorno solare %1").arg(at(sky.solarNoon));
    lines << text("Moonrise %1, moonset %2", "Sorge la luna %1, tramonta %2").arg(at(sky.moonrise), at(sky.moonset));
    lines << text("%1 points of %2", "%1 punti su %2").arg(m_fit.points.size()).arg(m_points->value());
    const auto diff = [this](std::size_t ch) { return locale().toString(m_fit.maxDifference[ch], 'f', 1); };
    lines << text("Largest difference from the day's light, in percentage points: red %1, green %2, blue %3",
                  "Differenza massima dalla luce del giorno, in punti percentuali: rosso %1, verde %2, blu %3")
                 .arg(diff(0), diff(1), diff(2));
    return lines.join(u'\n');
}
