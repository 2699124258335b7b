#pragma once

#include <cstdint>
#include <vector>

namespace kt {

class Entities;
class generic;

// Bundle membership as "kt_Activities" (of a bundle) and "kt_Bundles" (of an activity) hold it:
// the live spec_type 1 links from a bundle to its member activities and from an activity to
// its bundles. Both run inside the caller's writing transaction and check every item before
// they write; `oldMembers` are public IDs from index 1, as the attribute loaded them.

// Makes `members` the bundle's activities. Each must be an activity (error 17) and a
// specialization of the bundle's generalization activity (error 17; so must the bundle have
// one). A removed activity that belongs to no other bundle of that activity moves to its
// default bundle; removing it from the default bundle itself is refused (error 18).
void SyncBundleActivities(generic& bundle, const Entities& members,
                          const std::vector<std::int32_t>& oldMembers);

// Makes `members` the activity's bundles. Each must be a bundle (error 17) that no other
// activity holds (error 17). A removed bundle hands the activities it alone held to the
// activity's default bundle; the default bundle itself is never removed.
void SyncActivityBundles(generic& activity, const Entities& members,
                         const std::vector<std::int32_t>& oldMembers);

}  // namespace kt
