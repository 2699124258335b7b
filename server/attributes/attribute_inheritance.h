#pragma once

#include <cstdint>

namespace kt {

class generic;

// How a specialization receives the stored attributes of the entity above it. Both run inside
// the caller's writing transaction (a savepoint of their own keeps a failure whole).

// Copies the live attributes of the entity `parentKey` to its new specialization `newKey`, in
// key order, by behaviour: 2 and 5 with the parent's value, 3 with the parent's default as
// the value, 4 with "-"; 1 and any other code not at all. Each copy keeps the name, data type,
// default, inherit-from-parent flag, behaviour and the unused columns of its source, is
// marked inherited and names its source row as its origin. The keys follow one another.
void CopyInheritedAttributes(std::int32_t newKey, std::int32_t parentKey);

// Gives `receiver` every stored attribute of `source` whose name it lacks ("kt_" names are
// never offered): a new attribute with the source's behaviour and value that names the
// source's origin, carried on to the receiver's specializations by its behaviour. Errors 22
// for a deleted source or receiver.
void AdoptParentAttributes(generic& receiver, generic& source);

}  // namespace kt
