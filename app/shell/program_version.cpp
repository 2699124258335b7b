#include "app/shell/program_version.h"

namespace vrn {

QString programVersionText() {
    return QStringLiteral("Version %1.%2.%3")
        .arg(VRN_VERSION_MAJOR)
        .arg(VRN_VERSION_MINOR)
        .arg(VRN_VERSION_REVISION);
}

}  // namespace vrn
