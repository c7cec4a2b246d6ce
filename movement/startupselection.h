#pragma once

#include "filekind.h"
#include "movementcontext.h"
#include "recordfields.h"

#include <QDate>

#include <functional>

namespace movement {

// A guest of the start-up file, standing on the current record of its recordset.
struct StartUpGuest
{
    enum class Role {
        Head,       // a head of family or group (markedHead): an arrival with its members
        Single,     // else CapoFamiglia "U": an arrival of its own
        Member,     // found among the members of a head
        LeftOut,    // lodged in the night, yet neither an arrival nor found as anybody's member
    };

    const RecordFields &fields;
    bool archived; // from the archive, whose NumeroProgressivo carries the arrival year
    Role role;
};

// Which cards the start-up file holds and how: the guests lodged in the night before the typed
// day within the room range, current cards first, then archived ones, each in NumeroProgressivo
// order; heads of family or group and "U" guests as arrivals, each head followed by the
// members found for it among the cards of the same night and database with the same arrival
// date. The generator and the card check both walk it.
class StartUpSelection
{
public:
    struct Visitor
    {
        std::function<void(const StartUpGuest &)> arrival;    // a head or a "U" guest; its members follow
        std::function<void(const StartUpGuest &)> member;
        std::function<void(const StartUpGuest &)> arrivalEnd; // after the arrival's members
        // May be empty; when given, it is shown after each database's arrivals the cards of the
        // night that the file leaves out.
        std::function<void(const StartUpGuest &)> leftOut;
    };

    // Checks "Dalla data", throwing OperatorError naming it.
    StartUpSelection(const MovementContext &context, const GeneratorArgs &args);

    QDate typed() const { return m_typed; }
    QDate reported() const { return reportedDay(FileKind::Schema, m_typed); }

    // Whether anybody at all was lodged in the night, in either database.
    bool anyGuest() const;
    void forEachGuest(const Visitor &visitor) const;

    // The guest's number without the arrival year the archive puts in front of it.
    static double guestNumber(const RecordFields &card, bool archived);

private:
    struct Pass
    {
        QString fileName;
        QString query;
        bool archived;
    };
    bool anyGuest(const Pass &pass) const;
    void guests(const Pass &pass, const Visitor &visitor) const;

    const MovementContext &m_context;
    QDate m_typed;
    Pass m_passes[2];
};

} // namespace movement
