#pragma once

#include "movementcontext.h"
#include "recordfields.h"

#include <QDate>

#include <functional>
#include <optional>

namespace movement {

// A card of one of the daily file's passes, standing on the pass's current record.
struct ClassicCard
{
    const RecordFields &fields;
    bool archived; // from the archive, whose NumeroProgressivo already holds the arrival year
};

// Which cards the daily movement file holds, day by day, and in which block: the arrivals of the
// day from the current cards, then from the archived ones (leaving out the cards of guests
// without a name), then the departures of the day likewise; always within the room range and
// the selected structure, leaving out the reserved cards (Lingua holding "*"), each pass in
// NumeroProgressivo order. The generator and the card check both walk it.
class ClassicSelection
{
public:
    using Visit = std::function<void(const ClassicCard &)>;

    // Checks the selector, then "Dalla data" and "Alla data" and their order, throwing
    // OperatorError naming the one at fault.
    ClassicSelection(const MovementContext &context, const GeneratorArgs &args);

    // Every day of the range in date order, the context's progress told of each one first.
    void forEachDay(const std::function<void(QDate)> &visit) const;

    // The day's arrivals or departures that the file holds. `outside`, when given, is shown the
    // cards of the room range that the selected structure leaves out.
    void forEachArrival(QDate day, const Visit &visit, const Visit &outside = {}) const;
    void forEachDeparture(QDate day, const Visit &visit, const Visit &outside = {}) const;

private:
    enum class Block { Arrival, Departure };
    void pass(bool archived, Block block, QDate day, const Visit &visit, const Visit &outside) const;
    QString query(bool archived, Block block, const QString &key) const;

    const MovementContext &m_context;
    const GeneratorArgs &m_args;
    std::optional<int> m_structure;
    QDate m_first;
    QDate m_last;
};

} // namespace movement
