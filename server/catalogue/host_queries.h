#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kt {

class Entities;

// Searches with a host's own condition. `SQLString` is the search condition of a WHERE
// clause in SQLite's dialect, for instance "ent_name LIKE 'Pump%'" on Entity or
// "atri_name = 'Owner' AND atri_value = 'Sales'" on Attributes. Text literals take single
// quotes (double quotes name columns), the Booleans are TRUE and FALSE, and text compares
// without regard to case.
//
// The condition is one expression of at most 64 kB that only reads the table searched (Entity,
// or Attributes with SearchAttributes), by its plain name, and calls plain functions of values;
// it must close the parentheses it opens. Inside it the table's name stands for its live rows
// alone, in subqueries too, so no deleted row is seen however the condition is written. Anything
// else (a second statement, a parameter, another table or the schema, a schema name, a WITH
// clause, a change, a function that reaches outside or whose one call could run without bound,
// more than the search's bounds on time, values, function calls and memory, its temporary
// storage for sorting and grouping included, see Confinement) fails with catalogue error 666
// saying why; a condition that is not valid SQL fails with the engine's message, and a
// catalogue that another program keeps locked with an error that says so and how long the
// search waited. A search reads the catalogue that OpenDB opened, whatever became of its path.
// The live entities whose Entity row matches, in key order (SearchAttributes false), or the
// owners of the matching live attributes, once per attribute (SearchAttributes true). Empty
// when nothing matches.
std::shared_ptr<Entities> RunQuery(const std::string& SQLString, bool SearchAttributes);

// The same search as a list of names, public IDs and access values at 1..n (element 0 empty).
// Empty default bundles ("Default ..." with no specializations) are left out; a bundle's name
// stands in square brackets; with IncludeNotes an entity whose Notes attribute has readable
// text shows it as "name {text}". SortByName orders by the decorated names. The three arrays
// are replaced only when the search succeeds. Returns true.
bool RunNamesQuery(const std::string& SQLString, std::vector<std::string>& Names,
                   std::vector<std::int32_t>& IDs, std::vector<std::int32_t>& ACLs,
                   bool SearchAttributes, bool SortByName, bool IncludeNotes);

}  // namespace kt
