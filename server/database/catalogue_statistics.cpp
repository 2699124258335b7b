#include "server/database/catalogue_statistics.h"

#include <array>
#include <limits>
#include <map>
#include <optional>
#include <string_view>

#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/transaction.h"

namespace kt {

namespace {

enum class Table { Entity, Specialization, Relation };

// A figure: live rows of the table, of one type code or (no code) all of them.
struct Figure {
    std::string_view name;
    Table table;
    std::optional<std::int32_t> code;
};

constexpr std::array<Figure, 24> kFigures{{
    {"Total Entities", Table::Entity, std::nullopt},
    {"Activities", Table::Entity, 1},
    {"Bundles", Table::Entity, 2},
    {"Ports", Table::Entity, 3},
    {"Dependencies", Table::Entity, 5},
    {"Resources", Table::Entity, 6},
    {"Exceptions", Table::Entity, 10},
    {"User Groups", Table::Entity, 9},
    {"Navigational Nodes", Table::Entity, 4},
    // Specialization links and relations count together in this total.
    {"Total relations", Table::Relation, std::nullopt},
    {"Specialization relations", Table::Specialization, 1},
    {"Bundle relations", Table::Specialization, 2},
    {"Decomposition relations", Table::Relation, 1},
    {"Connector relations", Table::Relation, 2},
    {"Automatic connector relations", Table::Relation, 3},
    {"Navigation relations", Table::Relation, 4},
    {"Has resource relations", Table::Relation, 6},
    {"Membership relations", Table::Relation, 7},
    {"Automatic decomposition relations", Table::Relation, 8},
    {"Has exception relations", Table::Relation, 9},
    {"Anticipates exception relations", Table::Relation, 10},
    {"Avoids exception relations", Table::Relation, 11},
    {"Detects exception", Table::Relation, 12},
    {"Resolves exception", Table::Relation, 13},
}};

// Live rows per type code; rows without a code count only in the total.
struct TypeCounts {
    std::map<std::int32_t, std::int32_t> byCode;
    std::int32_t total = 0;

    std::int32_t of(std::optional<std::int32_t> code) const {
        if (!code) {
            return total;
        }
        const auto found = byCode.find(*code);
        return found == byCode.end() ? 0 : found->second;
    }
};

TypeCounts countByType(std::string_view sql) {
    TypeCounts counts;
    for (auto rows = global_db().CreateSnapshot(sql); !rows.eof(); rows.moveNext()) {
        const std::int32_t rowsOfType = rows.field(1).asLong();
        counts.total += rowsOfType;
        if (!rows.field(0).isNull()) {
            counts.byCode[rows.field(0).asLong()] += rowsOfType;
        }
    }
    return counts;
}

}  // namespace

void GetStatistics(std::vector<std::string>& Statistic, std::vector<std::int32_t>& Values,
                   std::int32_t& Count) {
    if (Count < 0) {
        throw invalidProcedureCall();
    }
    if (Count > std::numeric_limits<std::int32_t>::max() - std::int32_t{kFigures.size()}) {
        throw overflowError();
    }
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    const TypeCounts entities = countByType(
        "SELECT ent_type, COUNT(*) FROM Entity WHERE ent_deleted = 0 GROUP BY ent_type");
    const TypeCounts links = countByType(
        "SELECT spec_type, COUNT(*) FROM Specialization WHERE spec_deleted = 0 GROUP BY "
        "spec_type");
    TypeCounts relations = countByType(
        "SELECT rel_Type, COUNT(*) FROM Relation WHERE rel_deleted = 0 GROUP BY rel_Type");
    operation.commit();
    relations.total += links.total;

    const auto size = static_cast<std::size_t>(Count) + kFigures.size() + 1;
    Statistic.resize(size);
    Values.resize(size);
    for (const Figure& figure : kFigures) {
        ++Count;
        const TypeCounts& counts = figure.table == Table::Entity           ? entities
                                   : figure.table == Table::Specialization ? links
                                                                           : relations;
        Statistic[static_cast<std::size_t>(Count)] = figure.name;
        Values[static_cast<std::size_t>(Count)] = counts.of(figure.code);
    }
}

}  // namespace kt
