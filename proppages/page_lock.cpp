#include "proppages/page_lock.h"

namespace vrn::pp {

std::recursive_mutex& PropPageLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace vrn::pp
