#include "store/Clock.h"

#include <optional>

namespace {

std::optional<QDateTime>& fixedMoment()
{
    static std::optional<QDateTime> moment = []() -> std::optional<QDateTime> {
        const QByteArray env = qgetenv("QUORVALE_NOW");
        if (env.isEmpty())
            return std::nullopt;
        QDateTime t = QDateTime::fromString(QString::fromLatin1(env), Qt::ISODate);
        if (!t.isValid()) {
            const QDate d = QDate::fromString(QString::fromLatin1(env), Qt::ISODate);
            if (d.isValid())
                t = QDateTime(d, QTime(12, 0));
        }
        return t.isValid() ? std::optional<QDateTime>(t) : std::nullopt;
    }();
    return moment;
}

} // namespace

QDateTime Clock::now() { return fixedMoment() ? *fixedMoment() : QDateTime::currentDateTime(); }
QDate Clock::today() { return now().date(); }
void Clock::setFixed(const QDateTime& moment) { fixedMoment() = moment; }
void Clock::clearFixed() { fixedMoment().reset(); }
