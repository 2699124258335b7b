#pragma once

#include <mutex>

namespace vrn::pp {

// The one lock of all property pages, held around reading or writing a control's properties.
// The same thread may enter it again.
std::recursive_mutex& PropPageLock();

using PageLockGuard = std::scoped_lock<std::recursive_mutex>;

}  // namespace vrn::pp
