#pragma once

#include "lookup/randomsource.h"

#include <QString>
#include <QStringList>

// The draws of an invented entry replayed by hand from a seed, in the documented order and ranges,
// against the fixture's reference data ("Фамилия<id>", "Имя<id>", "ИмяЖ<id>", ...).
class Replay {
public:
    explicit Replay(std::uint32_t seed) { m_random.setState(seed); }

    std::uint32_t draw(std::uint32_t n) { return m_random.draw(n); }
    std::uint32_t state() const { return m_random.state(); }

    QString surname() { return numbered(u"Фамилия", 58); }
    QString givenName(bool female) { return female ? numbered(u"ИмяЖ", 23) : numbered(u"Имя", 39); }
    QString patronymic(bool female) { return numbered(female ? u"ОтчествоЖ" : u"Отчество", 39); }
    QString street() { return numbered(u"Улица", 52); }
    int house() { return int(draw(90)) + 1; }
    int flat(std::uint32_t range) { return int(draw(range)) + 1; }

    QString prefixedPhone(const QStringList &prefixes)
    {
        const auto id = draw(std::uint32_t(prefixes.size())); // ids from 1, list from 0
        QString phone = id < std::uint32_t(prefixes.size()) ? prefixes[int(id)] : QString();
        phone += QString::number(draw(9) + 1);
        for (int i = 0; i < 6; ++i)
            phone += QString::number(draw(10));
        return phone;
    }

    QString fixedPhone(int length)
    {
        QString phone = QString::number(draw(9) + 1);
        for (int i = 1; i < length; ++i)
            phone += QString::number(draw(10));
        return phone;
    }

private:
    QString numbered(const char16_t *stem, std::uint32_t count)
    {
        return QString::fromUtf16(stem) + QString::number(draw(count) + 1);
    }

    lookup::RandomSource m_random;
};
