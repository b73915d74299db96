#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace askbright {

// Where "today" and the time of day come from; tests and reproducible page
// builds replace it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QTime timeOfDay() const = 0;
};

class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QTime timeOfDay() const override { return QTime::currentTime(); }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDate date, QTime time = QTime(0, 0)) : m_date(date), m_time(time) {}
    QDate today() const override { return m_date; }
    QTime timeOfDay() const override { return m_time; }
    void setDate(QDate date) { m_date = date; }
    void setTime(QTime time) { m_time = time; }

private:
    QDate m_date;
    QTime m_time;
};

// The short date text of the records: "dd.MM.yyyy", exactly 10 characters.
QString shortDateText(QDate date);

} // namespace askbright
