#pragma once

#include <QDate>
#include <QString>

namespace askbright {

// Where "today" comes from; tests and reproducible page builds replace it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
};

class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};

class FixedClock : public Clock {
public:
    explicit FixedClock(QDate date) : m_date(date) {}
    QDate today() const override { return m_date; }
    void setDate(QDate date) { m_date = date; }

private:
    QDate m_date;
};

// The short date text of the records: "dd.MM.yyyy", exactly 10 characters.
QString shortDateText(QDate date);

} // namespace askbright
